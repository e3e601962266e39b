#include "core/transfer/field_tokenizer.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>

#include "core/document/sixteen_bytes.h"
#include "core/records/text_rules.h"

namespace vimbo {
namespace {

bool IsOctalDigit(char c) { return c >= '0' && c <= '7'; }

// White space as the text rules define it, looked up in a table: the
// tokenizer asks at the start of every field.
const std::array<bool, 256> kWhiteSpace = [] {
  std::array<bool, 256> table{};
  for (int c = 0; c < 256; ++c) table[static_cast<std::size_t>(c)] = IsWhiteSpace(static_cast<char>(c));
  return table;
}();

bool IsBlank(char c) { return kWhiteSpace[static_cast<unsigned char>(c)]; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Where the first of the characters `a`, `b` and `c` stands in `text` from
// `from` on, or npos. Sixteen bytes are compared at a time where the
// processor allows; otherwise eight: a byte equal to the wanted one gives a
// zero byte after the exclusive or, and the lowest zero byte's flag is exact
// (higher flags may be false, but the lowest set flag of any search is the
// first match of them all).
std::size_t FindAny(std::string_view text, std::size_t from, char a, char b, char c) {
  const std::size_t n = text.size();
  std::size_t i = from;
#ifdef __SSE2__
  const __m128i wantA = _mm_set1_epi8(a);
  const __m128i wantB = _mm_set1_epi8(b);
  const __m128i wantC = _mm_set1_epi8(c);
  const auto matches = [&](__m128i block) {
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(
        _mm_or_si128(_mm_cmpeq_epi8(block, wantA), _mm_cmpeq_epi8(block, wantB)), _mm_cmpeq_epi8(block, wantC))));
  };
  for (; i + 16 <= n; i += 16) {
    const unsigned mask = matches(_mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i)));
    if (mask != 0) return i + static_cast<std::size_t>(std::countr_zero(mask));
  }
  // Most fields are shorter than sixteen bytes: their rest is compared in
  // one go too, filled up with a byte that is no wanted one.
  if (i >= n) return std::string_view::npos;
  char filler = 1;
  while (filler == a || filler == b || filler == c) ++filler;
  const std::size_t found = FirstMatchInLast(matches(LastSixteenBytes(text.data(), n, filler)), i, n);
  return found == n ? std::string_view::npos : found;
#endif
  if constexpr (std::endian::native == std::endian::little) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kHighs = 0x8080808080808080ULL;
    const auto zeroBytes = [](std::uint64_t x) { return (x - kOnes) & ~x & kHighs; };
    const std::uint64_t wantA = kOnes * static_cast<unsigned char>(a);
    const std::uint64_t wantB = kOnes * static_cast<unsigned char>(b);
    const std::uint64_t wantC = kOnes * static_cast<unsigned char>(c);
    for (; i + 8 <= n; i += 8) {
      std::uint64_t word;
      std::memcpy(&word, text.data() + i, sizeof word);
      const std::uint64_t found = zeroBytes(word ^ wantA) | zeroBytes(word ^ wantB) | zeroBytes(word ^ wantC);
      if (found != 0) return i + static_cast<std::size_t>(std::countr_zero(found)) / 8;
    }
  }
  for (; i < n; ++i)
    if (text[i] == a || text[i] == b || text[i] == c) return i;
  return std::string_view::npos;
}

std::size_t FindEither(std::string_view text, std::size_t from, char a, char b) { return FindAny(text, from, a, b, b); }

std::size_t FindFrom(std::string_view text, std::size_t from, char c) { return FindAny(text, from, c, c, c); }

// A record ends at a line feed, a carriage return and line feed, or a lone
// carriage return (the line end of older systems).
bool IsLineBreak(char c) { return c == '\n' || c == '\r'; }

// An unset character (0) never matches, so a zero byte in the data is an
// ordinary character.
bool Is(char c, char wanted) { return wanted != 0 && c == wanted; }

char EscapedCharacter(char c) {
  switch (c) {
    case 'a': return '\a';
    case 'b': return '\b';
    case 'f': return '\f';
    case 'n': return '\n';
    case 'r': return '\r';
    case 't': return '\t';
    case 'v': return '\v';
    default: return c;
  }
}

// The number of enclosers in a row from `at`.
std::size_t RunLength(std::string_view text, std::size_t at, char encloser) {
  std::size_t end = at;
  while (end < text.size() && text[end] == encloser) ++end;
  return end - at;
}

