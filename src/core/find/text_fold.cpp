#include "core/find/text_fold.h"

#include <array>
#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "core/records/text_encoding.h"

namespace vimbo {
namespace {

// The plain letters of U+00C0 to U+017F, one entry per character: "" keeps
// the character (the multiplication and division signs), and some letters
// stand for two.
// Sixteen characters a line, as the code chart lists them.
// clang-format off
constexpr std::array<std::string_view, 0x180 - 0xC0> kLatinLetters = {
    // U+00C0
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",
    "d", "n", "o", "o", "o", "o", "o", "", "o", "u", "u", "u", "u", "y", "th", "ss",
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",
    "d", "n", "o", "o", "o", "o", "o", "", "o", "u", "u", "u", "u", "y", "th", "y",
    // U+0100
    "a", "a", "a", "a", "a", "a", "c", "c", "c", "c", "c", "c", "c", "c", "d", "d",
    "d", "d", "e", "e", "e", "e", "e", "e", "e", "e", "e", "e", "g", "g", "g", "g",
    "g", "g", "g", "g", "h", "h", "h", "h", "i", "i", "i", "i", "i", "i", "i", "i",
    "i", "i", "ij", "ij", "j", "j", "k", "k", "k", "l", "l", "l", "l", "l", "l", "l",
    "l", "l", "l", "n", "n", "n", "n", "n", "n", "n", "n", "n", "o", "o", "o", "o",
    "o", "o", "oe", "oe", "r", "r", "r", "r", "r", "r", "s", "s", "s", "s", "s", "s",
    "s", "s", "t", "t", "t", "t", "t", "t", "u", "u", "u", "u", "u", "u", "u", "u",
    "u", "u", "u", "u", "w", "w", "y", "y", "y", "z", "z", "z", "z", "z", "z", "s",
};
// clang-format on

// The plain small letters of U+0386 to U+03CE: the Greek letters with tonos
// or dialytika, capitals and final sigma. Zero keeps the character.
// clang-format off
constexpr std::array<char16_t, 0x3CF - 0x386> kGreekLetters = {
    // U+0386: Ά · Έ Ή Ί  Ό  Ύ Ώ ΐ
    u'α', 0, u'ε', u'η', u'ι', 0, u'ο', 0, u'υ', u'ω', u'ι',
    // U+0391: the capitals, then Ϊ Ϋ ά έ ή ί ΰ
    u'α', u'β', u'γ', u'δ', u'ε', u'ζ', u'η', u'θ', u'ι', u'κ', u'λ', u'μ', u'ν', u'ξ', u'ο',
    u'π', u'ρ', 0, u'σ', u'τ', u'υ', u'φ', u'χ', u'ψ', u'ω', u'ι', u'υ', u'α', u'ε', u'η', u'ι', u'υ',
    // U+03B1: the small letters, final sigma as σ, then ϊ ϋ ό ύ ώ
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, u'σ', 0, 0, 0, 0, 0, 0, 0,
    u'ι', u'υ', u'ο', u'υ', u'ω',
};
// clang-format on

// The letters of polytonic Greek, U+1F00 to U+1FFF, as stand-ins for their
// plain small letters (kPolytonicLetters), sixteen a line; '.' keeps the
// character. Older texts write them, and some keyboards write U+1F71 and
// its kin for the modern accent.
// clang-format off
constexpr std::string_view kPolytonic =
    "aaaaaaaaaaaaaaaa" "eeeeee..eeeeee.." "hhhhhhhhhhhhhhhh" "iiiiiiiiiiiiiiii"
    "oooooo..oooooo.." "yyyyyyyy.y.y.y.y" "wwwwwwwwwwwwwwww" "aaeehhiiooyyww.."
    "aaaaaaaaaaaaaaaa" "hhhhhhhhhhhhhhhh" "wwwwwwwwwwwwwwww" "aaaaa.aaaaaaa.i."
    "..hhh.hheehhh..." "iiii..iiiiii...." "yyyyrryyyyyyr..." "..www.wwoowww...";
// clang-format on
constexpr std::string_view kPolytonicStandIns = "aehioywr";
constexpr std::array<char16_t, 8> kPolytonicLetters = {u'α', u'ε', u'η', u'ι', u'ο', u'υ', u'ω', u'ρ'};

// Greek and Cyrillic letters in lower case, Greek ones without their accents
// and a final sigma as any other; everything else as it is.
char32_t LowerCase(char32_t c) {
  if (c >= 0x386 && c < 0x3CF && kGreekLetters[c - 0x386] != 0) return kGreekLetters[c - 0x386];
  if (c >= 0x1F00 && c <= 0x1FFF && kPolytonic[c - 0x1F00] != '.')
    return kPolytonicLetters[kPolytonicStandIns.find(kPolytonic[c - 0x1F00])];
  if (c >= 0x410 && c <= 0x42F) return c + 0x20;
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;
  return c;
}

void AppendFoldedCharacter(char32_t c, std::string& out) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c));
    return;
  }
  if (c >= 0x300 && c <= 0x36F) return;  // combining accents
  if (c >= 0xC0 && c < 0x180 && !kLatinLetters[c - 0xC0].empty()) {
    out.append(kLatinLetters[c - 0xC0]);
    return;
  }
  if (c == 0x451 || c == 0x401) c = 0x435;  // ё reads as е
  AppendUtf8(LowerCase(c), out);
}

}  // namespace

bool IsAscii(std::string_view bytes) {
  std::size_t i = 0;
  // Sixteen bytes at a time, then eight: most texts are plain ASCII.
#ifdef __SSE2__
  __m128i seen = _mm_setzero_si128();
  for (; i + 16 <= bytes.size(); i += 16)
    seen = _mm_or_si128(seen, _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes.data() + i)));
  if (_mm_movemask_epi8(seen) != 0) return false;
#endif
  for (; i + 8 <= bytes.size(); i += 8) {
    uint64_t word = 0;
    std::memcpy(&word, bytes.data() + i, 8);
    if ((word & 0x8080808080808080ULL) != 0) return false;
  }
  for (; i < bytes.size(); ++i)
    if (static_cast<uint8_t>(bytes[i]) >= 0x80) return false;
  return true;
}

void AppendFolded(std::string_view bytes, std::string& out) {
  if (IsAscii(bytes)) {
    for (const char c : bytes) out.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c);
    return;
  }
  ForEachCharacter(bytes, [&out](char32_t c) { AppendFoldedCharacter(c, out); });
}

}  // namespace vimbo
