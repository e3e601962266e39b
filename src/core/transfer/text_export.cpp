#include "core/transfer/text_export.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <functional>
#include <new>
#include <string_view>
#include <vector>

#include "core/document/file_io.h"
#include "core/records/date_time_text.h"
#include "core/transfer/date_text_cache.h"
#include "core/transfer/transfer_keys.h"

namespace vimbo {
namespace {

// Gathers the export's bytes and hands them on a buffer at a time, so a
// file of any size goes out without the whole text in memory.
class ExportOutput {
 public:
  using Sink = std::function<bool(std::string_view)>;

  explicit ExportOutput(Sink sink) : sink_(std::move(sink)), buffer_(kBufferSize, '\0') {}

  void Put(std::string_view bytes) {
    if (bytes.size() > kBufferSize - used_) {
      Overflow(bytes);
      return;
    }
    std::memcpy(buffer_.data() + used_, bytes.data(), bytes.size());
    used_ += bytes.size();
  }

  void Put(char c) {
    if (used_ == kBufferSize) Flush();
    buffer_[used_++] = c;
  }

  // False when the sink refused any of the bytes.
  bool Finish() {
    Flush();
    return ok_;
  }

 private:
  static constexpr std::size_t kBufferSize = 1 << 18;

  void Overflow(std::string_view bytes) {
    Flush();
    if (bytes.size() >= kBufferSize) {
      Hand(bytes);
      return;
    }
    std::memcpy(buffer_.data(), bytes.data(), bytes.size());
    used_ = bytes.size();
  }

  void Flush() {
    Hand({buffer_.data(), used_});
    used_ = 0;
  }
  void Hand(std::string_view bytes) {
    if (ok_ && !bytes.empty()) ok_ = sink_(bytes);
  }

  Sink sink_;
  std::string buffer_;
  std::size_t used_ = 0;
  bool ok_ = true;
};

struct TextOutput {
  std::string& text;
  void Put(std::string_view bytes) { text.append(bytes); }
  void Put(char c) { text += c; }
};

// The separator and the encloser are one character but for unusual settings.
template <typename Output>
void PutCharacters(Output& out, std::string_view characters) {
  if (characters.size() == 1) {
    out.Put(characters[0]);
  } else {
    out.Put(characters);
  }
}

// The value between enclosers, with an encloser inside it doubled in every
// column: left single, it would end the value early, or, at the end of a
// line, leave it open and join the next line to it when the file is read back.
template <typename Output>
void PutEnclosed(Output& out, std::string_view value, std::string_view encloser) {
  if (encloser.empty()) {
    out.Put(value);
    return;
  }
  PutCharacters(out, encloser);
  const auto next = [&] { return encloser.size() == 1 ? value.find(encloser[0]) : value.find(encloser); };
  for (std::size_t at = next(); at != std::string_view::npos; at = next()) {
    out.Put(value.substr(0, at + encloser.size()));
    PutCharacters(out, encloser);
    value.remove_prefix(at + encloser.size());
  }
  out.Put(value);
  PutCharacters(out, encloser);
}

// An empty value is written without enclosers.
template <typename Output>
void PutValue(Output& out, std::string_view value, std::string_view encloser) {
  if (!value.empty()) PutEnclosed(out, value, encloser);
}

// Writes the line of field names and returns the columns that the value
// lines write, in their order. Every key goes out as given, also one no
// column answers to; a key switches its column on only when it matches
// exactly. A key is enclosed like a value, so an unusual encloser ("n",
// found in "Company") cannot leave the line open and join the next one to it
// on import. With ColumnOrder::kTable the columns go out in the order of
// their table, whatever the order of the keys.
template <typename Column, std::size_t N>
std::vector<std::size_t> PutNamesLine(ExportOutput& out, const std::array<Column, N>& columns,
                                      const TextTransferSettings& settings, ColumnOrder order) {
  std::array<bool, N> switchedOn{};
  std::vector<std::size_t> written;
  bool lineEmpty = true;
  const std::size_t keyCount = settings.Fields.size();
  for (std::size_t i = 0; i < keyCount; ++i) {
    const std::string& key = settings.Fields[i];
    if (!key.empty()) {
      PutEnclosed(out, key, settings.Encloser);
      lineEmpty = false;
    }
    if (!lineEmpty && i + 1 < keyCount) out.Put(settings.Separator);
    for (std::size_t c = 0; c < N; ++c) {
      if (key != columns[c].key) continue;
      switchedOn[c] = true;
      if (order == ColumnOrder::kKeys) written.push_back(c);
    }
  }
  out.Put("\n");
  if (order == ColumnOrder::kTable) {
    for (std::size_t c = 0; c < N; ++c) {
      if (switchedOn[c]) written.push_back(c);
    }
  }
  return written;
}

int PutPersons(ExportOutput& out, const DocumentData& data, const TextTransferSettings& settings,
               ColumnOrder order) {
  if (data.persons.Size() == 0) return 0;
  std::vector<std::string Person::*> members;
  for (const std::size_t c : PutNamesLine(out, kPersonKeys, settings, order))
    members.push_back(kPersonKeys[c].member);
  const std::string_view separator = settings.Separator;
  const std::string_view encloser = settings.Encloser;
  int lines = 0;
  for (const auto& [id, person] : data.persons) {
    for (std::size_t i = 0; i < members.size(); ++i) {
      if (i > 0) PutCharacters(out, separator);
      PutValue(out, person.*members[i], encloser);
    }
    out.Put('\n');
    ++lines;
  }
  return lines;
}

// Values of one kind of record, enclosed once, found by the record's ID: the
// contacts export writes a person's names once per contact, and looking them
// up in the person records themselves, scattered in memory, would cost more
// than writing them.
class PieceTable {
 public:
  // `pieces` values per record, added in ascending ID order.
  explicit PieceTable(std::size_t pieces) : pieces_(pieces) { offsets_.push_back(0); }