// Whether an enclosed field's encloser is still open after a run of `run`
// enclosers, read as spreadsheet programs write them: the opening encloser,
// then pairs that stand for one encloser each; an encloser left over closes
// the field, and a closed field stays closed. The run that holds the opening
// encloser is `first`. A line break only continues a record, and only
// belongs to a value, while the encloser is open.
bool OpenAfterRun(bool open, bool first, std::size_t run) {
  if (first) return run % 2 == 1;
  return open && run % 2 == 0;
}

// How far a scan of one field got: where the next field starts or, when
// `recordEnd` is set, where the record ends.
struct FieldScan {
  std::size_t at;
  bool recordEnd;
};

// Scans the plain field that starts at `i`, up to the separator after it.
FieldScan ScanPlainField(std::string_view text, std::size_t i, char separator) {
  // No separator: only a line break ends the field.
  i = FindAny(text, i, '\n', '\r', separator == 0 ? '\n' : separator);
  if (i == std::string_view::npos) return {text.size(), true};
  if (IsLineBreak(text[i])) return {i, true};
  return {i + 1, false};
}

// The usual enclosed field, in one search: the opening encloser at `i`, a
// value without one, and a lone closing encloser before the separator or the
// line feed. Nothing for any other field.
std::optional<FieldScan> ScanUsualEnclosedField(std::string_view text, std::size_t i, char separator, char encloser) {
  const std::size_t n = text.size();
  if (i + 1 >= n || text[i + 1] == encloser || Is(text[i + 1], separator)) return std::nullopt;
  const std::size_t close = FindFrom(text, i + 1, encloser);
  if (close == std::string_view::npos || close + 1 >= n || text[close + 1] == encloser) return std::nullopt;
  if (Is(text[close + 1], separator)) return FieldScan{close + 2, false};
  if (IsLineBreak(text[close + 1])) return FieldScan{close + 1, true};
  return std::nullopt;
}

// Scans the enclosed field whose opening encloser is at `i`. It ends only at
// an encloser that is not part of a pair and is followed by the separator.
FieldScan ScanEnclosedField(std::string_view text, std::size_t i, char separator, char encloser) {
  // The whole walk below gives the same for the usual field, only slower.
  if (const std::optional<FieldScan> usual = ScanUsualEnclosedField(text, i, separator, encloser)) return *usual;
  const std::size_t n = text.size();
  bool open = true;
  bool first = true;
  while (true) {
    if (open) {
      // Inside an open encloser only the next encloser matters.
      const std::size_t next = FindFrom(text, i, encloser);
      if (next == std::string_view::npos) return {n, true};
      if (next > i) first = false;
      i = next;
    }
    if (i == n) return {n, true};
    const char c = text[i];
    if (IsLineBreak(c) && !open) return {i, true};
    if (c != encloser) {
      ++i;
      first = false;
      continue;
    }
    const std::size_t run = RunLength(text, i, encloser);
    open = OpenAfterRun(open, first, run);
    first = false;
    i += run;
    if (run % 2 == 1 && i < n && Is(text[i], separator)) return {i + 1, false};
  }
}

// Where the first record of `text` ends: at the line break that ends it, or
// at the end of the text. Follows the fields as NextField takes them, so that
// a line break ends the record unless it falls inside an open encloser.
std::size_t RecordEnd(std::string_view text, char separator, char encloser) {
  const std::size_t n = text.size();
  std::size_t i = 0;
  while (true) {
    // The start of a field: NextField trims the white space before it.
    while (i < n && !IsLineBreak(text[i]) && IsBlank(text[i])) ++i;
    if (i == n || IsLineBreak(text[i])) return i;
    FieldScan scan{i + 1, false};  // a separator: an empty field
    if (!Is(text[i], separator)) {
      scan =
          Is(text[i], encloser) ? ScanEnclosedField(text, i, separator, encloser) : ScanPlainField(text, i, separator);
    }
    if (scan.recordEnd) return scan.at;
    i = scan.at;
  }
}

// Appends the character that the escape at `i` (a backslash) stands for:
// up to three octal digits, or a letter of the C escapes, or the character
// itself. Returns where reading goes on; a backslash with nothing after it
// ends the text.
std::size_t ReadEscape(std::string_view text, std::size_t i, std::string& field) {
  const std::size_t n = text.size();
  if (i + 1 >= n) return n;
  const char e = text[i + 1];
  if (!IsOctalDigit(e)) {
    field += EscapedCharacter(e);
    return i + 2;
  }
  std::size_t end = i + 1;
  unsigned code = 0;
  while (end < n && end < i + 4 && IsOctalDigit(text[end])) code = code * 8 + (text[end++] - '0');
  field += static_cast<char>(code % 256);
  return end;
}

