#include "core/transfer/date_text_cache.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <utility>

namespace vimbo {
namespace {

// How a number below 10 is written: "05", "5" or " 5".
enum class Padding : unsigned char { kZero, kNone, kSpace };
constexpr std::array<Padding, 3> kPaddings{Padding::kZero, Padding::kNone, Padding::kSpace};

void PutNumber(std::string& out, int value, Padding padding) {
  if (value >= 10) {
    out += static_cast<char>('0' + value / 10);
  } else if (padding != Padding::kNone) {
    out += padding == Padding::kZero ? '0' : ' ';
  }
  out += static_cast<char>('0' + value % 10);
}

// Writes the number's two places at `at` in `out`, unless at is npos.
void PutDigits(std::string& out, std::size_t at, int value, Padding padding) {
  if (at == std::string::npos) return;
  out[at] = value >= 10 ? static_cast<char>('0' + value / 10) : padding == Padding::kZero ? '0' : ' ';
  out[at + 1] = static_cast<char>('0' + value % 10);
}

// The two numbers that vary under one pattern: month and day under a year,
// minute and second under an hour. The probes are values whose digits are
// unlikely to turn up elsewhere in the text, tried in turn.
struct Ranges {
  std::pair<int, int> low;
  std::pair<int, int> high;
  std::array<std::pair<int, int>, 3> probes;
};

constexpr Ranges kDateRanges{{1, 1}, {12, 31}, {{{11, 27}, {12, 28}, {10, 23}}}};
constexpr Ranges kTimeRanges{{0, 0}, {59, 59}, {{{38, 51}, {47, 29}, {16, 43}}}};
constexpr std::pair<int, int> kSmall{5, 9};

// Where the number's two digits stand in `text`: npos when they do not, and
// `ambiguous` when they stand there more than once.
constexpr std::size_t kAmbiguous = std::string::npos - 1;
std::size_t Place(const std::string& text, int value) {
  const char digits[2] = {static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
  const std::string_view wanted(digits, 2);
  const std::size_t at = text.find(wanted);
  if (at == std::string::npos) return at;
  return text.find(wanted, at + 1) == std::string::npos ? at : kAmbiguous;
}

}  // namespace

// The text of every value under one year or hour, as literal text around the
// two numbers, found by formatting a few probe values and checked against a
// few more. A locale whose text is not of that shape (a month or weekday
// name, the day of the year) keeps the formatted text of each value instead.
struct DateTextCache::Pattern {
  struct Piece {
    std::string literal;
    int number = -1;  // after the literal: 0 the first number, 1 the second, -1 none
  };
  std::vector<Piece> pieces;
  std::array<Padding, 2> padding{Padding::kZero, Padding::kZero};
  bool learned = false;
  // When neither number drops its padding, every text has one length: the
  // text with the numbers' places left blank, and where each number's two
  // digits go (npos for a number the text does not show).
  std::string layout;
  std::array<std::size_t, 2> places{std::string::npos, std::string::npos};
  bool fixedWidth = false;
  // When not learned: each text once formatted, by its two numbers
  // (first * 64 + second): where it starts in the cache's store, plus one;
  // 0 while not yet formatted.
  std::vector<std::uint32_t> made;

  void Lay() {
    fixedWidth = padding[0] != Padding::kNone && padding[1] != Padding::kNone;
    if (!fixedWidth) return;
    layout.clear();
    places = {std::string::npos, std::string::npos};
    for (const Piece& piece : pieces) {
      layout += piece.literal;
      if (piece.number < 0) continue;
      places[static_cast<std::size_t>(piece.number)] = layout.size();
      layout += "  ";
    }
  }

