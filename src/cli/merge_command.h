#pragma once
// vimbo-cli merge: two copies of a document edited apart joined into a third
// file, the conflicts one per line on standard output.

#include <iosfwd>
#include <string>
#include <vector>

namespace vimbo::cli {

// merge [BASE] OURS THEIRS OUT [--prefer ours|theirs] [--force]. kSuccess without
// conflicts, kFailure with them (OUT is written all the same) and when an
// input cannot be read (nothing is written) or OUT cannot be written.
// Throws a UsageError for a wrong command line.
int MergeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace vimbo::cli
