#include "core/document/document_writer.h"

#include <array>
#include <charconv>
#include <cstring>
#include <functional>
#include <new>
#include <string_view>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "core/records/date_time_text.h"
#include "core/records/field_tables.h"

namespace vimbo {
namespace {

constexpr std::array<bool, 256> MakeEscaped() {
  std::array<bool, 256> table{};
  for (int c : {'&', '<', '>', '\'', '"', '\0'}) table[c] = true;
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
  for (; i + 16 <= text.size(); i += 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
    const __m128i hits = _mm_or_si128(
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(block, amp), _mm_cmpeq_epi8(block, lt)),
                     _mm_or_si128(_mm_cmpeq_epi8(block, gt), _mm_cmpeq_epi8(block, apos))),
        _mm_or_si128(_mm_cmpeq_epi8(block, quot), _mm_cmpeq_epi8(block, zero)));
    const int mask = _mm_movemask_epi8(hits);
    if (mask != 0) return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
  }
#endif
  for (; i < text.size(); ++i)
    if (kEscaped[static_cast<uint8_t>(text[i])]) return i;
  return text.size();
}

// Builds the text in a buffer of fixed size that is handed to a sink each
// time it fills, so a save of a large document streams to the file from
// memory that stays in the cache instead of building the whole text first.
class TextOut {
 public:
  using Sink = std::function<bool(std::string_view)>;

  explicit TextOut(Sink sink) : sink_(std::move(sink)), buffer_(kChunkSize, '\0') {
    p_ = buffer_.data();
    end_ = p_ + buffer_.size();
  }

  TextOut& operator<<(std::string_view text) {
    Copy(text);
    return *this;
  }

  TextOut& operator<<(int32_t number) {
    Reserve(16);
    p_ = std::to_chars(p_, p_ + 16, number).ptr;
    return *this;
  }

  // Text with the five markup characters replaced by their entities and
  // every other byte but zero unchanged. The text streams through the buffer
  // like any other, so a field of any length needs no memory of its own.
  void Escaped(std::string_view text) {
    std::size_t start = 0;
    while (true) {
      const std::size_t stop = FindEscaped(text, start);
      Copy(text.substr(start, stop - start));
      if (stop == text.size()) return;
      Copy(Entity(text[stop]));
      start = stop + 1;
    }
  }

  // "<indent><Name>text</Name>\n"
  void Field(std::string_view indent, std::string_view name, std::string_view text) {
    *this << indent << "<" << name << ">";
    Escaped(text);
    *this << "</" << name << ">\n";
  }

  // Hands the rest to the sink; false when any hand-over failed.
  bool Finish() {
    Flush();
    return ok_;
  }

 private:
  static constexpr std::size_t kChunkSize = 256 * 1024;

  // Room for `size` bytes, which must fit in the buffer.
  void Reserve(std::size_t size) {
    if (static_cast<std::size_t>(end_ - p_) < size) Flush();
  }

  // Copies `bytes` in, handing the buffer over each time it fills.
  void Copy(std::string_view bytes) {
    while (bytes.size() > static_cast<std::size_t>(end_ - p_)) {
      const std::size_t room = static_cast<std::size_t>(end_ - p_);
      std::memcpy(p_, bytes.data(), room);
      p_ += room;
      bytes.remove_prefix(room);
      Flush();
    }
    std::memcpy(p_, bytes.data(), bytes.size());
    p_ += bytes.size();
  }

  void Flush() {
    const std::size_t used = static_cast<std::size_t>(p_ - buffer_.data());
    if (used > 0 && ok_) ok_ = sink_(std::string_view(buffer_.data(), used));
    p_ = buffer_.data();
  }

  Sink sink_;
  std::string buffer_;
  char* p_;
  char* end_;
  bool ok_ = true;
};

std::size_t EstimateSize(const DocumentData& data) {
  std::size_t size = 2048;
  for (const auto& [id, person] : data.persons)
    size += 700 + person.Address.size() + person.EMail.size() + person.WebPage.size() + person.Company.size();
  for (const auto& [id, contact] : data.contacts) size += 200 + contact.Description.size();
  for (const auto& [id, type] : data.contactTypes) size += 80 + type.Description.size();
  return size;
}

void WriteUser(TextOut& out, const User& user) {
  out << "\t\t<User>\n";
  for (const RecordField<User>& field : kUserFields) out.Field("\t\t\t", field.fileName, user.*field.member);
  out << "\t\t</User>\n";
}

void WritePerson(TextOut& out, const Person& person) {
  out << "\t\t<Person ID=\"" << person.ID << "\">\n";
  for (const RecordField<Person>& field : kPersonFields) out.Field("\t\t\t", field.fileName, person.*field.member);
  out << "\t\t</Person>\n";
}

void WriteContact(TextOut& out, const Contact& contact) {
  out << "\t\t<Contact ID=\"" << contact.ID << "\">\n";
  out << "\t\t\t<PersonID>" << contact.PersonID << "</PersonID>\n";
  // The date text is digits, separators and AM/PM: nothing to escape.
  out << "\t\t\t<DateTime>" << DocumentDateForm(contact.DateTime).View() << "</DateTime>\n";
  out.Field("\t\t\t", "Description", contact.Description);
  out << "\t\t\t<ContactTypeID>" << contact.ContactTypeID << "</ContactTypeID>\n";
  out << "\t\t</Contact>\n";
}

bool WriteDocument(DocumentData& data, TextOut& out) {
  data.version = DocumentData::kWrittenVersion;

  out << "<?xml version=\"1.0\"?>\n";
  out << "<Vimbo Version=\"" << data.version << "\">\n";
  WriteUser(out, data.user);

  out << "\t<Persons LastID=\"" << data.persons.LastID << "\">\n";
  for (const auto& [id, person] : data.persons) WritePerson(out, person);
  out << "\t</Persons>\n";

  out << "\t<Contacts LastID=\"" << data.contacts.LastID << "\">\n";
  for (const auto& [id, contact] : data.contacts) WriteContact(out, contact);
  out << "\t</Contacts>\n";

  out << "\t<ContactTypes LastID=\"" << data.contactTypes.LastID << "\">\n";
  for (const auto& [id, type] : data.contactTypes) {
    out << "\t\t<ContactType ID=\"" << type.ID << "\">\n";
    out.Field("\t\t\t", "Description", type.Description);
    out << "\t\t</ContactType>\n";
  }
  out << "\t</ContactTypes>\n";
  out << "</Vimbo>\n";
  return out.Finish();
}

}  // namespace

std::string DocumentText(DocumentData& data) {
  std::string text;
  text.reserve(EstimateSize(data));
  TextOut out([&text](std::string_view piece) {
    text.append(piece);
    return true;
  });
  WriteDocument(data, out);
  return text;
}

bool Write(DocumentData& data, const std::string& path, WriteChunkFunction writeChunk) {
  // Running out of memory is a failed save like any other: the writer's
  // destructor removes its temporary file and the target stays as it was.
  try {
    AtomicFileWriter file(path, writeChunk);
    TextOut out([&file](std::string_view piece) { return file.Append(piece); });
    return WriteDocument(data, out) && file.Commit();
  } catch (const std::bad_alloc&) {
    return false;
  }
}

}  // namespace vimbo
