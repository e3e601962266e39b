#include "core/document/document_writer.h"

#include <array>
#include <charconv>
#include <cstring>
#include <functional>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "core/document/buffered_output.h"
#include "core/document/sixteen_bytes.h"
#include "core/records/date_time_text.h"
#include "core/records/field_tables.h"

namespace vimbo {
namespace {

constexpr std::array<bool, 256> MakeEscaped() {
  std::array<bool, 256> table{};
  for (const char c : {'&', '<', '>', '\'', '"', '\0'}) table[static_cast<unsigned char>(c)] = true;
  return table;
}
constexpr std::array<bool, 256> kEscaped = MakeEscaped();

std::string_view Entity(char c) {
  switch (c) {
    case '&': return "&amp;";
    case '<': return "&lt;";
    case '>': return "&gt;";
    case '\'': return "&apos;";
    case '"': return "&quot;";
    // A zero byte would end the text for the parser and make the whole file
    // unreadable; as a reference it reads back as the same byte.
    default: return "&#0;";
  }
}

// The position of the first byte at or after `from` that needs an entity, or
// the text's size. Most fields need none, so the search runs sixteen bytes at
// a time where the processor allows.
std::size_t FindEscaped(std::string_view text, std::size_t from) {
  std::size_t i = from;
#ifdef __SSE2__
  const __m128i amp = _mm_set1_epi8('&'), lt = _mm_set1_epi8('<'), gt = _mm_set1_epi8('>');
  const __m128i apos = _mm_set1_epi8('\''), quot = _mm_set1_epi8('"'), zero = _mm_setzero_si128();
  const auto hits = [&](__m128i block) {
    return _mm_movemask_epi8(
        _mm_or_si128(_mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(block, amp), _mm_cmpeq_epi8(block, lt)),
                                  _mm_or_si128(_mm_cmpeq_epi8(block, gt), _mm_cmpeq_epi8(block, apos))),
                     _mm_or_si128(_mm_cmpeq_epi8(block, quot), _mm_cmpeq_epi8(block, zero))));
  };
  for (; i + 16 <= text.size(); i += 16) {
    const int mask = hits(_mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i)));
    if (mask != 0) return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
  }
  // The rest, most fields whole, in one go too.
  if (i == text.size()) return i;
  const auto mask = static_cast<unsigned>(hits(LastSixteenBytes(text.data(), text.size(), 'x')));
  return FirstMatchInLast(mask, i, text.size());
#endif
  for (; i < text.size(); ++i)
    if (kEscaped[static_cast<uint8_t>(text[i])]) return i;
  return text.size();
}

// The fixed pieces of one field's line, put together once per save rather
// than tag character by tag character for every field of every record.
struct FieldLine {
  explicit FieldLine(std::string_view name)
      : open("\t\t\t<" + std::string(name) + ">"), close("</" + std::string(name) + ">\n"), empty(open + close) {}
  std::string open;
  std::string close;
  std::string empty;
};

template <typename Record, std::size_t N>
std::vector<FieldLine> FieldLines(const RecordField<Record> (&fields)[N]) {
  std::vector<FieldLine> lines;
  lines.reserve(N);
  for (const RecordField<Record>& field : fields) lines.emplace_back(field.fileName);
  return lines;
}

// The document's text, streamed through a buffer to the file (or a string).
class TextOut {
 public:
  explicit TextOut(BufferedOutput::Sink sink) : out_(std::move(sink)) {}

  TextOut& operator<<(std::string_view text) {
    out_.Put(text);
    return *this;
  }

  TextOut& operator<<(int32_t number) {
    // Room for the longest number the copy may take in one piece, so that
    // the compiler sees no read past the array.
    char digits[32];
    out_.Put(
        std::string_view(digits, static_cast<std::size_t>(std::to_chars(digits, digits + 12, number).ptr - digits)));
    return *this;
  }

  // Text with the five markup characters replaced by their entities and
  // every other byte but zero unchanged, copied run by run without a copy of
  // its own.
  void Escaped(std::string_view text) {
    std::size_t start = 0;
    while (true) {
      const std::size_t stop = FindEscaped(text, start);
      out_.Put(text.substr(start, stop - start));
      if (stop == text.size()) return;
      out_.Put(Entity(text[stop]));
      start = stop + 1;
    }
  }

  // An attribute's value, quoted. Line breaks and tabs go as references:
  // a reader of XML turns them into spaces otherwise.
  void Attribute(std::string_view name, std::string_view value) {
    out_.Put(" ", name, "=\"");
    std::size_t start = 0;
    for (std::size_t i = 0; i < value.size(); ++i) {
      const char c = value[i];
      std::string_view entity;
      if (c == '\r')
        entity = "&#13;";
      else if (c == '\n')
        entity = "&#10;";
      else if (c == '\t')
        entity = "&#9;";
      else if (kEscaped[static_cast<uint8_t>(c)])
        entity = Entity(c);
      else
        continue;
      out_.Put(value.substr(start, i - start));
      out_.Put(entity);
      start = i + 1;
    }
    out_.Put(value.substr(start));
    out_.Put("\"");
  }

  // "\t\t\t<Name>text</Name>\n"
  void Field(const FieldLine& line, std::string_view text) {
    if (text.empty()) {
      out_.Put(line.empty);
      return;
    }
    // Most texts need no entity and go out in one piece with their tags.
    if (FindEscaped(text, 0) == text.size()) {
      out_.Put(line.open, text, line.close);
      return;
    }
    out_.Put(line.open);
    Escaped(text);
    out_.Put(line.close);
  }

  // Hands the rest to the sink; false when any hand-over failed.
  bool Finish() { return out_.Finish(); }

