#include "core/find/text_search.h"

#include <cstdint>
#include <utility>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "core/find/text_fold.h"

namespace vimbo {
namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

bool SameFrom(const char* at, std::string_view word) {
  for (std::size_t k = 0; k < word.size(); ++k)
    if (Lower(at[k]) != word[k]) return false;
  return true;
}

// The first of the places `from` + bit of `candidates` where the word
// starts, or npos.
std::size_t FirstOf(unsigned candidates, std::string_view text, std::size_t from, std::string_view word) {
  while (candidates != 0) {
    const std::size_t at = from + static_cast<std::size_t>(__builtin_ctz(candidates));
    if (SameFrom(text.data() + at, word)) return at;
    candidates &= candidates - 1;
  }
  return std::string_view::npos;
}

#ifdef __SSE2__
// Sixteen places at a time: a place is a candidate when its first and the
// word's last byte match with the case bit set on both sides; setting the
// bit lets through some non-letters, which the full comparison rejects.
class Probe {
 public:
  explicit Probe(std::string_view word)
      : size_(word.size()),
        first_(_mm_set1_epi8(static_cast<char>(word.front() | 0x20))),
        final_(_mm_set1_epi8(static_cast<char>(word.back() | 0x20))) {}

  // The candidates among the sixteen places from `at`, as bits.
  unsigned Candidates(const char* at) {
    const __m128i caseBit = _mm_set1_epi8(0x20);
    const __m128i rawA = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    const __m128i rawB = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + size_ - 1));
    seen_ = _mm_or_si128(seen_, _mm_or_si128(rawA, rawB));
    const __m128i a = _mm_or_si128(rawA, caseBit);
    const __m128i b = _mm_or_si128(rawB, caseBit);
    return static_cast<unsigned>(
        _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, first_), _mm_cmpeq_epi8(b, final_))));
  }
  // Whether every byte at the places probed so far is ASCII.
  bool SeenAscii() const { return _mm_movemask_epi8(seen_) == 0; }

 private:
  std::size_t size_;
  __m128i first_;
  __m128i final_;
  __m128i seen_ = _mm_setzero_si128();
};

// The search of a text of at least sixteen places, all of them probed sixteen
// at a time: the last block overlaps the one before it rather than leaving
// places to a byte-by-byte loop.
std::size_t FindInBlocks(std::string_view text, std::string_view word, bool& ascii) {
  const std::size_t last = text.size() - word.size();
  Probe probe(word);
  std::size_t i = 0;
  for (; i + 16 <= last + 1; i += 16)
    if (const std::size_t at = FirstOf(probe.Candidates(text.data() + i), text, i, word); at != std::string_view::npos)
      return at;
  if (i <= last) {
    const std::size_t from = last - 15;
    const unsigned unseen = probe.Candidates(text.data() + from) & (~0U << (i - from));
    if (const std::size_t at = FirstOf(unseen, text, from, word); at != std::string_view::npos) return at;
  }
  // The blocks have seen the bytes of every place, and the last block the
  // sixteen bytes at the end: only a word longer than seventeen bytes leaves
  // some between them.
  ascii = probe.SeenAscii() && (word.size() <= 17 || IsAscii(text.substr(last + 1)));
  return std::string_view::npos;
}
#endif

}  // namespace

std::size_t FindAsciiCaseless(std::string_view text, std::string_view word, bool& ascii) {
  const std::size_t m = word.size();
  if (m == 0) return 0;
#ifdef __SSE2__
  if (text.size() >= m + 15) return FindInBlocks(text, word, ascii);
#endif
  for (std::size_t i = 0; i + m <= text.size(); ++i)
    if (Lower(text[i]) == word.front() && SameFrom(text.data() + i, word)) return i;
  ascii = IsAscii(text);
  return std::string_view::npos;
}

FoldedWord::FoldedWord(std::string folded) : text_(std::move(folded)), ascii_(IsAscii(text_)) {
  // Phone numbers are written with all kinds of separators: "+34 600 123
  // 456", "(0611) 123-4567", "600.123.456", "089/123456". A word of digits and
  // such separators alone stands for its digits.
  for (const char c : text_) {
    if (c >= '0' && c <= '9') {
      phoneDigits_.push_back(c);
    } else if (std::string_view("+-.()/").find(c) == std::string_view::npos) {
      phoneDigits_.clear();
      return;
    }
  }
}

bool FoldedWord::OccursIn(std::string_view bytes, std::string& scratch) const {
  // ASCII bytes stand for the same characters whether the text reads as
  // UTF-8 or as Windows-1252, and folding keeps them, so an ASCII word found
  // in the raw bytes is found in the folded text.
  bool ascii = false;
  if (ascii_) {
    if (FindAsciiCaseless(bytes, text_, ascii) != std::string::npos) return true;
  } else {
    ascii = IsAscii(bytes);
  }
  if (ascii) return false;
  scratch.clear();
  AppendFolded(bytes, scratch);
  return scratch.find(text_) != std::string::npos;
}

std::size_t FoldedWord::FindIn(std::string_view text) const {
  // A word that is not ASCII can lie only in a folded line, which holds no
  // upper case letter, so it is found as it is.
  bool ascii = false;
  return ascii_ ? FindAsciiCaseless(text, text_, ascii) : text.find(text_);
}

}  // namespace vimbo
