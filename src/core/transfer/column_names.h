#pragma once
// Which person field or detail a column of an imported file holds, told by
// the column's name in the file's first line: the program's own export keys
// and the headings that spreadsheets and the big web and desktop address
// books write.

#include <string>
#include <string_view>
#include <vector>

namespace vimbo {

// The import key that the heading names: a person key, or a key of
// column_roles.h ("Phone (work)", "Phone 1 - Value", "Birthday"); empty for a
// heading that names nothing a person holds. Case, spaces and punctuation do
// not count: "E-mail Address", "EMAIL_ADDRESS" and "emailaddress" are one
// heading.
std::string PersonKeyOfHeading(std::string_view heading);

// The key of each column, empty for a column whose heading is unknown. A
// field takes its value from one column only: when two headings name the
// same field, the first column keeps it. Value and group columns may come
// more than once ("Business Phone", "Business Phone 2").
std::vector<std::string> MatchColumnHeadings(const std::vector<std::string>& headings);

// "Columns not imported: Photo, Group Membership", or empty for no names.
std::string ColumnsNotImportedText(const std::vector<std::string>& headings);

}  // namespace vimbo