  void Add(int32_t id, std::string_view value, std::string_view encloser) {
    if (ids_.empty() || ids_.back() != id) ids_.push_back(id);
    TextOutput out{bytes_};
    PutValue(out, value, encloser);
    offsets_.push_back(bytes_.size());
  }

  // A direct table from ID to position when the IDs lie close together, as
  // identifiers handed out in sequence do; a search otherwise.
  void Index() {
    if (ids_.empty()) return;
    first_ = ids_.front();
    const auto span = static_cast<std::size_t>(static_cast<int64_t>(ids_.back()) - first_) + 1;
    if (span > 4 * ids_.size() + 1024) return;
    direct_.assign(span, -1);
    for (std::size_t i = 0; i < ids_.size(); ++i) direct_[static_cast<std::size_t>(ids_[i] - first_)] = static_cast<int32_t>(i);
  }

  // The position of the record with `id`, or -1.
  int32_t Find(int32_t id) const {
    if (!direct_.empty()) {
      const int64_t at = static_cast<int64_t>(id) - first_;
      return at < 0 || at >= static_cast<int64_t>(direct_.size()) ? -1 : direct_[static_cast<std::size_t>(at)];
    }
    const auto it = std::lower_bound(ids_.begin(), ids_.end(), id);
    return it == ids_.end() || *it != id ? -1 : static_cast<int32_t>(it - ids_.begin());
  }

  // Value `piece` of the record at `position`; empty for no record.
  std::string_view Piece(int32_t position, std::size_t piece) const {
    if (position < 0) return {};
    const std::size_t at = static_cast<std::size_t>(position) * pieces_ + piece;
    return std::string_view(bytes_).substr(offsets_[at], offsets_[at + 1] - offsets_[at]);
  }

