// document_bench [PERSONS CONTACTS] [--core] [--due] [--growth] [--gui] [options]:
// the cost of Vimbo's work on a large document, each figure beside its goal.
// Ratios compare our work with a reference on the same bytes in the same
// run, interleaved and in CPU time, so they hold on a loaded shared machine
// where absolute times do not. kUsage below lists the options.

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "bench_harness.h"
#include "core_measures.h"
#include "document_generator.h"
#include "due_measure.h"
#ifdef VIMBO_BENCH_GUI
#include "gui_measures.h"
#endif

extern char** environ;

namespace {

constexpr const char* kUsage =
    "usage: document_bench [PERSONS CONTACTS] [--core] [--due] [--growth] [--gui]\n"
    "                      [--rounds N] [--min-seconds S] [--growth-max CONTACTS] [--cli PATH]\n"
    "  PERSONS CONTACTS  the document measured (default 10000 100000)\n"
    "  --core            parse, load, save, heap of a load, export, import, due (the default)\n"
    "  --due             what is due alone: the rules beside the load, vimbo-cli due beside info\n"
    "  --cli PATH        the vimbo-cli of the due measure (default: ../bin/vimbo-cli beside this program)\n"
    "  --growth          load, save, export and import per record at 100/1,000 persons/contacts\n"
    "                    and ten times as many each step up to --growth-max (default 1000000)\n"
    "  --gui             the desktop program on the offscreen platform: open, report preview,\n"
    "                    person switch, also with a screen reader listening (in a process of its own)\n"
    "  --rounds N        at least N interleaved rounds per measure (default 5)\n"
    "  --min-seconds S   and on until a measure took S seconds of CPU (default 2)\n";

int Usage() {
  std::fputs(kUsage, stderr);
  return 2;
}

bool ParseCount(std::string_view text, int32_t& count) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
  return error == std::errc() && end == text.data() + text.size() && count >= 0;
}

bool ParseSeconds(std::string_view text, double& seconds) {
  const std::string copy(text);
  char* end = nullptr;
  seconds = std::strtod(copy.c_str(), &end);
  return !copy.empty() && *end == '\0' && seconds >= 0;
}

struct Arguments {
  int32_t persons = 10'000;
  int32_t contacts = 100'000;
  bool core = false;
  bool due = false;
  bool growth = false;
  bool gui = false;
  int32_t growthMax = 1'000'000;
  std::string cli;
  vimbo::bench::RoundOptions rounds;
};

// Reads the option at args[i], and its value if it takes one (i moves on to
// it); false for an unknown option or a missing or wrong value.
bool ParseOption(const std::vector<std::string_view>& args, std::size_t& i, Arguments& parsed) {
  const std::string_view arg = args[i];
  if (arg == "--core") {
    parsed.core = true;
    return true;
  }
  if (arg == "--due") {
    parsed.due = true;
    return true;
  }
  if (arg == "--growth") {
    parsed.growth = true;
    return true;
  }
  if (arg == "--gui") {
    parsed.gui = true;
    return true;
  }
  if (i + 1 >= args.size()) return false;
  const std::string_view value = args[++i];
  if (arg == "--rounds") {
    int32_t rounds = 0;
    if (!ParseCount(value, rounds) || rounds < 1) return false;
    parsed.rounds.rounds = rounds;
    return true;
  }
  if (arg == "--min-seconds") return ParseSeconds(value, parsed.rounds.minSeconds);
  if (arg == "--growth-max") return ParseCount(value, parsed.growthMax);
  if (arg == "--cli") {
    parsed.cli = value;
    return true;
  }
  return false;
}

bool ParseArguments(const std::vector<std::string_view>& args, Arguments& parsed) {
  std::vector<std::string_view> positional;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (!args[i].starts_with("-")) {
      positional.push_back(args[i]);
    } else if (!ParseOption(args, i, parsed)) {
      return false;
    }
  }
  if (positional.size() == 2) {
    if (!ParseCount(positional[0], parsed.persons) || !ParseCount(positional[1], parsed.contacts)) return false;
  } else if (!positional.empty()) {
    return false;
  }
  if (!parsed.growth && !parsed.gui && !parsed.due) parsed.core = true;
  return true;
}

#ifdef VIMBO_BENCH_GUI
// The child that runs the desktop measures: document_bench --gui-child
// FOLDER DOCUMENT SWITCHING HEAPED HEAPED-PERSONS ROUNDS MIN-SECONDS.
constexpr std::string_view kGuiChild = "--gui-child";

int RunGuiChild(int& argc, char** argv) {
  vimbo::bench::RoundOptions rounds;
  int32_t count = 0;
  int32_t heapedPersons = 0;
  if (argc != 9 || !ParseCount(argv[6], heapedPersons) || !ParseCount(argv[7], count) || count < 1 ||
      !ParseSeconds(argv[8], rounds.minSeconds))
    return Usage();
  rounds.rounds = count;
  const vimbo::bench::GuiDocuments documents{argv[2], argv[3], argv[4], argv[5], heapedPersons};
  int childArgc = 1;
  return vimbo::bench::RunGuiMeasures(childArgc, argv, documents, rounds);
}

