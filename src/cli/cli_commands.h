#pragma once
// The commands of vimbo-cli, the command-line companion.

#include <iosfwd>
#include <string>
#include <vector>

namespace vimbo::cli {

// Exit statuses.
inline constexpr int kSuccess = 0;
inline constexpr int kFailure = 1;
inline constexpr int kUsageError = 2;

// Runs one command line (without the program name). "-" as a data file
// reads `in` or writes `out`. Results go to `out`, messages in the program's
// own words to `err`; a wrong command line says what is wrong there in one
// line, then points to --help.
int Run(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace vimbo::cli
