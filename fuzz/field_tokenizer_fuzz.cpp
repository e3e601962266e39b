// Splits arbitrary bytes into fields with the separator and encloser taken
// from the first two bytes. Every field taken must shorten the line, so the
// splitting ends, and no field is longer than the text it came from.
//
// Then the round trip: the remaining bytes, cut at line feeds into up to five
// values, are exported as one person through the columns whose encloser is
// doubled, and the data line must read back as the same values. That holds
// for a separator and encloser that differ and are not white space or zero,
// and for values without backslashes (escapes), carriage returns or line
// feeds (line ends) that do not start with the encloser or the separator
// (the opening encloser would pair with them); values are shaped to fit.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "textio/field_tokenizer.h"
#include "textio/text_export.h"

namespace {

bool IsWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

void SplitWhole(const vimbo::FieldTokenizer& tokenizer, std::string line) {
  std::string field;
  while (true) {
    const std::size_t before = line.size();
    if (!tokenizer.NextField(line, field)) {
      if (!field.empty()) std::abort();
      return;
    }
    if (line.size() >= before || field.size() > before) std::abort();
  }
}

std::string Shaped(std::string_view raw, char separator, char encloser) {
  std::string value;
  for (char c : raw) {
    if (c != '\\' && c != '\r' && c != '\n') value += c;
  }
  if (!value.empty() && (value[0] == separator || value[0] == encloser)) {
    char lead = 'a';
    while (lead == separator || lead == encloser) ++lead;
    value.insert(value.begin(), lead);
  }
  return value;
}

void RoundTrip(char separator, char encloser, std::string_view rest) {
  if (separator == 0 || encloser == 0 || separator == encloser || IsWhiteSpace(separator) ||
      IsWhiteSpace(encloser)) {
    return;
  }
  std::vector<std::string> values;
  while (values.size() < 5) {
    const std::size_t end = rest.find('\n');
    values.push_back(Shaped(rest.substr(0, end), separator, encloser));
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + 1);
  }
  values.resize(5);

  vimbo::DocumentData data;
  vimbo::Person person;
  person.ID = 1;
  person.FName = values[0];
  person.LName = values[1];
  person.Address = values[2];
  person.City = values[3];
  person.Company = values[4];
  data.persons.Insert(person);
  vimbo::TextTransferSettings settings = vimbo::PersonsExportSettings();
  settings.Fields = {"FirstName", "LastName", "Address", "City", "Company"};
  settings.Separator = std::string(1, separator);
  settings.Encloser = std::string(1, encloser);
  int lines = 0;
  const std::string text = vimbo::PersonsExportText(data, settings, lines);
  const std::size_t nameLineEnd = text.find('\n');
  std::string line = text.substr(nameLineEnd + 1, text.size() - nameLineEnd - 2);

  vimbo::FieldTokenizer tokenizer;
  tokenizer.SetCharacters(settings.Separator, settings.Encloser);
  std::vector<std::string> read;
  std::string field;
  while (tokenizer.NextField(line, field)) read.push_back(field);
  if (read.size() > values.size()) std::abort();
  // A trailing empty value leaves only its separator, which reads as no field.
  read.resize(5);
  if (read != values) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const char separator = static_cast<char>(data[0]);
  const char encloser = static_cast<char>(data[1]);
  const std::string_view rest(reinterpret_cast<const char*>(data) + 2, size - 2);

  vimbo::FieldTokenizer tokenizer;
  tokenizer.SetCharacters(std::string(1, separator), std::string(1, encloser));
  SplitWhole(tokenizer, std::string(rest));
  RoundTrip(separator, encloser, rest);
  return 0;
}
