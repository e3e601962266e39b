#pragma once
// What the vimbo-cli commands share: loading a document as File Open does,
// and reading the options and lists that follow the positional arguments.

#include <cstdint>
#include <iosfwd>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/records/document_data.h"

namespace vimbo::cli {

// Loads as File Open does; on failure says why in the program's words. A
// file that is not a Vimbo document is refused as an unreadable one is.
bool LoadForCommand(DocumentData& data, const std::string& path, std::ostream& err);

// The options after a command's positional arguments: "--name VALUE" for
// the named value options, "--name" alone for the flags. Later repeats win.
struct Options {
  std::map<std::string, std::string> values;
  std::set<std::string> flags;
};

// Nothing when an argument is neither a known option nor a flag, or a value
// option has no value.
std::optional<Options> ReadOptions(const std::vector<std::string>& args, std::size_t first,
                                   const std::set<std::string>& valueNames, const std::set<std::string>& flagNames);

// --persons: absent or "all" leaves `ids` empty, for every person; else a
// list of at least one ID. False when the value is no such list.
bool ReadPersonIds(const Options& options, std::optional<std::vector<int32_t>>& ids);

// "K1,K2,..." as its entries, empty ones included; the empty text has none.
std::vector<std::string> SplitList(const std::string& text);

}  // namespace vimbo::cli
