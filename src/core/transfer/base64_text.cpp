#include "core/transfer/base64_text.h"

#include <array>
#include <cstdint>

#include "core/records/text_rules.h"

namespace vimbo {
namespace {

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr uint8_t kNoDigit = 0xFF;

constexpr std::array<uint8_t, 256> kDigits = [] {
  std::array<uint8_t, 256> digits{};
  digits.fill(kNoDigit);
  for (std::size_t i = 0; i < kAlphabet.size(); ++i)
    digits[static_cast<uint8_t>(kAlphabet[i])] = static_cast<uint8_t>(i);
  return digits;
}();

}  // namespace

std::string Base64Encode(std::string_view bytes) {
  std::string text;
  text.reserve((bytes.size() + 2) / 3 * 4);
  std::size_t i = 0;
  for (; i + 3 <= bytes.size(); i += 3) {
    const uint32_t group = static_cast<uint32_t>(static_cast<uint8_t>(bytes[i]) << 16U) |
                           static_cast<uint32_t>(static_cast<uint8_t>(bytes[i + 1]) << 8U) |
                           static_cast<uint8_t>(bytes[i + 2]);
    text += kAlphabet[group >> 18U];
    text += kAlphabet[(group >> 12U) & 0x3FU];
    text += kAlphabet[(group >> 6U) & 0x3FU];
    text += kAlphabet[group & 0x3FU];
  }
  if (const std::size_t rest = bytes.size() - i; rest > 0) {
    uint32_t group = static_cast<uint32_t>(static_cast<uint8_t>(bytes[i]) << 16U);
    if (rest == 2) group |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[i + 1]) << 8U);
    text += kAlphabet[group >> 18U];
    text += kAlphabet[(group >> 12U) & 0x3FU];
    text += rest == 2 ? kAlphabet[(group >> 6U) & 0x3FU] : '=';
    text += '=';
  }
  return text;
}

std::optional<std::string> Base64Decode(std::string_view text) {
  std::string bytes;
  bytes.reserve(text.size() / 4 * 3 + 3);
  uint32_t group = 0;
  int digits = 0;
  int padding = 0;
  for (const char c : text) {
    if (IsWhiteSpace(c)) continue;
    if (c == '=') {
      ++padding;
      continue;
    }
    const uint8_t digit = kDigits[static_cast<uint8_t>(c)];
    // A digit after the padding, or anything outside the alphabet, is no
    // base64.
    if (digit == kNoDigit || padding > 0) return std::nullopt;
    group = (group << 6U) | digit;
    if (++digits == 4) {
      bytes += static_cast<char>(group >> 16U);
      bytes += static_cast<char>((group >> 8U) & 0xFFU);
      bytes += static_cast<char>(group & 0xFFU);
      group = 0;
      digits = 0;
    }
  }
  if (digits == 1 || padding > 2) return std::nullopt;
  if (digits == 2) bytes += static_cast<char>(group >> 4U);
  if (digits == 3) {
    bytes += static_cast<char>(group >> 10U);
    bytes += static_cast<char>((group >> 2U) & 0xFFU);
  }
  return bytes;
}

std::size_t Base64DecodedSize(std::string_view text) {
  std::size_t digits = 0;
  for (const char c : text) digits += kDigits[static_cast<uint8_t>(c)] != kNoDigit ? 1 : 0;
  return digits * 3 / 4;
}

}  // namespace vimbo
