#include "core/records/text_encoding.h"

#include <array>

namespace vimbo {
namespace {

// Windows-1252 differs from Latin-1 only in 0x80-0x9F.
constexpr std::array<char16_t, 32> kHighControls = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                                    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// What a UTF-8 lead byte promises: how many bytes the character takes, and
// the range its second byte must lie in (narrower after E0, ED, F0 and F4,
// which would otherwise allow overlong forms, surrogates or code points past
// U+10FFFF). A length of 0 marks a byte that cannot start a character.
struct LeadByte {
  std::size_t length = 0;
  uint8_t low = 0x80;
  uint8_t high = 0xBF;
};

LeadByte ReadLeadByte(uint8_t c) {
  if (c >= 0xC2 && c <= 0xDF) return {2};
  if (c >= 0xE0 && c <= 0xEF) return {3, uint8_t(c == 0xE0 ? 0xA0 : 0x80), uint8_t(c == 0xED ? 0x9F : 0xBF)};
  if (c >= 0xF0 && c <= 0xF4) return {4, uint8_t(c == 0xF0 ? 0x90 : 0x80), uint8_t(c == 0xF4 ? 0x8F : 0xBF)};
  return {};
}

// Whether the multi-byte character at `at` is complete and well-formed.
bool IsValidSequence(std::string_view bytes, std::size_t at, const LeadByte& lead) {
  if (lead.length == 0 || at + lead.length > bytes.size()) return false;
  const auto second = static_cast<uint8_t>(bytes[at + 1]);
  if (second < lead.low || second > lead.high) return false;
  for (std::size_t k = 2; k < lead.length; ++k) {
    const auto next = static_cast<uint8_t>(bytes[at + k]);
    if (next < 0x80 || next > 0xBF) return false;
  }
  return true;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto c = static_cast<uint8_t>(bytes[i]);
    if (c < 0x80) {
      ++i;
      continue;
    }
    const LeadByte lead = ReadLeadByte(c);
    if (!IsValidSequence(bytes, i, lead)) return false;
    i += lead.length;
  }
  return true;
}

void AppendUtf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

std::string ToUtf8(std::string_view bytes) {
  if (IsValidUtf8(bytes)) return std::string(bytes);
  std::string text;
  text.reserve(bytes.size() + bytes.size() / 2);
  for (const char byte : bytes) AppendUtf8(Windows1252Character(static_cast<uint8_t>(byte)), text);
  return text;
}

char32_t Windows1252Character(uint8_t byte) {
  return byte >= 0x80 && byte <= 0x9F ? char32_t{kHighControls[byte - 0x80]} : char32_t{byte};
}

}  // namespace vimbo
