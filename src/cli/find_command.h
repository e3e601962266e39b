#pragma once
// vimbo-cli find: the persons and contacts a query names, one per line.

#include <iosfwd>
#include <string>
#include <vector>

namespace vimbo::cli {

// find IN QUERY... Persons first, in the selector's name order (by ID in a
// build without Qt), then contacts, the newest first. kFailure with no
// output when nothing matches; throws a UsageError for a wrong command line.
int FindCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace vimbo::cli
