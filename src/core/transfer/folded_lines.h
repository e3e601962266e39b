#pragma once
// Writing the content lines that vCard and iCalendar files share: each
// "NAME;PARAMETERS:value" ended by CR LF, folded so no piece is longer than
// 75 octets, a continuation opened by a space; and their text values.

#include <string>
#include <string_view>

namespace vimbo {

// Which characters below the space a text value keeps.
enum class ControlCharacters { kKept, kLeftOut };

// A text value in UTF-8 with its separators escaped; any line break, CR LF
// included, is one "\n". iCalendar allows no control character but the tab
// in a value, so there the others are left out.
std::string EscapedText(std::string_view bytes, ControlCharacters controls);

// Puts one content line, folded: each piece of at most 75 octets (the space
// that opens a continuation counts), cut before a UTF-8 character, never
// inside it.
void PutFoldedLine(std::string& out, std::string_view line);

// "head:value" as one folded line.
void PutFoldedProperty(std::string& out, std::string_view head, std::string_view value);

}  // namespace vimbo
