#pragma once
// The small text rules shared by the import, the reports and the form:
// what counts as white space, trimming, and what counts as a line break.

#include <string>
#include <string_view>

namespace vimbo {

// Space, tab, CR, LF, VT and FF; no other byte.
bool IsWhiteSpace(char c);

// The text without white space at either end, as a view into `text`.
std::string_view TrimView(std::string_view text);
// The same as new strings; TrimRight trims the end only.
std::string Trim(std::string_view text);
std::string TrimRight(std::string_view text);

// The text with each line break as one line feed. CR LF is the stored form;
// a run of CRs followed by at most one LF also counts as a single break, so
// the CR CR LF that older files hold shows and prints as one break.
std::string LineFeedBreaks(std::string_view text);

}  // namespace vimbo