 private:
  std::size_t pieces_;
  std::vector<int32_t> ids_;
  std::string bytes_;
  std::vector<std::size_t> offsets_;
  std::vector<int32_t> direct_;
  int32_t first_ = 0;
};

int PutContacts(ExportOutput& out, const DocumentData& data, const TextTransferSettings& settings,
                ColumnOrder order) {
  if (data.contacts.Size() == 0) return 0;
  std::vector<ContactField> fields;
  for (const std::size_t c : PutNamesLine(out, kContactKeys, settings, order))
    fields.push_back(kContactKeys[c].field);
  const auto uses = [&](ContactField field) { return std::find(fields.begin(), fields.end(), field) != fields.end(); };
  const std::string_view separator = settings.Separator;
  const std::string_view encloser = settings.Encloser;

  // A contact whose person or contact type has gone gets empty values in
  // those columns rather than being left out, so every contact is written.
  const bool names = uses(ContactField::kFirstName) || uses(ContactField::kLastName);
  PieceTable persons(2);
  if (names) {
    for (const auto& [id, person] : data.persons) {
      persons.Add(id, person.FName, encloser);
      persons.Add(id, person.LName, encloser);
    }
    persons.Index();
  }
  const bool types = uses(ContactField::kContactType);
  PieceTable contactTypes(1);
  if (types) {
    for (const auto& [id, type] : data.contactTypes) contactTypes.Add(id, type.Description, encloser);
    contactTypes.Index();
  }
  const bool dates = uses(ContactField::kDate) || uses(ContactField::kTime);
  DateTextCache dateTexts(DateTextCache::Part::kDate, ShortDateText);
  DateTextCache timeTexts(DateTextCache::Part::kTime, ShortTimeText);

  int lines = 0;
  for (const auto& [id, contact] : data.contacts) {
    const int32_t person = names ? persons.Find(contact.PersonID) : -1;
    const int32_t type = types ? contactTypes.Find(contact.ContactTypeID) : -1;
    const SystemTime when = dates ? contact.DateTime.ToSystemTime() : SystemTime();
    for (std::size_t i = 0; i < fields.size(); ++i) {
      if (i > 0) PutCharacters(out, separator);
      switch (fields[i]) {
        case ContactField::kFirstName: out.Put(persons.Piece(person, 0)); break;
        case ContactField::kLastName: out.Put(persons.Piece(person, 1)); break;
        case ContactField::kDate: PutValue(out, dateTexts.Text(contact.DateTime, when), encloser); break;
        case ContactField::kTime: PutValue(out, timeTexts.Text(contact.DateTime, when), encloser); break;
        case ContactField::kDescription: PutValue(out, contact.Description, encloser); break;
        case ContactField::kContactType: out.Put(contactTypes.Piece(type, 0)); break;
      }
    }
    out.Put('\n');
    ++lines;
  }
  return lines;
}

using PutRecords = int (*)(ExportOutput&, const DocumentData&, const TextTransferSettings&, ColumnOrder);

std::string ExportText(PutRecords put, const DocumentData& data, const TextTransferSettings& settings, int& lines,
                       ColumnOrder order) {
  std::string text;
  ExportOutput out([&text](std::string_view bytes) {
    text.append(bytes);
    return true;
  });
  lines = put(out, data, settings, order);
  out.Finish();
  return text;
}

// The text goes out through a temporary file, so a failed export never
// leaves a half-written file behind; running out of memory on the way is a
// failed write like any other.
std::optional<int> WriteExport(PutRecords put, const DocumentData& data, const TextTransferSettings& settings,
                               ColumnOrder order) {
  try {
    AtomicFileWriter file(settings.FileName);
    ExportOutput out([&file](std::string_view bytes) { return file.Append(bytes); });
    const int lines = put(out, data, settings, order);
    if (!out.Finish() || !file.Commit()) return std::nullopt;
    return lines;
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

}  // namespace

std::string PersonsExportText(const DocumentData& data, const TextTransferSettings& settings, int& lines,
                              ColumnOrder order) {
  return ExportText(PutPersons, data, settings, lines, order);
}

std::string ContactsExportText(const DocumentData& data, const TextTransferSettings& settings, int& lines,
                               ColumnOrder order) {
  return ExportText(PutContacts, data, settings, lines, order);
}

std::optional<int> WritePersonsExport(const DocumentData& data, const TextTransferSettings& settings,
                                      ColumnOrder order) {
  return WriteExport(PutPersons, data, settings, order);
}

std::optional<int> WriteContactsExport(const DocumentData& data, const TextTransferSettings& settings,
                                       ColumnOrder order) {
  return WriteExport(PutContacts, data, settings, order);
}

int ExportPersons(const DocumentData& data, const TextTransferSettings& settings) {
  return WritePersonsExport(data, settings).value_or(0);
}

int ExportContacts(const DocumentData& data, const TextTransferSettings& settings) {
  return WriteContactsExport(data, settings).value_or(0);
}

}  // namespace vimbo