// Starts this program again as the GUI child and waits for it; its lines go
// to the same standard output.
bool SpawnGuiChild(const char* program, const vimbo::bench::GuiDocuments& documents,
                   const vimbo::bench::RoundOptions& rounds) {
  std::vector<std::string> args = {program,
                                   std::string(kGuiChild),
                                   documents.folder,
                                   documents.document,
                                   documents.switching,
                                   documents.heaped,
                                   std::to_string(documents.heapedPersons),
                                   std::to_string(rounds.rounds),
                                   std::to_string(rounds.minSeconds)};
  std::vector<char*> argv;
  argv.reserve(args.size() + 1);
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  std::fflush(stdout);
  pid_t child = 0;
  if (::posix_spawn(&child, "/proc/self/exe", nullptr, nullptr, argv.data(), environ) != 0) return false;
  int status = 0;
  if (::waitpid(child, &status, 0) != child) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool RunGui(const Arguments& arguments, const char* program, const std::string& folder,
            const vimbo::bench::BenchDocument& document) {
  using namespace vimbo::bench;
  // Every person of the switching document has about 10,000 contacts.
  const int32_t switchPersons = std::max<int32_t>(1, arguments.contacts / 10'000);
  const std::string switching = folder + "/switching.tch";
  MakeDocument(switching, switchPersons, arguments.contacts);
  // The switch with a screen reader picks among all the persons of the
  // document above, between those that have 10,000 contacts.
  const std::string heaped = folder + "/heaped.tch";
  const int32_t heapedPersons = MakeHeapedDocument(heaped, arguments.persons, arguments.contacts, 10'000);
  std::printf(
      "\nthe desktop program, offscreen (open and report: the document above; switch: %s contacts of %s "
      "person%s; among all: the document above, its contacts on %s persons)\n",
      Count(arguments.contacts).c_str(), Count(switchPersons).c_str(), switchPersons == 1 ? "" : "s",
      Count(heapedPersons).c_str());
  PrintTableHeader();
  if (SpawnGuiChild(program, {folder, document.path, switching, heaped, heapedPersons}, arguments.rounds)) return true;
  std::fputs("document_bench: the desktop measures failed\n", stderr);
  return false;
}
#endif

// The due measure on the generated document, with the vimbo-cli given or
// the one of the build tree.
void RunDue(const Arguments& arguments, const vimbo::bench::BenchDocument& document, const std::string& folder) {
  using namespace vimbo::bench;
  std::string cli = arguments.cli;
  if (cli.empty()) {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    cli = (self.parent_path().parent_path() / "bin" / "vimbo-cli").string();
  }
  if (!arguments.core) PrintTableHeader();
  vimbo::DocumentData data;
  vimbo::GenerateDocument(data, document.persons, document.contacts);
  RunDueMeasure(data, folder, cli, arguments.rounds);
}

int Run(const Arguments& arguments, [[maybe_unused]] const char* program, const std::string& folder) {
  using namespace vimbo::bench;
  std::printf(
      "CPU time (user and kernel) of interleaved runs, ours and reference alternately on the same\n"
      "bytes; at least %d rounds and %.1f s of CPU per measure; medians. Every operator new counted.\n",
      arguments.rounds.rounds, arguments.rounds.minSeconds);
  if (arguments.core || arguments.gui || arguments.due) {
    const BenchDocument document = MakeDocument(folder + "/document.tch", arguments.persons, arguments.contacts);
    std::printf("\ndocument: %s persons, %s contacts, %s\n", Count(document.persons).c_str(),
                Count(document.contacts).c_str(), Megabytes(static_cast<double>(document.text.size())).c_str());
    std::fflush(stdout);
    if (arguments.core) RunCoreMeasures(document, folder, arguments.rounds);
    if (arguments.core || arguments.due) RunDue(arguments, document, folder);
#ifdef VIMBO_BENCH_GUI
    if (arguments.gui && !RunGui(arguments, program, folder, document)) return 1;
#endif
  }
  if (arguments.growth) RunGrowth(folder, arguments.growthMax, arguments.rounds);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef VIMBO_BENCH_GUI
  if (argc > 1 && argv[1] == kGuiChild) {
    try {
      return RunGuiChild(argc, argv);
    } catch (const std::exception& error) {
      std::fprintf(stderr, "document_bench: %s\n", error.what());
      return 1;
    }
  }
#endif
  Arguments arguments;
  if (!ParseArguments(std::vector<std::string_view>(argv + 1, argv + argc), arguments)) return Usage();
#ifndef VIMBO_BENCH_GUI
  if (arguments.gui) {
    std::fputs("document_bench: built without Qt (VIMBO_CORE_ONLY), so --gui is not available\n", stderr);
    return 2;
  }
#endif

  char folder[] = "/tmp/vimbo-bench-XXXXXX";
  if (!::mkdtemp(folder)) {
    std::perror("document_bench: mkdtemp");
    return 1;
  }
  int status = 1;
  try {
    status = Run(arguments, argv[0], folder);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "document_bench: %s\n", error.what());
  }
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return status;
}
