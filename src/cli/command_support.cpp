#include "cli/command_support.h"

#include <charconv>
#include <filesystem>
#include <initializer_list>
#include <istream>
#include <memory>
#include <ostream>

#include "core/document/document_loader.h"
#include "core/document/document_lock_file.h"

namespace vimbo::cli {

namespace {

bool keepDocuments = false;

// The pieces of a message as one text.
std::string Joined(std::initializer_list<std::string_view> pieces) {
  std::string text;
  for (const std::string_view piece : pieces) text.append(piece);
  return text;
}

// Never destroyed, so a document kept until the exit stays reachable.
std::vector<std::unique_ptr<DocumentData>>& Documents() {
  static auto* documents = new std::vector<std::unique_ptr<DocumentData>>;
  return *documents;
}

}  // namespace

DocumentData& CommandDocument() { return *Documents().emplace_back(std::make_unique<DocumentData>()); }

void FreeCommandDocuments() {
  if (!keepDocuments) Documents().clear();
}

void KeepDocumentsUntilExit() { keepDocuments = true; }

bool LoadForCommand(DocumentData& data, const std::string& path, std::ostream& err) {
  const LoadResult result = Load(data, path);
  switch (result.status) {
    case LoadResult::Status::kLoaded: return true;
    case LoadResult::Status::kParseError: err << ParseErrorMessage(result.errorLine) << "\n"; return false;
    case LoadResult::Status::kUnreadable:
    case LoadResult::Status::kNotDocument: err << "Error loading file.\n"; return false;
  }
  return false;
}

void RequireArguments(const std::vector<std::string>& args, std::size_t first, std::size_t count,
                      const std::string& command, const std::string& what) {
  for (std::size_t i = first; i < first + count; ++i)
    if (i >= args.size() || args[i].starts_with("--")) throw UsageError{Joined({command, " needs ", what})};
}

Options ReadOptions(const std::vector<std::string>& args, std::size_t first, const std::set<std::string>& valueNames,
                    const std::set<std::string>& flagNames, const std::string& command) {
  Options options;
  for (std::size_t i = first; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (flagNames.count(arg)) {
      options.flags.insert(arg);
    } else if (valueNames.count(arg)) {
      if (i + 1 == args.size()) throw UsageError{Joined({"option '", arg, "' needs a value"})};
      options.values[arg] = args[++i];
    } else if (arg.starts_with("--")) {
      throw UsageError{Joined({command, " takes no option '", arg, "'"})};
    } else {
      throw UsageError{Joined({"unexpected argument '", arg, "'"})};
    }
  }
  return options;
}

void RequireInputAndOutput(const std::vector<std::string>& args, const std::string& command, const std::string& what) {
  RequireArguments(args, 2, 2, command, what);
  if (SameFile(args[2], args[3])) throw UsageError{command + " would write over IN.tch: give another OUT"};
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  return a == b || std::filesystem::equivalent(a, b, error);
}

bool RefuseWhileOpenElsewhere(const std::string& path, const Options& options, std::ostream& err) {
  if (IsStandardStream(path) || options.flags.count("--force") > 0) return false;
  const std::optional<std::string> holder = LockHolder(path);
  if (!holder) return false;
  err << path << " is open in another Vimbo window (" << *holder << ").\n";
  return true;
}

UsageError BadValue(const std::string& name, const std::string& value) {
  return UsageError{Joined({"invalid value '", value, "' for ", name})};
}

std::vector<std::string> SplitList(const std::string& text) {
  std::vector<std::string> entries;
  if (text.empty()) return entries;
  std::size_t from = 0;
  for (std::size_t comma = text.find(','); comma != std::string::npos; comma = text.find(',', from)) {
    entries.push_back(text.substr(from, comma - from));
    from = comma + 1;
  }
  entries.push_back(text.substr(from));
  return entries;
}

std::optional<std::vector<int32_t>> ReadPersonIds(const Options& options) {
  const auto given = options.values.find("--persons");
  if (given == options.values.end() || given->second == "all") return std::nullopt;
  std::vector<int32_t> list;
  for (const std::string& entry : SplitList(given->second)) {
    int32_t id = 0;
    const auto [end, error] = std::from_chars(entry.data(), entry.data() + entry.size(), id);
    if (error != std::errc() || end != entry.data() + entry.size() || id <= 0)
      throw BadValue("--persons", given->second);
    list.push_back(id);
  }
  if (list.empty()) throw BadValue("--persons", given->second);
  return list;
}

std::optional<std::string> ReadWhole(std::istream& in) {
  std::string bytes;
  char piece[1 << 16];
  while (in.read(piece, sizeof piece) || in.gcount() > 0) bytes.append(piece, static_cast<std::size_t>(in.gcount()));
  if (in.bad()) return std::nullopt;
  return bytes;
}

bool PutTo(std::ostream& out, std::string_view bytes) {
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace vimbo::cli
