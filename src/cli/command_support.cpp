#include "cli/command_support.h"

#include <charconv>
#include <ostream>

#include "core/document/document_loader.h"

namespace vimbo::cli {

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

std::optional<Options> ReadOptions(const std::vector<std::string>& args, std::size_t first,
                                   const std::set<std::string>& valueNames, const std::set<std::string>& flagNames) {
  Options options;
  for (std::size_t i = first; i < args.size(); ++i) {
    if (flagNames.count(args[i])) {
      options.flags.insert(args[i]);
    } else if (valueNames.count(args[i]) && i + 1 < args.size()) {
      options.values[args[i]] = args[i + 1];
      ++i;
    } else {
      return std::nullopt;
    }
  }
  return options;
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

bool ReadPersonIds(const Options& options, std::optional<std::vector<int32_t>>& ids) {
  ids.reset();
  const auto given = options.values.find("--persons");
  if (given == options.values.end() || given->second == "all") return true;
  std::vector<int32_t> list;
  for (const std::string& entry : SplitList(given->second)) {
    int32_t id = 0;
    const auto [end, error] = std::from_chars(entry.data(), entry.data() + entry.size(), id);
    if (error != std::errc() || end != entry.data() + entry.size() || id <= 0) return false;
    list.push_back(id);
  }
  if (list.empty()) return false;
  ids = std::move(list);
  return true;
}

}  // namespace vimbo::cli
