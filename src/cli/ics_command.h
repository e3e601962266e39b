#pragma once
// vimbo-cli export ics: the reminders of a document as an iCalendar file.

#include <iosfwd>
#include <string>
#include <vector>

namespace vimbo::cli {

// export ics IN OUT.ics: a to-do per open follow-up and a yearly event per
// birthday and anniversary; OUT "-" writes the calendar to `out` and the
// count to `err`. Throws a UsageError for a wrong command line.
int IcsExportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace vimbo::cli
