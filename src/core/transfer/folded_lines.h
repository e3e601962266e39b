#pragma once
// Writing the content lines that vCard and iCalendar files share: each
// "NAME;PARAMETERS:value" ended by CR LF, folded so no piece is longer than
// 75 octets, a continuation opened by a space.

#include <string>
#include <string_view>

namespace vimbo {

// Puts one content line, folded: each piece of at most 75 octets (the space
// that opens a continuation counts), cut before a UTF-8 character, never
// inside it.
void PutFoldedLine(std::string& out, std::string_view line);

// "head:value" as one folded line.
void PutFoldedProperty(std::string& out, std::string_view head, std::string_view value);

}  // namespace vimbo