  void Render(int first, int second, std::string& out) const {
    if (fixedWidth) {
      out.resize(layout.size());
      std::memcpy(out.data(), layout.data(), layout.size());
      PutDigits(out, places[0], first, padding[0]);
      PutDigits(out, places[1], second, padding[1]);
      return;
    }
    out.clear();
    for (const Piece& piece : pieces) {
      out += piece.literal;
      if (piece.number >= 0) PutNumber(out, piece.number == 0 ? first : second, padding[piece.number]);
    }
  }
};

DateTextCache::DateTextCache(Part part, Format format)
    : part_(part), format_(format), patterns_(part == Part::kDate ? 10000 : 24) {}

DateTextCache::~DateTextCache() = default;

DateTimeValue DateTextCache::Probe(int key, int first, int second) const {
  DateTimeValue value;
  if (part_ == Part::kDate) {
    value.SetDateTime(key, first, second, 0, 0, 0);
  } else {
    value.SetDateTime(2000, 1, 1, key, first, second);
  }
  return value;
}

bool DateTextCache::Learn(Pattern& pattern, int key) const {
  const Ranges& ranges = part_ == Part::kDate ? kDateRanges : kTimeRanges;
  for (const auto& [first, second] : ranges.probes) {
    const DateTimeValue probe = Probe(key, first, second);
    if (!probe.IsValid()) return false;
    const std::string text = format_(probe);
    if (Cut(text, first, second, pattern) && FitPadding(pattern, key, ranges.low, ranges.high, first, second))
      return true;
  }
  return false;
}

// Cuts `text`, the text of (first, second), into the literal pieces around
// the two numbers; false when their places are not clear.
bool DateTextCache::Cut(const std::string& text, int first, int second, Pattern& pattern) {
  std::array<std::pair<std::size_t, int>, 2> places{{{Place(text, first), 0}, {Place(text, second), 1}}};
  if (places[0].first == kAmbiguous || places[1].first == kAmbiguous) return false;
  std::sort(places.begin(), places.end());
  if (places[1].first != std::string::npos && places[1].first < places[0].first + 2) return false;
  pattern.pieces.clear();
  std::size_t from = 0;
  for (const auto& [at, number] : places) {
    if (at == std::string::npos) break;
    pattern.pieces.push_back({text.substr(from, at - from), number});
    from = at + 2;
  }
  pattern.pieces.push_back({text.substr(from), -1});
  return true;
}

// Finds the padding of both numbers with which the pattern renders what the
// format gives at the ends of their ranges and beside the probe.
bool DateTextCache::FitPadding(Pattern& pattern, int key, Pair low, Pair high, int first, int second) const {
  const auto matches = [&](int a, int b) {
    const DateTimeValue value = Probe(key, a, b);
    if (!value.IsValid()) return false;
    std::string rendered;
    pattern.Render(a, b, rendered);
    return rendered == format_(value);
  };
  for (const Padding firstPadding : kPaddings) {
    for (const Padding secondPadding : kPaddings) {
      pattern.padding = {firstPadding, secondPadding};
      pattern.Lay();
      if (matches(kSmall.first, kSmall.second) && matches(low.first, low.second) && matches(high.first, high.second) &&
          matches(first, second + 1))
        return true;
    }
  }
  return false;
}

std::string_view DateTextCache::Text(const DateTimeValue& value, const SystemTime& fields) {
  if (!value.IsValid()) return {};
  const bool date = part_ == Part::kDate;
  const int key = date ? fields.year : fields.hour;
  const int first = date ? fields.month : fields.minute;
  const int second = date ? fields.day : fields.second;
  if (key < 0 || static_cast<std::size_t>(key) >= patterns_.size()) {
    text_ = format_(value);
    return text_;
  }
  std::unique_ptr<Pattern>& pattern = patterns_[static_cast<std::size_t>(key)];
  if (!pattern) {
    pattern = std::make_unique<Pattern>();
    pattern->learned = Learn(*pattern, key);
    if (!pattern->learned) pattern->made.assign(std::size_t{64} * 64, 0);
  }
  if (pattern->learned) {
    pattern->Render(first, second, text_);
    return text_;
  }
  // Otherwise each text is formatted once and kept, one after another in
  // the store, each after a byte of its length.
  std::uint32_t& made = pattern->made[static_cast<std::size_t>(first) * 64 + static_cast<std::size_t>(second)];
  if (made == 0) {
    text_ = format_(value);
    if (text_.size() > 255) return text_;  // too long to keep; no locale's is
    made = static_cast<std::uint32_t>(store_.size()) + 1;
    store_ += static_cast<char>(text_.size());
    store_ += text_;
  }
  return std::string_view(store_).substr(made, static_cast<unsigned char>(store_[made - 1]));
}

}  // namespace vimbo
