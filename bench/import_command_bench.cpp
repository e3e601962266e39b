// import_command_bench [PERSONS CONTACTS] [--rounds N] [--min-seconds S]
//                      [--cli PATH] [--python PATH]:
// `vimbo-cli import` as a whole process (load the document, read the text
// file, add its persons as one step, save) against Python's csv.reader
// reading the same file, which only parses; and the import of the same
// persons as vCard cards against the import of the CSV file. Both run as processes of their
// own, alternately on the same bytes; each run's CPU time (user and kernel)
// is the child's own, as wait4 reports it.
//
// The document is the generated one of PERSONS and CONTACTS (default 10,000
// and 100,000); the text file is its persons export with the data lines
// repeated to about one line per record of the document, as in
// document_bench's import measure.

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "bench_harness.h"
#include "core/document/document_loader.h"
#include "core/document/document_writer.h"
#include "core/document/file_io.h"
#include "core/transfer/text_export.h"
#include "core/transfer/text_transfer_settings.h"
#include "core/transfer/vcard_writer.h"
#include "document_generator.h"

extern char** environ;

namespace vimbo::bench {
namespace {

constexpr const char* kUsage =
    "usage: import_command_bench [PERSONS CONTACTS] [--rounds N] [--min-seconds S]\n"
    "                            [--cli PATH] [--python PATH]\n"
    "  PERSONS CONTACTS  the document imported into (default 10000 100000)\n"
    "  --cli PATH        the vimbo-cli measured (default: ../bin/vimbo-cli beside this program)\n"
    "  --python PATH     the reference's Python (default /usr/bin/python3)\n";

[[noreturn]] void Fail(const std::string& message) {
  std::fprintf(stderr, "import_command_bench: %s\n", message.c_str());
  std::exit(1);
}

// Runs the program to its end with its output thrown away; the CPU seconds
// it took, user and kernel.
double ChildCpuSeconds(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  argv.reserve(args.size() + 1);
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int error = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) Fail("cannot start " + args[0]);
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    Fail(args[0] + " failed");
  const auto seconds = [](const timeval& time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
  };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

Work ProcessWork(std::vector<std::string> args) {
  return [args = std::move(args)](int repeats) {
    double seconds = 0;
    for (int i = 0; i < repeats; ++i) seconds += ChildCpuSeconds(args);
    return seconds;
  };
}

// The persons export of the document, its data lines repeated until there
// is about one line per record.
std::string ImportText(const DocumentData& data, std::size_t records) {
  TextTransferSettings settings = PersonsExportSettings();
  settings.Fields = settings.AvailableFields;
  settings.Separator = ",";
  settings.Encloser = "\"";
  const std::string exported = PersonsExportText(data, settings);
  const std::size_t lines = data.persons.Size();
  const std::size_t bodyStart = exported.find('\n') + 1;
  const std::size_t copies = std::max<std::size_t>(1, (records + lines / 2) / lines);
  std::string text = exported.substr(0, bodyStart);
  text.reserve(bodyStart + copies * (exported.size() - bodyStart));
  for (std::size_t i = 0; i < copies; ++i) text.append(exported, bodyStart);
  return text;
}

int Main(int argc, char** argv) {
  int32_t counts[2] = {10000, 100000};
  int given = 0;
  RoundOptions options;
  std::string cli = (std::filesystem::path(argv[0]).parent_path() / "../bin/vimbo-cli").string();
  std::string python = "/usr/bin/python3";
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--rounds" && hasValue) {
      options.rounds = std::atoi(argv[++i]);
    } else if (arg == "--min-seconds" && hasValue) {
      options.minSeconds = std::atof(argv[++i]);
    } else if (arg == "--cli" && hasValue) {
      cli = argv[++i];
    } else if (arg == "--python" && hasValue) {
      python = argv[++i];
    } else if (given < 2 && std::from_chars(arg.data(), arg.data() + arg.size(), counts[given]).ec == std::errc()) {
      ++given;
    } else {
      std::fputs(kUsage, stderr);
      return 2;
    }
  }
  if (given == 1 || counts[0] <= 0) {
    std::fputs(kUsage, stderr);
    return 2;
  }

