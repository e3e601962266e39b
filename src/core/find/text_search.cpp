#include "core/find/text_search.h"

#include <algorithm>
#include <cstdint>

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

}  // namespace

bool ContainsAsciiCaseless(std::string_view text, std::string_view word, bool& ascii) {
  const std::size_t m = word.size();
  if (m == 0) return true;
  if (text.size() < m) {
    ascii = IsAscii(text);
    return false;
  }
  const std::size_t last = text.size() - m;  // the last place the word can start
  std::size_t i = 0;
#ifdef __SSE2__
  // Sixteen places at a time: a place is a candidate when its first and the
  // word's last byte match with the case bit set on both sides; setting the
  // bit lets through some non-letters, which the full comparison rejects.
  const __m128i caseBit = _mm_set1_epi8(0x20);
  const __m128i first = _mm_set1_epi8(static_cast<char>(word.front() | 0x20));
  const __m128i final = _mm_set1_epi8(static_cast<char>(word.back() | 0x20));
  __m128i seen = _mm_setzero_si128();
  for (; i + 16 <= last + 1; i += 16) {
    const __m128i rawA = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
    seen = _mm_or_si128(seen, rawA);
    const __m128i a = _mm_or_si128(rawA, caseBit);
    const __m128i b =
        _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i + m - 1)), caseBit);
    auto candidates = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, final))));
    while (candidates != 0) {
      const std::size_t at = i + static_cast<std::size_t>(__builtin_ctz(candidates));
      if (SameFrom(text.data() + at, word)) return true;
      candidates &= candidates - 1;
    }
  }
  ascii = _mm_movemask_epi8(seen) == 0;
#else
  ascii = true;
#endif
  // The sixteen-byte loads have seen every byte before `i`.
  const std::size_t unseen = i;
  for (; i <= last; ++i)
    if (Lower(text[i]) == word.front() && SameFrom(text.data() + i, word)) return true;
  ascii = ascii && IsAscii(text.substr(unseen));
  return false;
}

FoldedWord::FoldedWord(std::string folded)
    : text_(std::move(folded)),
      ascii_(IsAscii(text_)),
      allDigits_(!text_.empty() && std::all_of(text_.begin(), text_.end(), [](char c) { return c >= '0' && c <= '9'; })) {}

bool FoldedWord::OccursIn(std::string_view bytes, std::string& scratch) const {
  // ASCII bytes stand for the same characters whether the text reads as
  // UTF-8 or as Windows-1252, and folding keeps them, so an ASCII word found
  // in the raw bytes is found in the folded text.
  bool ascii = false;
  if (ascii_) {
    if (ContainsAsciiCaseless(bytes, text_, ascii)) return true;
  } else {
    ascii = IsAscii(bytes);
  }
  if (ascii) return false;
  scratch.clear();
  AppendFolded(bytes, scratch);
  return scratch.find(text_) != std::string::npos;
}

bool FoldedWord::OccursInDigitsOf(std::string_view bytes, std::string& scratch) const {
  scratch.clear();
  for (const char c : bytes)
    if (c >= '0' && c <= '9') scratch.push_back(c);
  return scratch.find(text_) != std::string::npos;
}

}  // namespace vimbo
