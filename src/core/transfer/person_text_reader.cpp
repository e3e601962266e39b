#include "core/transfer/person_text_reader.h"

#include <algorithm>
#include <string_view>

#include "core/records/text_rules.h"
#include "core/transfer/person_assembler.h"
#include "core/transfer/text_record_reader.h"
#include "core/transfer/transfer_keys.h"

namespace vimbo {
namespace {

// Where a column of the file goes: the person field, none for a column that
// is not imported, and whether the value is trimmed of white space (the
// names are).
struct ColumnTarget {
  const PersonKey* key = nullptr;
  bool trimmed = false;
};

// The keys of the columns that are read. Columns past the end of Fields
// have no key, so they are not imported either.
std::vector<std::string> ColumnKeys(const TextTransferSettings& settings) {
  const std::size_t columns =
      std::min(static_cast<std::size_t>(std::max(settings.ColumnCount, 0)), settings.Fields.size());
  return {settings.Fields.begin(), settings.Fields.begin() + static_cast<std::ptrdiff_t>(columns)};
}

// The target of each column, found once for the whole file.
std::vector<ColumnTarget> ColumnTargets(const std::vector<std::string>& keys) {
  std::vector<ColumnTarget> targets(keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (keys[i].empty()) continue;
    const PersonKey* key = FindPersonKey(keys[i]);
    targets[i] = {key, key && (key->member == &Person::FName || key->member == &Person::LName)};
  }
  return targets;
}

// Makes persons of records, reusing its field buffers from record to record.
class PersonReader {
 public:
  PersonReader(const FieldTokenizer& tokenizer, const TextTransferSettings& settings)
      : tokenizer_(tokenizer),
        keys_(ColumnKeys(settings)),
        targets_(ColumnTargets(keys_)),
        assembler_(keys_),
        held_(keys_.size(), false),
        values_(keys_.size()) {}

  // Adds the person the record describes to `persons`, unless it names nobody.
  template <typename Item>
  void Read(std::string_view record, std::vector<Item>& persons) {
    // Made in place and taken back when the record names nobody, so no
    // person is moved.
    Person& person = PersonOf(persons.emplace_back());
    if (!assembler_.Plain()) {
      // The columns of address books need the whole record at once: a type
      // column may come after its values.
      for (std::size_t i = 0; i < values_.size(); ++i) {
        tokenizer_.NextField(record, values_[i]);
        if (keys_[i].empty() && !values_[i].empty()) held_[i] = true;
      }
      if (!assembler_.Fill(values_, person)) persons.pop_back();
      return;
    }
    bool named = false;
    std::string_view value;
    for (std::size_t i = 0; i < targets_.size(); ++i) {
      const ColumnTarget& target = targets_[i];
      // Empty once the record has no more fields.
      tokenizer_.NextField(record, scratch_, value);
      if (!target.key) {
        if (!value.empty()) held_[i] = true;
        continue;
      }
      // The wizard shows these labels for empty columns of the first line.
      if (value == "EMPTY FIELD" || value == "EOF") value = {};
      // A non-empty first name, last name or company is what names a person,
      // even one of white space only.
      if (target.key->namesPerson && value.empty()) continue;
      person.*target.key->member = target.trimmed ? TrimView(value) : value;
      named |= target.key->namesPerson;
    }
    if (!named) persons.pop_back();
  }

  // The columns not imported that held a value in some record.
  std::vector<std::size_t> HeldColumns() const {
    std::vector<std::size_t> columns;
    for (std::size_t i = 0; i < held_.size(); ++i)
      if (held_[i]) columns.push_back(i);
    return columns;
  }

 private:
  static Person& PersonOf(Person& person) { return person; }
  static Person& PersonOf(Persons::Entry& entry) { return entry.second; }

