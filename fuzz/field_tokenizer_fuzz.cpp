// Splits arbitrary bytes into records and fields with the separator and
// encloser taken from the first two bytes. Every record and every field taken
// must shorten the text, so the splitting ends; a record is the front of the
// text, followed by nothing, a line feed, or a carriage return and a line
// feed; and text without the encloser splits into its lines exactly.
//
// Then the round trip: the remaining bytes, cut at zero bytes into up to five
// values, are exported as one person through five columns, and the export
// (field names included) must read back as the names line and one record
// holding the same values. That holds for a separator and encloser that
// differ and are not white space or zero, and for values without backslashes
// (escapes) that do not start with the encloser or the separator (the
// opening encloser would pair with them); values are shaped to fit. Line
// breaks inside the values stay in them.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/transfer/field_tokenizer.h"
#include "core/transfer/text_export.h"

namespace {

bool IsWhiteSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

void SplitFields(const vimbo::FieldTokenizer& tokenizer, std::string_view record) {
  std::string field;
  while (true) {
    const std::size_t before = record.size();
    if (!tokenizer.NextField(record, field)) {
      if (!field.empty()) std::abort();
      return;
    }
    if (record.size() >= before || field.size() > before) std::abort();
  }
}

// The lines of a text that holds no encloser, as the records must be: each
// ends at a line feed, a carriage return and line feed, or a carriage return.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find_first_of("\r\n");
    lines.push_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + (text.substr(end, 2) == "\r\n" ? 2 : 1));
  }
  return lines;
}

void SplitWhole(const vimbo::FieldTokenizer& tokenizer, std::string_view text) {
  const bool withoutEncloser = tokenizer.Encloser == 0 || text.find(tokenizer.Encloser) == std::string_view::npos;
  const std::vector<std::string_view> lines = withoutEncloser ? Lines(text) : std::vector<std::string_view>();
  std::size_t count = 0;
  std::string_view record;
  while (true) {
    const std::string_view before = text;
    if (!tokenizer.NextRecord(text, record)) {
      if (!before.empty()) std::abort();
      break;
    }
    if (record.data() != before.data() || text.size() >= before.size()) std::abort();
    const std::string_view ending = before.substr(record.size(), before.size() - text.size() - record.size());
    if (ending != "" && ending != "\n" && ending != "\r\n" && ending != "\r") std::abort();
    if (ending.empty() && !text.empty()) std::abort();
    if (withoutEncloser && (count >= lines.size() || lines[count] != record)) std::abort();
    ++count;
    SplitFields(tokenizer, record);
  }
  if (withoutEncloser && count != lines.size()) std::abort();
}

std::string Shaped(std::string_view raw, char separator, char encloser) {
  std::string value;
  for (char c : raw) {
    if (c != '\\') value += c;
  }
  if (!value.empty() && (value[0] == separator || value[0] == encloser)) {
    char lead = 'a';
    while (lead == separator || lead == encloser) ++lead;
    value.insert(value.begin(), lead);
  }
  return value;
}

void RoundTrip(char separator, char encloser, std::string_view rest) {
  if (separator == 0 || encloser == 0 || separator == encloser || IsWhiteSpace(separator) || IsWhiteSpace(encloser)) {
    return;
  }
  std::vector<std::string> values;
  while (values.size() < 5) {
    const std::size_t end = rest.find('\0');
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
  const std::string text = vimbo::PersonsExportText(data, settings);

  vimbo::FieldTokenizer tokenizer;
  tokenizer.SetCharacters(settings.Separator, settings.Encloser);
  std::string_view remaining = text;
  std::string_view names;
  std::string_view record;
  if (!tokenizer.NextRecord(remaining, names) || !tokenizer.NextRecord(remaining, record)) std::abort();
  if (!remaining.empty()) std::abort();
  std::vector<std::string> read;
  std::string field;
  while (tokenizer.NextField(record, field)) read.push_back(field);
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
  SplitWhole(tokenizer, rest);
  RoundTrip(separator, encloser, rest);
  return 0;
}