// Reads the enclosed field at the start of `text` (trimmed, starting with the
// encloser) into `field`; returns where the rest of the record starts. The
// cursor starts on the opening encloser, which the encloser rule drops like a
// closing one. Running off the end of the text (after a doubled encloser or
// an escape at the very end) ends the field too, so a malformed record is
// never read past its end.
std::size_t ReadEnclosedField(std::string_view text, char separator, char encloser, std::string& field) {
  const std::size_t n = text.size();
  bool open = true;
  std::size_t i = 0;
  while (i < n) {
    if (i == n - 1) return n;  // the closing encloser of the last field
    char c = text[i];
    if (IsLineBreak(c)) {
      if (!open) return i + 1;
      field += c;
      ++i;
      continue;
    }
    if (c == encloser) {
      // Enclosers pair up from the first of the run; each pair is one
      // encloser of the value.
      const std::size_t run = RunLength(text, i, encloser);
      open = OpenAfterRun(open, i == 0, run);
      field.append(run / 2, encloser);
      i += run - run % 2;
      if (run % 2 == 0) continue;
      if (i == n - 1) return n;
      const char d = text[i + 1];
      if (Is(d, separator)) return i + 2;
      // The lone encloser is dropped; what follows it is taken as it stands.
      c = d;
      ++i;
    }
    if (c != '\\') {
      field += c;
      ++i;
      continue;
    }
    i = ReadEscape(text, i, field);
  }
  return n;
}

// The enclosed field at the start of `text` when it holds nothing to decode
// (no escape, no doubled or stray encloser), as a view between its
// enclosers, and where the rest of the record starts; 0 for any other field,
// which ReadEnclosedField decodes. A separator right after the opening
// encloser ends an empty field there.
std::size_t PlainEnclosedField(std::string_view text, char separator, char encloser, std::string_view& field) {
  const std::size_t n = text.size();
  if (n < 2 || text[1] == encloser || Is(text[1], separator)) return 0;
  // One pass for the closing encloser, giving up at a backslash.
  const std::size_t close = FindEither(text, 1, encloser, '\\');
  if (close == std::string_view::npos || text[close] != encloser) return 0;
  const std::string_view value = text.substr(1, close - 1);
  if (close == n - 1) {
    field = value;
    return n;
  }
  if (!Is(text[close + 1], separator)) return 0;
  field = value;
  return close + 2;
}

}  // namespace

std::string_view FieldTokenizer::LastRecord(std::string_view text) {
  if (text.ends_with('\r')) text.remove_suffix(1);
  return text;
}

void FieldTokenizer::SetCharacters(const std::string& separator, const std::string& encloser) {
  Separator = separator.empty() ? '\0' : separator[0];
  if (!encloser.empty()) Encloser = encloser[0];
}

bool FieldTokenizer::NextCompleteRecord(std::string_view& text, std::string_view& record) const {
  const std::size_t end = RecordEnd(text, Separator, Encloser);
  // A carriage return last in the text may yet be followed by its line feed.
  if (end == text.size() || (text[end] == '\r' && end + 1 == text.size())) return false;
  record = text.substr(0, end);
  text.remove_prefix(end + (text.substr(end, 2) == "\r\n" ? 2 : 1));
  return true;
}

bool FieldTokenizer::NextRecord(std::string_view& text, std::string_view& record) const {
  if (text.empty()) return false;
  if (NextCompleteRecord(text, record)) return true;
  // The last record, without a line feed after it, is taken as it stands.
  record = LastRecord(text);
  text = {};
  return true;
}

bool FieldTokenizer::NextField(std::string_view& remaining, std::string& scratch, std::string_view& field) const {
  field = {};
  const std::string_view text = Trimmed(remaining);
  if (text.empty()) {
    remaining = {};
    return false;
  }

  // Where the rest of the record starts once this field is taken.
  std::size_t rest = text.size();
  if (Is(text[0], Separator)) {
    rest = 1;
  } else if (Is(text[0], Encloser)) {
    rest = PlainEnclosedField(text, Separator, Encloser, field);
    if (rest == 0) {
      scratch.clear();
      rest = ReadEnclosedField(text, Separator, Encloser, scratch);
      field = scratch;
    }
  } else {
    const std::size_t separator = Separator == 0 ? std::string_view::npos : FindFrom(text, 0, Separator);
    field = text.substr(0, separator);
    if (separator != std::string_view::npos) rest = separator + 1;
  }
  remaining = text.substr(rest);
  return true;
}

bool FieldTokenizer::NextField(std::string_view& remaining, std::string& field) const {
  field.clear();
  std::string_view view;
  const bool found = NextField(remaining, field, view);
  // An enclosed field is decoded into `field` already.
  if (view.data() != field.data()) field.assign(view);
  return found;
}

}  // namespace vimbo
