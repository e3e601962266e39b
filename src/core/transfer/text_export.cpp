#include "core/transfer/text_export.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <memory>
#include <new>
#include <string_view>
#include <vector>

#include "core/document/buffered_output.h"
#include "core/document/file_io.h"
#include "core/records/date_time_text.h"
#include "core/transfer/date_text_cache.h"
#include "core/transfer/transfer_keys.h"

namespace vimbo {
namespace {

using ExportOutput = BufferedOutput;

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

// Where `c` first stands in `value`. Most values are short (a date, a
// time), and a plain loop finds it in those sooner than a library call.
inline std::size_t Find(std::string_view value, char c) {
  if (value.size() > 32) return value.find(c);
  for (std::size_t i = 0; i < value.size(); ++i)
    if (value[i] == c) return i;
  return std::string_view::npos;
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
  const auto next = [&] { return encloser.size() == 1 ? Find(value, encloser[0]) : value.find(encloser); };
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

int PutPersons(ExportOutput& out, const DocumentData& data, const TextTransferSettings& settings, ColumnOrder order) {
  if (data.persons.Size() == 0) return 0;
  std::vector<CompactText Person::*> members;
  for (const std::size_t c : PutNamesLine(out, kPersonKeys, settings, order)) members.push_back(kPersonKeys[c].member);
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

// Asks the processor to fetch the memory at `at` ahead of its use. The
// contacts export reads each contact's person and description from places
// scattered in memory; fetched a few contacts ahead, they are there when the
// line is written instead of stalling it.
inline void Prefetch(const void* at) {
#if defined(__GNUC__) || defined(__clang__)
  __builtin_prefetch(at);
#else
  (void)at;
#endif
}

// Values of one kind of record, enclosed once, found by the record's ID: the
// contacts export writes a person's names once per contact, and looking them
// up in the person records themselves, scattered in memory, would cost more
// than writing them. A record's values lie together, each after its length,
// so one lookup and one block of memory give all of them.
class PieceTable {
 public:
  // Adds the values of the record `id`, enclosed; records come in ascending
  // ID order, each with the same number of values.
  void Add(int32_t id, std::initializer_list<std::string_view> values, std::string_view encloser) {
    ids_.push_back(id);
    starts_.push_back(bytes_.size());
    for (const std::string_view value : values) {
      const std::size_t lengthAt = bytes_.size();
      bytes_.append(sizeof(std::size_t), '\0');
      TextOutput out{bytes_};
      PutValue(out, value, encloser);
      const std::size_t length = bytes_.size() - lengthAt - sizeof(std::size_t);
      std::memcpy(bytes_.data() + lengthAt, &length, sizeof length);
    }
  }

  // A direct table from ID to block when the IDs lie close together, as
  // identifiers handed out in sequence do; a search otherwise.
  void Index() {
    if (ids_.empty()) return;
    first_ = ids_.front();
    const auto span = static_cast<std::size_t>(static_cast<int64_t>(ids_.back()) - first_) + 1;
    if (span > 4 * ids_.size() + 1024) return;
    direct_.assign(span, kNone);
    for (std::size_t i = 0; i < ids_.size(); ++i) direct_[static_cast<std::size_t>(ids_[i] - first_)] = starts_[i];
  }

  // The block of the record with `id`, or nullptr.
  const char* Find(int32_t id) const {
    std::size_t start = kNone;
    if (!direct_.empty()) {
      const int64_t at = static_cast<int64_t>(id) - first_;
      if (at >= 0 && at < static_cast<int64_t>(direct_.size())) start = direct_[static_cast<std::size_t>(at)];
    } else {
      const auto it = std::lower_bound(ids_.begin(), ids_.end(), id);
      if (it != ids_.end() && *it == id) start = starts_[static_cast<std::size_t>(it - ids_.begin())];
    }
    return start == kNone ? nullptr : bytes_.data() + start;
  }

  // Fetches the table's entry for `id` ahead of a Find.
  void PrefetchEntry(int32_t id) const {
    const int64_t at = static_cast<int64_t>(id) - first_;
    if (at >= 0 && at < static_cast<int64_t>(direct_.size())) Prefetch(direct_.data() + at);
  }

  // Value `piece` of a record's block; empty for no record.
  static std::string_view Piece(const char* block, std::size_t piece) {
    if (!block) return {};
    std::size_t length;
    while (true) {
      std::memcpy(&length, block, sizeof length);
      block += sizeof length;
      if (piece-- == 0) return {block, length};
      block += length;
    }
  }

 private:
  static constexpr std::size_t kNone = SIZE_MAX;

  std::vector<int32_t> ids_;
  std::vector<std::size_t> starts_;
  std::string bytes_;
  std::vector<std::size_t> direct_;
  int32_t first_ = 0;
};

// The date or the time text of contacts. The date is kept enclosed per day:
// a log holds many contacts of one day, and a few thousand days cover
// decades. Each slot holds the text of one day; another day of the same slot
// takes it over, so the table stays small. A time, with tens of thousands of
// seconds in a day, is put together anew from its pattern each time.
class MomentPieces {
 public:
  MomentPieces(DateTextCache::Part part, DateTextCache::Format format, std::string_view encloser, std::size_t contacts)
      : part_(part), texts_(part, format), encloser_(encloser) {
    if (part != DateTextCache::Part::kDate) return;
    std::size_t slots = 64;
    while (slots < contacts && slots < kMostSlots) slots *= 2;
    slots_.resize(slots);
  }

  struct Moment {
    int32_t day;
    int32_t second;
  };

  // The day and the second of the day whose texts `value` has, split as
  // DateTimeValue::ToSystemTime splits it: the integer part names the day,
  // the fraction is the time from that day's midnight whatever the sign,
  // rounded to the nearest second, and a time that rounds to midnight is the
  // next day's. Only for a valid value.
  static Moment MomentOf(const DateTimeValue& value) {
    const double number = value.Number();
    const double wholeDays = std::trunc(number);
    Moment moment{static_cast<int32_t>(wholeDays), 0};
    // Half a second rounds away from zero, as llround does, without the call.
    const double seconds = std::fabs(number - wholeDays) * kSecondsPerDay;
    const double wholeSeconds = std::floor(seconds);
    moment.second = static_cast<int32_t>(wholeSeconds) + (seconds - wholeSeconds >= 0.5 ? 1 : 0);
    if (moment.second >= kSecondsPerDay) {
      moment.second = 0;
      ++moment.day;
    }
    return moment;
  }

  // Fetches what Put will need for `moment` ahead of its use.
  void PrefetchFor(const Moment& moment) const {
    if (!slots_.empty()) Prefetch(&SlotOf(moment));
  }

  // Writes the enclosed text of `value`'s date or time, whose moment is
  // `moment`; nothing for an invalid value.
  void Put(ExportOutput& out, const DateTimeValue& value, const Moment& moment) {
    if (!value.IsValid()) return;
    if (part_ == DateTextCache::Part::kTime) {
      SystemTime fields;
      fields.hour = moment.second / 3600;
      fields.minute = moment.second / 60 % 60;
      fields.second = moment.second % 60;
      PutValue(out, texts_.Text(value, fields), encloser_);
      return;
    }
    Slot& slot = SlotOf(moment);
    if (slot.key != moment.day) {
      piece_.clear();
      TextOutput text{piece_};
      PutValue(text, texts_.Text(value, value.ToSystemTime()), encloser_);
      if (piece_.size() > sizeof slot.text) {
        out.Put(piece_);
        return;
      }
      slot.key = moment.day;
      slot.length = static_cast<unsigned char>(piece_.size());
      std::memcpy(slot.text, piece_.data(), piece_.size());
    }
    out.Put(std::string_view(slot.text, slot.length));
  }

 private:
  // Room for the days of a few decades without two in one slot.
  static constexpr std::size_t kMostSlots = std::size_t{1} << 14;
  static constexpr int32_t kSecondsPerDay = 24 * 60 * 60;

  // Room for the short date of any locale, enclosed, in half a cache line.
  struct Slot {
    int32_t key = INT32_MIN;  // no day
    unsigned char length = 0;
    char text[27];
  };

  Slot& SlotOf(const Moment& moment) { return slots_[static_cast<uint32_t>(moment.day) & (slots_.size() - 1)]; }
  const Slot& SlotOf(const Moment& moment) const {
    return slots_[static_cast<uint32_t>(moment.day) & (slots_.size() - 1)];
  }

  DateTextCache::Part part_;
  DateTextCache texts_;
  std::string_view encloser_;
  std::vector<Slot> slots_;
  std::string piece_;
};

// Which columns a contacts export writes beyond the contact's own.
struct ContactNeeds {
  bool names = false;
  bool types = false;
  bool dates = false;
  bool times = false;
  bool descriptions = false;
};

// What a contact's line needs from elsewhere in memory (the person's names,
// the description, the date's text) is looked up a few contacts ahead and
// fetched meanwhile: far enough for memory to answer in time, near enough
// for what was fetched to be still there.
struct Ahead {
  const char* person = nullptr;
  const char* type = nullptr;
  MomentPieces::Moment moment{};
};

Ahead LookAhead(const Contact& contact, const ContactNeeds& needs, const PieceTable& persons,
                const PieceTable& contactTypes, const MomentPieces& dateTexts) {
  Ahead next;
  if (needs.names) {
    next.person = persons.Find(contact.PersonID);
    if (next.person) Prefetch(next.person);
  }
  if (needs.types) next.type = contactTypes.Find(contact.ContactTypeID);
  if (needs.descriptions) Prefetch(contact.Description.data());
  if ((needs.dates || needs.times) && contact.DateTime.IsValid()) {
    next.moment = MomentPieces::MomentOf(contact.DateTime);
    dateTexts.PrefetchFor(next.moment);
  }
  return next;
}

struct ContactLine {
  const std::vector<ContactField>& fields;
  std::string_view separator;
  std::string_view encloser;
  MomentPieces& dateTexts;
  MomentPieces& timeTexts;

  void Put(ExportOutput& out, const Contact& contact, const Ahead& now) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
      if (i > 0) PutCharacters(out, separator);
      switch (fields[i]) {
        case ContactField::kFirstName: out.Put(PieceTable::Piece(now.person, 0)); break;
        case ContactField::kLastName: out.Put(PieceTable::Piece(now.person, 1)); break;
        case ContactField::kDate: dateTexts.Put(out, contact.DateTime, now.moment); break;
        case ContactField::kTime: timeTexts.Put(out, contact.DateTime, now.moment); break;
        case ContactField::kDescription: PutValue(out, contact.Description, encloser); break;
        case ContactField::kContactType: out.Put(PieceTable::Piece(now.type, 0)); break;
      }
    }
    out.Put('\n');
  }
};

int PutContacts(ExportOutput& out, const DocumentData& data, const TextTransferSettings& settings, ColumnOrder order) {
  if (data.contacts.Size() == 0) return 0;
  std::vector<ContactField> fields;
  for (const std::size_t c : PutNamesLine(out, kContactKeys, settings, order)) fields.push_back(kContactKeys[c].field);
  const auto uses = [&](ContactField field) { return std::find(fields.begin(), fields.end(), field) != fields.end(); };
  const ContactNeeds needs{.names = uses(ContactField::kFirstName) || uses(ContactField::kLastName),
                           .types = uses(ContactField::kContactType),
                           .dates = uses(ContactField::kDate),
                           .times = uses(ContactField::kTime),
                           .descriptions = uses(ContactField::kDescription)};
  const std::string_view encloser = settings.Encloser;

  // A contact whose person or contact type has gone gets empty values in
  // those columns rather than being left out, so every contact is written.
  PieceTable persons;
  if (needs.names) {
    for (const auto& [id, person] : data.persons) persons.Add(id, {person.FName, person.LName}, encloser);
    persons.Index();
  }
  PieceTable contactTypes;
  if (needs.types) {
    for (const auto& [id, type] : data.contactTypes) contactTypes.Add(id, {type.Description}, encloser);
    contactTypes.Index();
  }
  const std::size_t count = data.contacts.Size();
  MomentPieces dateTexts(DateTextCache::Part::kDate, settings.IsoDates ? IsoDateText : ShortDateText, encloser,
                         needs.dates ? count : 0);
  MomentPieces timeTexts(DateTextCache::Part::kTime, settings.IsoDates ? IsoTimeText : ShortTimeText, encloser,
                         needs.times ? count : 0);
  ContactLine line{fields, settings.Separator, encloser, dateTexts, timeTexts};

  // The person's table entry is fetched further ahead still, since the
  // lookup itself reads it.
  constexpr std::size_t kAhead = 4;
  constexpr std::size_t kEntryAhead = 2 * kAhead;
  std::array<Ahead, kAhead> ahead{};
  const auto contacts = data.contacts.begin();
  const auto contactAt = [&](std::size_t c) -> const Contact& {
    return contacts[static_cast<std::ptrdiff_t>(c)].second;
  };
  for (std::size_t c = 0; c < std::min(count, kAhead); ++c)
    ahead[c] = LookAhead(contactAt(c), needs, persons, contactTypes, dateTexts);
  for (std::size_t c = 0; c < count; ++c) {
    const Ahead now = ahead[c % kAhead];
    if (needs.names && c + kEntryAhead < count) persons.PrefetchEntry(contactAt(c + kEntryAhead).PersonID);
    if (c + kAhead < count)
      ahead[c % kAhead] = LookAhead(contactAt(c + kAhead), needs, persons, contactTypes, dateTexts);
    line.Put(out, contactAt(c), now);
  }
  return static_cast<int>(count);
}

using PutRecords = int (*)(ExportOutput&, const DocumentData&, const TextTransferSettings&, ColumnOrder);

std::string ExportText(PutRecords put, const DocumentData& data, const TextTransferSettings& settings,
                       ColumnOrder order) {
  std::string text;
  ExportOutput out([&text](std::string_view bytes) {
    text.append(bytes);
    return true;
  });
  put(out, data, settings, order);
  out.Finish();
  return text;
}

// Running out of memory on the way is a failed write like any other.
Outcome PutExport(PutRecords put, const DocumentData& data, const TextTransferSettings& settings,
                  const ExportSink& sink, ColumnOrder order) {
  try {
    ExportOutput out(sink);
    const int lines = put(out, data, settings, order);
    if (out.Finish()) return Outcome::Done(lines);
  } catch (const std::bad_alloc&) {
  }
  return Outcome::Failed(SaveErrorMessage(settings.FileName));
}

// The text goes out through a temporary file, so a failed export never
// leaves a half-written file behind.
Outcome WriteExport(PutRecords put, const DocumentData& data, const TextTransferSettings& settings, ColumnOrder order) {
  try {
    AtomicFileWriter file(settings.FileName);
    Outcome outcome = PutExport(
        put, data, settings, [&file](std::string_view bytes) { return file.Append(bytes); }, order);
    if (outcome.IsDone() && !file.Commit()) outcome = Outcome::Failed(SaveErrorMessage(settings.FileName));
    return outcome;
  } catch (const std::bad_alloc&) {
    return Outcome::Failed(SaveErrorMessage(settings.FileName));
  }
}

}  // namespace

std::string PersonsExportText(const DocumentData& data, const TextTransferSettings& settings, ColumnOrder order) {
  return ExportText(PutPersons, data, settings, order);
}

std::string ContactsExportText(const DocumentData& data, const TextTransferSettings& settings, ColumnOrder order) {
  return ExportText(PutContacts, data, settings, order);
}

Outcome ExportPersons(const DocumentData& data, const TextTransferSettings& settings, ColumnOrder order) {
  return WriteExport(PutPersons, data, settings, order);
}

Outcome ExportContacts(const DocumentData& data, const TextTransferSettings& settings, ColumnOrder order) {
  return WriteExport(PutContacts, data, settings, order);
}

Outcome ExportPersons(const DocumentData& data, const TextTransferSettings& settings, const ExportSink& sink,
                      ColumnOrder order) {
  return PutExport(PutPersons, data, settings, sink, order);
}

Outcome ExportContacts(const DocumentData& data, const TextTransferSettings& settings, const ExportSink& sink,
                       ColumnOrder order) {
  return PutExport(PutContacts, data, settings, sink, order);
}

}  // namespace vimbo
