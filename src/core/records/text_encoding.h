#pragma once
// How stored bytes read as characters, in the one way the whole program
// shows them: text that is valid UTF-8 is UTF-8; any other text is
// Windows-1252, one character per byte (so a document written on an older
// system shows its accented names).

#include <cstdint>
#include <string>
#include <string_view>

namespace vimbo {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// The character of one Windows-1252 byte. The five bytes that code page
// leaves unassigned are the C1 controls of the same value, as Windows has it.
char32_t Windows1252Character(uint8_t byte);

// Appends the UTF-8 bytes of `c`.
void AppendUtf8(char32_t c, std::string& out);

// `bytes` as UTF-8, read as above: valid UTF-8 as it is, other text
// converted from Windows-1252.
std::string ToUtf8(std::string_view bytes);

// Calls `visit(char32_t)` for each character of `bytes`, read as above.
template <typename Visit>
void ForEachCharacter(std::string_view bytes, Visit&& visit) {
  if (!IsValidUtf8(bytes)) {
    for (const char byte : bytes) visit(Windows1252Character(static_cast<uint8_t>(byte)));
    return;
  }
  for (std::size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<uint8_t>(bytes[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t c = length == 1 ? lead : lead & (0x7FU >> length);
    for (std::size_t k = 1; k < length; ++k) c = (c << 6U) | (static_cast<uint8_t>(bytes[i + k]) & 0x3FU);
    visit(c);
    i += length;
  }
}

}  // namespace vimbo
