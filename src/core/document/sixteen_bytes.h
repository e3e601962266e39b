#pragma once
// The last piece of a text for a search that looks at sixteen bytes at a
// time: a text of sixteen bytes or more gives its last sixteen (the caller
// drops the matches it has seen), a shorter one its bytes with `filler`
// after them. Nothing is read outside the text, and the short copy needs no
// call into the library.

#include <cstddef>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>

namespace vimbo {

// The sixteen bytes of `text` that end at its end, or all of a shorter text
// followed by `filler`; `size` is the text's length, at least 1.
inline __m128i LastSixteenBytes(const char* text, std::size_t size, char filler) {
  if (size >= 16) return _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + size - 16));
  alignas(16) char bytes[16];
  std::memset(bytes, filler, sizeof bytes);
  if (size >= 8) {
    std::memcpy(bytes, text, 8);
    std::memcpy(bytes + size - 8, text + size - 8, 8);
  } else if (size >= 4) {
    std::memcpy(bytes, text, 4);
    std::memcpy(bytes + size - 4, text + size - 4, 4);
  } else {
    for (std::size_t i = 0; i < size; ++i) bytes[i] = text[i];
  }
  return _mm_load_si128(reinterpret_cast<const __m128i*>(bytes));
}

// The first match at or after `from` among the last sixteen bytes, given
// the match mask of LastSixteenBytes (bit i for byte i); `size` - `from` is
// below sixteen. The position in the text, or `size` when there is none.
inline std::size_t FirstMatchInLast(unsigned mask, std::size_t from, std::size_t size) {
  const std::size_t start = size >= 16 ? size - 16 : 0;
  mask &= ~0U << (from - start);  // the bytes before `from` were looked at already
  return mask == 0 ? size : start + static_cast<std::size_t>(__builtin_ctz(mask));
}

}  // namespace vimbo

#endif
