#pragma once
// The small text rules the reports share: trimming and line breaks.

#include <string>
#include <string_view>

namespace vimbo {

// The text without space, tab, CR, LF, VT or FF at its end.
std::string TrimRight(std::string_view text);
// The text without that white space at either end.
std::string Trim(std::string_view text);

// The text with each line break as one line feed, which is all a canvas
// breaks a block at. CR LF is the stored form; a run of CRs followed by at
// most one LF also counts as a single break, so the CR CR LF that older
// files hold prints as one break, as the editors show it.
std::string LineFeedBreaks(std::string_view text);

}  // namespace vimbo
