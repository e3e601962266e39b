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

inline CliResult RunCli(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = cli::Run(args, out, err);
  return {status, out.str(), err.str()};
}

}  // namespace vimbo::testing
