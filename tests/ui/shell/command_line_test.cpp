// The desktop program's command line, run as a user runs it: with no display
// and no Qt platform set, so that answering --help, --version or a mistake
// must not reach for a window system.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "vimbo_version.h"

namespace vimbo {
namespace {

struct ProgramResult {
  int status;
  std::string out;
  std::string err;
};

// ENVIRONMENT is more for env(1): "-u NAME" or "NAME=VALUE" words.
ProgramResult RunVimbo(const std::string& arguments, const std::string& environment = "") {
  testing::TempDir dir;
  const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + environment +
                              " " VIMBO_PROGRAM_PATH " " + arguments + " >'" + dir.File("out") + "' 2>'" +
                              dir.File("err") + "'";
  const int raw = std::system(command.c_str());
  const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return {status, testing::ReadBytes(dir.File("out")), testing::ReadBytes(dir.File("err"))};
}

TEST(VimboCommandLine, HelpAndVersionAnswerWithoutADisplay) {
  const ProgramResult help = RunVimbo("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.err, "");
  EXPECT_EQ(help.out.rfind("Usage: vimbo [options] [document.tch ...]\n", 0), 0u) << help.out;
  EXPECT_NE(help.out.find("--no-splash"), std::string::npos);
  // Qt's options are accepted but not listed one by one.
  EXPECT_EQ(help.out.find("-widgetcount"), std::string::npos);

  const std::string version = "vimbo " VIMBO_VERSION "\n";
  // Short forms, and Qt's options before or after, with one dash or two and
  // with their values apart or after "=", change nothing.
  const std::vector<std::pair<std::string, std::string>> same = {
      {"-h", help.out},
      {"-? --no-splash", help.out},
      {"-style fusion -reverse --help", help.out},
      {"--version", version},
      {"-v", version},
      {"-platform=offscreen --platformtheme gtk3 -widgetcount --version", version},
      {"document.tch --version", version},
  };
  for (const auto& [arguments, out] : same) {
    const ProgramResult result = RunVimbo(arguments);
    EXPECT_EQ(result.status, 0) << arguments;
    EXPECT_EQ(result.out, out) << arguments;
    EXPECT_EQ(result.err, "") << arguments;
  }
}

TEST(VimboCommandLine, AMistakeIsAUsageErrorOnStandardError) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"--bogus", "Unknown option 'bogus'."},
      {"-x a.tch", "Unknown option 'x'."},
      {"--no-splash=yes", "Unexpected value after '--no-splash'."},
      {"-style", "Missing value after '-style'."},
  };
  for (const auto& [arguments, message] : cases) {
    const ProgramResult result = RunVimbo(arguments);
    EXPECT_EQ(result.status, 2) << arguments;
    EXPECT_EQ(result.out, "") << arguments;
    EXPECT_EQ(result.err, "vimbo: " + message + "\nTry 'vimbo --help' for more information.\n") << arguments;
  }
}

// Without a display the program says so in one line and fails, instead of
// the toolkit's abort; a window system that needs none, or a display that is
// named, is left for Qt to try (here an unknown plugin or a display that does
// not answer, so Qt's own abort ends the run quickly).
TEST(VimboCommandLine, NoDisplayIsOneLineAndStatusOne) {
  const std::string noSession = "-u XDG_SESSION_TYPE -u XDG_RUNTIME_DIR";
  const std::vector<std::pair<std::string, std::string>> refused = {
      {"", noSession},
      {"--no-splash document.tch", noSession},
      {"-platform xcb", noSession + " QT_QPA_PLATFORM=offscreen"},
      {"--platform wayland", noSession},
      {"", noSession + " QT_QPA_PLATFORM='wayland;xcb'"},
      {"", noSession + " XDG_SESSION_TYPE=wayland"},
      {"-platform=offscreen", noSession},
  };
  for (const auto& [arguments, environment] : refused) {
    const ProgramResult result = RunVimbo(arguments, environment);
    EXPECT_EQ(result.status, 1) << arguments << " / " << environment;
    EXPECT_EQ(result.out, "") << arguments << " / " << environment;
    EXPECT_EQ(result.err, "vimbo: no display found; run it on a desktop or under xvfb-run\n")
        << arguments << " / " << environment;
  }
  const std::vector<std::pair<std::string, std::string>> triedByQt = {
      {"-platform no-such-plugin", noSession},
      {"", noSession + " QT_QPA_PLATFORM='xcb;no-such-plugin'"},
      {"-display 127.0.0.1:97", noSession},
      {"", noSession + " DISPLAY=127.0.0.1:97"},
  };
  for (const auto& [arguments, environment] : triedByQt) {
    const ProgramResult result = RunVimbo(arguments, environment);
    EXPECT_NE(result.status, 0) << arguments << " / " << environment;
    EXPECT_NE(result.status, 1) << arguments << " / " << environment;
    EXPECT_EQ(result.err.find("no display found"), std::string::npos) << arguments << " / " << environment;
  }
}

}  // namespace
}  // namespace vimbo
