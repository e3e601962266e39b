#include "core/transfer/folded_lines.h"

#include <cstddef>
#include <cstdint>

#include "core/records/text_encoding.h"

namespace vimbo {
namespace {

constexpr std::size_t kLineOctets = 75;

bool IsContinuationByte(char c) { return (static_cast<uint8_t>(c) & 0xC0U) == 0x80U; }

}  // namespace

std::string EscapedText(std::string_view bytes, ControlCharacters controls) {
  const std::string text = ToUtf8(bytes);
  std::string out;
  out.reserve(text.size() + 8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    switch (c) {
      case '\\': out += "\\\\"; break;
      case ',': out += "\\,"; break;
      case ';': out += "\\;"; break;
      case '\r':
        if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        out += "\\n";
        break;
      case '\n': out += "\\n"; break;
      default:
        if (controls == ControlCharacters::kKept || c == '\t' || (static_cast<uint8_t>(c) >= 0x20 && c != 0x7F))
          out += c;
    }
  }
  return out;
}

void PutFoldedLine(std::string& out, std::string_view line) {
  std::size_t room = kLineOctets;
  while (line.size() > room) {
    std::size_t cut = room;
    while (cut > 0 && IsContinuationByte(line[cut])) --cut;
    out.append(line.substr(0, cut)).append("\r\n ");
    line.remove_prefix(cut);
    room = kLineOctets - 1;
  }
  out.append(line).append("\r\n");
}

void PutFoldedProperty(std::string& out, std::string_view head, std::string_view value) {
  std::string line(head);
  line.append(":").append(value);
  PutFoldedLine(out, line);
}

}  // namespace vimbo