  const FieldTokenizer& tokenizer_;
  const std::vector<std::string> keys_;
  const std::vector<ColumnTarget> targets_;
  PersonAssembler assembler_;
  std::vector<bool> held_;
  std::vector<std::string> values_;
  std::string scratch_;
};

constexpr std::size_t kPersonsBeforeEstimate = 1000;

std::optional<std::string> FirstRecord(TextRecordReader& reader) {
  std::string_view record;
  const bool found = reader.Next(record);
  if (reader.Failed()) return std::nullopt;
  return found ? std::string(TrimView(record)) : std::string();
}

template <typename Item>
TextImport<Item> ReadPersons(TextRecordReader& reader, const FieldTokenizer& tokenizer,
                             const TextTransferSettings& settings) {
  TextImport<Item> import;
  std::vector<Item>& persons = import.persons;
  PersonReader read(tokenizer, settings);
  std::string_view record;
  if (settings.FirstLineHasNames) reader.Next(record);
  while (reader.Next(record)) {
    read.Read(record, persons);
    // A person is large: a list grown by doubling would move each one about
    // twice over. Once the first records have shown how much of the file a
    // person takes, room for the whole file is made at once, a little more
    // than the estimate (room never filled is hardly ever touched).
    if (persons.size() == kPersonsBeforeEstimate && reader.Taken() > 0) {
      const std::uintmax_t estimate = reader.Size() * persons.size() / reader.Taken() * 9 / 8;
      if (estimate > persons.size())
        persons.reserve(static_cast<std::size_t>(std::min<std::uintmax_t>(estimate, persons.max_size())));
    }
  }
  // A file that could not be read to its end adds nobody, as one that could
  // not be read at all.
  if (reader.Failed()) {
    persons.clear();
    return import;
  }
  if (settings.FirstLineHasNames) {
    for (const std::size_t column : read.HeldColumns())
      if (column < settings.ImportedFieldNames.size())
        import.columnsNotImported.push_back(settings.ImportedFieldNames[column]);
  }
  return import;
}

}  // namespace

std::optional<std::vector<std::string>> ReadTextRecords(const std::string& path, const FieldTokenizer& tokenizer) {
  TextRecordReader reader(tokenizer);
  if (!reader.Open(path)) return std::nullopt;
  std::vector<std::string> records;
  std::string_view record;
  while (reader.Next(record)) records.emplace_back(record);
  if (reader.Failed()) return std::nullopt;
  return records;
}

std::optional<std::string> ReadFirstRecord(const std::string& path, const FieldTokenizer& tokenizer) {
  // The wizard reads the first record again whenever the separator or the
  // encloser changes, so only as much of the file is read as the record
  // needs.
  TextRecordReader reader(tokenizer, std::size_t{64} * 1024);
  if (!reader.Open(path)) return std::nullopt;
  return FirstRecord(reader);
}

std::string FirstRecordOfBytes(std::string bytes, const FieldTokenizer& tokenizer) {
  TextRecordReader reader(tokenizer, 0);
  reader.OpenBytes(std::move(bytes));
  return FirstRecord(reader).value_or(std::string());
}

TextImport<Person> ReadTextImport(const TextTransferSettings& settings) {
  FieldTokenizer tokenizer;
  tokenizer.SetCharacters(settings.Separator, settings.Encloser);
  TextRecordReader reader(tokenizer);
  if (!reader.Open(settings.FileName)) return {};
  return ReadPersons<Person>(reader, tokenizer, settings);
}

std::vector<Person> ReadPersonsFromText(const TextTransferSettings& settings) {
  return ReadTextImport(settings).persons;
}

TextImport<Persons::Entry> ReadPersonEntries(const TextTransferSettings& settings, std::optional<std::string> bytes) {
  FieldTokenizer tokenizer;
  tokenizer.SetCharacters(settings.Separator, settings.Encloser);
  TextRecordReader reader(tokenizer, bytes ? 0 : std::size_t{1} << 20);
  if (bytes)
    reader.OpenBytes(std::move(*bytes));
  else if (!reader.Open(settings.FileName))
    return {};
  return ReadPersons<Persons::Entry>(reader, tokenizer, settings);
}

}  // namespace vimbo
