#include "core/transfer/folded_lines.h"

#include <cstddef>
#include <cstdint>

namespace vimbo {
namespace {

constexpr std::size_t kLineOctets = 75;

bool IsContinuationByte(char c) { return (static_cast<uint8_t>(c) & 0xC0U) == 0x80U; }

}  // namespace

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