  char folderName[] = "/tmp/vimbo-import-bench-XXXXXX";
  if (!::mkdtemp(folderName)) Fail("cannot make a folder");
  const std::string folder = folderName;
  const std::string document = folder + "/document.tch";
  const std::string text = folder + "/import.csv";
  const std::string output = folder + "/out.tch";
  if (!WriteFileAtomically(document, GenerateDocumentText(counts[0], counts[1]))) Fail("cannot write the document");
  DocumentData data;
  if (!Load(data, document).Ok()) Fail("cannot load the document");
  const std::string bytes = ImportText(data, static_cast<std::size_t>(counts[0]) + static_cast<std::size_t>(counts[1]));
  if (!WriteFileAtomically(text, bytes)) Fail("cannot write the import file");
  const auto lines = static_cast<double>(std::count(bytes.begin(), bytes.end(), '\n'));

  // The reference of both rows: the same file parsed and nothing kept.
  const Work reference = ProcessWork(
      {python, "-c", "import csv, sys\nfor row in csv.reader(open(sys.argv[1], newline='')): pass\n", text});
  const std::string empty = folder + "/new.tch";
  DocumentData fresh;
  fresh.AddDefaultContactTypes();
  if (!Write(fresh, empty).IsDone()) Fail("cannot write the new document");

  PrintTableHeader();
  double pythonSeconds = 0;
  for (const auto& [measure, into] :
       {std::pair<const char*, std::string>{"import command into a new document", empty},
        std::pair<const char*, std::string>{"import command into the document", document}}) {
    const Work ours = ProcessWork({cli, "import", into, text, output, "--columns", "auto"});
    const PairResult result = Interleave(ours, reference, options);
    char value[64];
    std::snprintf(value, sizeof value, "%.2fM/s (%.2f)", lines / result.ours / 1e6, 1 / result.ratio);
    PrintRow(measure, Milliseconds(result.ours), Milliseconds(result.reference), value, ">= 1M lines/s",
             lines / result.ours >= 1e6);
    pythonSeconds = result.reference;
  }
  // The same persons as small vCard cards, as many as the CSV file has lines.
  std::vector<const Person*> persons;
  for (const auto& [id, person] : data.persons) persons.push_back(&person);
  const std::string oneCopy = VCardText(persons);
  std::string cardsText;
  const auto copies = static_cast<std::size_t>(lines) / std::max<std::size_t>(1, persons.size());
  cardsText.reserve(oneCopy.size() * copies);
  for (std::size_t i = 0; i < copies; ++i) cardsText += oneCopy;
  const std::string cards = folder + "/import.vcf";
  if (!WriteFileAtomically(cards, cardsText)) Fail("cannot write the cards");
  const double cardCount = static_cast<double>(copies * persons.size());
  {
    const PairResult result =
        Interleave(ProcessWork({cli, "import", empty, cards, output}),
                   ProcessWork({cli, "import", empty, text, output, "--columns", "auto"}), options);
    char value[64];
    std::snprintf(value, sizeof value, "%.0fk/s (%.2f)", cardCount / result.ours / 1e3, result.ratio);
    PrintRow("import command, vCard cards / CSV of the same persons", Milliseconds(result.ours),
             Milliseconds(result.reference), value, ">= 300k cards/s", cardCount / result.ours >= 3e5);
  }
  char note[192];
  std::snprintf(note, sizeof note,
                "%s lines, %s; the document %s persons, %s contacts; Python's csv.reader reads %.2fM lines/s",
                Count(lines).c_str(), Megabytes(static_cast<double>(bytes.size())).c_str(), Count(counts[0]).c_str(),
                Count(counts[1]).c_str(), lines / pythonSeconds / 1e6);
  PrintNote("import file", note);
  PrintNote("value", "lines per second of the whole process (ours / Python's in brackets)");
  std::snprintf(note, sizeof note, "%s cards, %s", Count(cardCount).c_str(),
                Megabytes(static_cast<double>(cardsText.size())).c_str());
  PrintNote("vcard file", note);
  std::filesystem::remove_all(folder);
  return 0;
}

}  // namespace
}  // namespace vimbo::bench

int main(int argc, char** argv) { return vimbo::bench::Main(argc, argv); }
