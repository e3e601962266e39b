#include "core/transfer/person_import.h"

#include <algorithm>
#include <string_view>

#include "core/document/file_io.h"
#include "core/editing/document_operations.h"
#include "core/records/text_rules.h"
#include "core/transfer/transfer_keys.h"

namespace vimbo {
namespace {

// Spreadsheet programs start a UTF-8 text with a byte order mark; it is not
// part of the first field.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view WithoutByteOrderMark(std::string_view text) {
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  return text;
}

// Fills the person field that `key` names. Returns whether the value names
// the person: a non-empty first name, last name or company.
bool Assign(Person& person, const std::string& key, std::string&& value) {
  const PersonKey* column = FindPersonKey(key);
  if (!column) return false;
  if (column->namesPerson && value.empty()) return false;
  person.*column->member = std::move(value);
  return column->namesPerson;
}

// The person a record describes, or nothing when it names nobody.
std::optional<Person> PersonFromRecord(std::string_view record, const FieldTokenizer& tokenizer,
                                       const TextTransferSettings& settings) {
  Person person;
  bool named = false;
  std::string value;
  // Columns past the end of Fields have no key, so they are not imported.
  const std::size_t columns = std::min(static_cast<std::size_t>(std::max(settings.ColumnCount, 0)),
                                       settings.Fields.size());
  for (std::size_t i = 0; i < columns; ++i) {
    tokenizer.NextField(record, value);  // empty once the record has no more fields
    const std::string& key = settings.Fields[i];
    if (key.empty()) continue;
    // The wizard shows these labels for empty columns of the first line.
    if (value == "EMPTY FIELD" || value == "EOF") value.clear();
    named |= Assign(person, key, std::move(value));
  }
  if (!named) return std::nullopt;
  person.FName = std::string(TrimView(person.FName));
  person.LName = std::string(TrimView(person.LName));
  return person;
}

}  // namespace

std::optional<std::vector<std::string>> ReadTextRecords(const std::string& path,
                                                        const FieldTokenizer& tokenizer) {
  const std::optional<std::string> file = ReadFileText(path);
  if (!file) return std::nullopt;
  std::string_view text = WithoutByteOrderMark(*file);
  std::vector<std::string> records;
  std::string_view record;
  while (tokenizer.NextRecord(text, record)) records.emplace_back(record);
  return records;
}

std::optional<std::string> ReadFirstRecord(const std::string& path, const FieldTokenizer& tokenizer) {
  // The wizard reads the first record again whenever the separator or the
  // encloser changes, so only as much of the file is read as the record
  // needs: a growing front of it, until the record ends inside it.
  for (std::size_t limit = 64 * 1024;; limit *= 4) {
    const std::optional<std::string> front = ReadFileText(path, limit);
    if (!front) return std::nullopt;
    std::string_view text = WithoutByteOrderMark(*front);
    std::string_view record;
    tokenizer.NextRecord(text, record);
    if (!text.empty() || front->size() < limit) return std::string(TrimView(record));
  }
}

std::vector<Person> ReadImportedPersons(const TextTransferSettings& settings) {
  FieldTokenizer tokenizer;
  tokenizer.SetCharacters(settings.Separator, settings.Encloser);
  const std::optional<std::vector<std::string>> records = ReadTextRecords(settings.FileName, tokenizer);
  std::vector<Person> persons;
  if (!records) return persons;
  for (std::size_t i = settings.FirstLineHasNames ? 1 : 0; i < records->size(); ++i) {
    std::optional<Person> person = PersonFromRecord((*records)[i], tokenizer, settings);
    if (person) persons.push_back(std::move(*person));
  }
  return persons;
}

int ImportPersons(DocumentData& data, const TextTransferSettings& settings) {
  return ImportPersons(data, ReadImportedPersons(settings)).id;
}

}  // namespace vimbo