 private:
  BufferedOutput out_;
};

std::size_t EstimateSize(const DocumentData& data) {
  std::size_t size = 2048;
  for (const auto& [id, person] : data.persons)
    size += 700 + person.Address.size() + person.EMail.size() + person.WebPage.size() + person.Company.size();
  for (const auto& [id, contact] : data.contacts) size += 200 + contact.Description.size();
  for (const auto& [id, type] : data.contactTypes) size += 80 + type.Description.size();
  return size;
}

template <typename Record, std::size_t N>
void WriteFields(TextOut& out, const Record& record, const RecordField<Record> (&fields)[N],
                 const std::vector<FieldLine>& lines) {
  for (std::size_t i = 0; i < N; ++i) out.Field(lines[i], record.*fields[i].member);
}

// What a person has beyond the seventeen fields, each element only when
// present, so a document without any is written as before.
void WriteExtras(TextOut& out, const Person& person) {
  if (person.Birthday.IsSet()) out << "\t\t\t<Birthday>" << person.Birthday.Text() << "</Birthday>\n";
  if (person.Anniversary.IsSet()) out << "\t\t\t<Anniversary>" << person.Anniversary.Text() << "</Anniversary>\n";
  if (person.KeepInTouch > 0) out << "\t\t\t<KeepInTouch>" << person.KeepInTouch << "</KeepInTouch>\n";
  if (!person.Notes.empty()) out.Field(FieldLine("Notes"), person.Notes);
  for (const PersonDetail& detail : person.Details) {
    out << "\t\t\t<Detail";
    out.Attribute("Kind", DetailKindName(detail.kind));
    if (!detail.label.empty()) out.Attribute("Label", detail.label);
    for (const AddressPart& part : kAddressParts)
      if (!(detail.*part.member).empty()) out.Attribute(part.fileName, detail.*part.member);
    if (!detail.type.empty()) out.Attribute("Type", detail.type);
    if (detail.value.empty()) {
      out << "/>\n";
    } else {
      out << ">";
      out.Escaped(detail.value);
      out << "</Detail>\n";
    }
  }
}

void WriteContacts(TextOut& out, const Contacts& contacts) {
  const FieldLine description("Description");
  DocumentDateWriter dates;
  for (const auto& [id, contact] : contacts) {
    out << "\t\t<Contact ID=\"" << contact.ID << "\">\n\t\t\t<PersonID>" << contact.PersonID;
    // The date text is digits, separators and AM/PM: nothing to escape.
    out << "</PersonID>\n\t\t\t<DateTime>" << dates.Text(contact.DateTime) << "</DateTime>\n";
    out.Field(description, contact.Description);
    out << "\t\t\t<ContactTypeID>" << contact.ContactTypeID << "</ContactTypeID>\n";
    // Last, and only when set, so a document without follow-ups is written
    // as before.
    if (contact.FollowUp.IsSet()) {
      out << "\t\t\t<FollowUp Done=\"" << (contact.FollowUp.Done ? "1" : "0") << "\">";
      out << dates.Text(contact.FollowUp.When) << "</FollowUp>\n";
    }
    out << "\t\t</Contact>\n";
  }
}

// Every save writes the current version, whatever version the document was
// read from; the data itself keeps the version it was loaded with.
bool WriteDocument(const DocumentData& data, TextOut& out) {
  out << "<?xml version=\"1.0\"?>\n";
  out << "<Vimbo Version=\"" << DocumentData::kWrittenVersion << "\">\n";
  out << "\t\t<User>\n";
  WriteFields(out, data.user, kUserFields, FieldLines(kUserFields));
  out << "\t\t</User>\n";

  out << "\t<Persons LastID=\"" << data.persons.LastID << "\">\n";
  const std::vector<FieldLine> personLines = FieldLines(kPersonFields);
  for (const auto& [id, person] : data.persons) {
    out << "\t\t<Person ID=\"" << person.ID << "\">\n";
    WriteFields(out, person, kPersonFields, personLines);
    if (person.HasExtras()) WriteExtras(out, person);
    out << "\t\t</Person>\n";
  }
  out << "\t</Persons>\n";

  out << "\t<Contacts LastID=\"" << data.contacts.LastID << "\">\n";
  WriteContacts(out, data.contacts);
  out << "\t</Contacts>\n";

  out << "\t<ContactTypes LastID=\"" << data.contactTypes.LastID << "\">\n";
  const FieldLine typeDescription("Description");
  for (const auto& [id, type] : data.contactTypes) {
    out << "\t\t<ContactType ID=\"" << type.ID << "\">\n";
    out.Field(typeDescription, type.Description);
    out << "\t\t</ContactType>\n";
  }
  out << "\t</ContactTypes>\n";
  out << "</Vimbo>\n";
  return out.Finish();
}

}  // namespace

std::string DocumentText(const DocumentData& data) {
  std::string text;
  text.reserve(EstimateSize(data));
  TextOut out([&text](std::string_view piece) {
    text.append(piece);
    return true;
  });
  WriteDocument(data, out);
  return text;
}

Outcome Write(const DocumentData& data, const std::string& path, WriteChunkFunction writeChunk) {
  // Running out of memory is a failed save like any other: the writer's
  // destructor removes its temporary file and the target stays as it was.
  try {
    AtomicFileWriter file(path, writeChunk);
    TextOut out([&file](std::string_view piece) { return file.Append(piece); });
    if (WriteDocument(data, out) && file.Commit()) return Outcome::Done();
  } catch (const std::bad_alloc&) {
  }
  return Outcome::Failed(SaveErrorMessage(path));
}

}  // namespace vimbo
