#include "cli/merge_command.h"

#include <ostream>

#include "cli/cli_commands.h"
#include "cli/command_support.h"
#include "core/document/document_writer.h"
#include "core/editing/document_merge.h"

namespace vimbo::cli {
namespace {

MergeSide PreferredSide(const Options& options) {
  const auto given = options.values.find("--prefer");
  if (given == options.values.end() || given->second == "ours") return MergeSide::kOurs;
  if (given->second == "theirs") return MergeSide::kTheirs;
  throw BadValue("--prefer", given->second);
}

}  // namespace

int MergeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::size_t paths = 1;
  while (paths < args.size() && !args[paths].starts_with("--")) ++paths;
  --paths;
  if (paths != 3 && paths != 4) throw UsageError{"merge needs [BASE.tch] OURS.tch, THEIRS.tch and OUT.tch"};
  const Options options = ReadOptions(args, paths + 1, {"--prefer"}, {"--force"}, "merge");
  const MergeSide prefer = PreferredSide(options);
  const std::vector<std::string> inputs(args.begin() + 1, args.begin() + static_cast<std::ptrdiff_t>(paths));
  const std::string& target = args[paths];
  // The copies merged stay as they are, whatever goes wrong.
  for (const std::string& input : inputs) {
    if (IsStandardStream(input) || IsStandardStream(target))
      throw UsageError{"merge reads and writes files, not standard input or output"};
    if (SameFile(input, target)) throw UsageError{"OUT.tch must not be one of the copies merged"};
  }

  if (RefuseWhileOpenElsewhere(target, options, err)) return kFailure;
  std::vector<DocumentData*> documents;
  for (const std::string& input : inputs) {
    DocumentData& data = CommandDocument();
    if (!LoadForCommand(data, input, err)) return kFailure;
    documents.push_back(&data);
  }
  const bool hasBase = documents.size() == 3;
  const MergeResult result = MergeDocuments(hasBase ? documents[0] : nullptr, *documents[hasBase ? 1 : 0],
                                            *documents[hasBase ? 2 : 1], prefer);
  const Outcome written = Write(result.document, target);
  if (!written.IsDone()) {
    err << written.message << "\n";
    return kFailure;
  }
  for (const MergeConflict& conflict : result.conflicts) out << ConflictLine(conflict);
  return result.conflicts.empty() ? kSuccess : kFailure;
}

}  // namespace vimbo::cli
