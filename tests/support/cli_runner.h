#pragma once
// Runs one vimbo-cli command line in this process and keeps what it said.

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"

namespace vimbo::testing {

struct CliResult {
  int status;
  std::string out;
  std::string err;
};

// `input` is what the command reads as standard input.
inline CliResult RunCli(const std::vector<std::string>& args, const std::string& input = {}) {
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  const int status = cli::Run(args, in, out, err);
  return {status, out.str(), err.str()};
}

// What a wrong command line writes to standard error.
inline std::string UsageMessage(const std::string& what) {
  return "vimbo-cli: " + what + "\nTry 'vimbo-cli --help'.\n";
}

}  // namespace vimbo::testing
