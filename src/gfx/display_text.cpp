#include "gfx/display_text.h"

#include <QFile>
#include <array>
#include <cstdint>

namespace vimbo {
namespace {

// Windows-1252 differs from Latin-1 only in 0x80-0x9F. The five unassigned
// bytes there map to the C1 controls of the same value, as Windows does.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
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

}  // namespace

QString ToDisplay(std::string_view bytes) {
  if (IsValidUtf8(bytes)) return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (const char byte : bytes) {
    const auto c = static_cast<uint8_t>(byte);
    text.append(QChar(c >= 0x80 && c <= 0x9F ? kHighControls[c - 0x80] : char16_t{c}));
  }
  return text;
}

std::string FromDisplay(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

std::string FromDisplay(const QString& text, std::string_view original) {
  if (ToDisplay(original) == text) return std::string(original);
  return FromDisplay(text);
}

std::string LocalPath(const QString& path) {
  const QByteArray encoded = QFile::encodeName(path);
  return std::string(encoded.constData(), static_cast<std::size_t>(encoded.size()));
}

}  // namespace vimbo
