#pragma once
// vimbo-cli due: what is due on a day, one line per item, tab-separated.

#include <iosfwd>
#include <string>
#include <vector>

namespace vimbo::cli {

// due IN [--today YYYY-MM-DD] [--days N]: the follow-ups and intervals due
// on the day (the clock's without --today), then the birthdays and
// anniversaries of it and the N days after (default 14). kSuccess when
// anything is listed, kFailure when nothing is or IN cannot be read.
// Throws a UsageError for a wrong command line.
int DueCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace vimbo::cli
