#pragma once
// Which person field a column of an imported file holds, told by the
// column's name in the file's first line: the program's own export keys and
// the headings that spreadsheets and web address books write.

#include <string>
#include <string_view>
#include <vector>

namespace vimbo {

// The person key that the heading names, or empty for a heading that names
// no person field. Case, spaces and punctuation do not count: "E-mail
// Address", "EMAIL_ADDRESS" and "emailaddress" are one heading.
std::string_view PersonKeyOfHeading(std::string_view heading);

// The key of each column, empty for a column whose heading is unknown. A
// field takes its value from one column only: when two headings name the
// same field, the first column keeps it.
std::vector<std::string> MatchColumnHeadings(const std::vector<std::string>& headings);

}  // namespace vimbo
