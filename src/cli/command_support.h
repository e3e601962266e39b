#pragma once
// What the vimbo-cli commands share: loading a document as File Open does,
// reading the options and lists that follow the positional arguments, and
// "-" for standard input or output.

#include <cstdint>
#include <iosfwd>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/records/document_data.h"

namespace vimbo::cli {

// What is wrong with a command line, in one line ("unknown command 'x'");
// Run prints it with a pointer to --help and exits with kUsageError.
struct UsageError {
  std::string what;
};

// A new, empty document for the command that runs. The documents are freed
// when Run returns, unless KeepDocumentsUntilExit was called: vimbo-cli
// lets the end of its process give their memory back, at once, instead of
// freeing a large document's records one by one.
DocumentData& CommandDocument();
void FreeCommandDocuments();
void KeepDocumentsUntilExit();

// Loads as File Open does; on failure says why in the program's words. A
// file that is not a Vimbo document is refused as an unreadable one is.
bool LoadForCommand(DocumentData& data, const std::string& path, std::ostream& err);

// Throws a UsageError saying `command` needs `what` unless args[first] up to
// args[first + count] are there and none of them is an option.
void RequireArguments(const std::vector<std::string>& args, std::size_t first, std::size_t count,
                      const std::string& command, const std::string& what);

// RequireArguments for a command that reads the document args[2] and writes
// args[3], which also throws a UsageError when args[3] names that document
// however it is spelled: the output would be written over it.
void RequireInputAndOutput(const std::vector<std::string>& args, const std::string& command, const std::string& what);

// Whether two paths name one file, however each is spelled.
bool SameFile(const std::string& a, const std::string& b);

// The options after a command's positional arguments: "--name VALUE" for
// the named value options, "--name" alone for the flags. Later repeats win.
struct Options {
  std::map<std::string, std::string> values;
  std::set<std::string> flags;
};

// Throws a UsageError for an argument that is neither one of the command's
// options nor a flag, and for a value option without its value.
Options ReadOptions(const std::vector<std::string>& args, std::size_t first, const std::set<std::string>& valueNames,
                    const std::set<std::string>& flagNames, const std::string& command);

// Whether a command must not write `path`, which another running Vimbo has
// open: says so on `err`, unless the command was given --force.
bool RefuseWhileOpenElsewhere(const std::string& path, const Options& options, std::ostream& err);

// The UsageError for a value that option `name` does not take.
UsageError BadValue(const std::string& name, const std::string& value);

// --persons: absent or "all" gives nothing, for every person; else a list of
// at least one ID. Throws a UsageError when the value is no such list.
std::optional<std::vector<int32_t>> ReadPersonIds(const Options& options);

// "K1,K2,..." as its entries, empty ones included; the empty text has none.
std::vector<std::string> SplitList(const std::string& text);

// The name that stands for standard input or standard output.
inline bool IsStandardStream(std::string_view path) { return path == "-"; }

// Every byte of `in`; nothing when reading it failed.
std::optional<std::string> ReadWhole(std::istream& in);

// A sink that writes to `out`, for the exports that write to standard output.
bool PutTo(std::ostream& out, std::string_view bytes);

inline constexpr const char* kStandardOutputError = "Error writing to standard output.";
inline constexpr const char* kStandardInputError = "Unable to read standard input.";

}  // namespace vimbo::cli
