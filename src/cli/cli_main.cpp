#include <clocale>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"

int main(int argc, char** argv) {
  // Dates in exports and reports follow the user's regional settings.
  std::setlocale(LC_ALL, "");
  std::setlocale(LC_NUMERIC, "C");
  std::vector<std::string> args(argv + 1, argv + argc);
  return vimbo::cli::Run(args, std::cout, std::cerr);
}
