#include "cli/vcard_command.h"

#include <charconv>
#include <cstdio>
#include <optional>
#include <ostream>

#include "cli/cli_commands.h"
#include "cli/command_support.h"
#include "cli/person_order.h"
#include "core/document/document_writer.h"
#include "core/document/file_io.h"
#include "core/editing/document_operations.h"
#include "core/transfer/vcard_reader.h"
#include "core/transfer/vcard_writer.h"

namespace vimbo::cli {
namespace {

// Enough of the file to find its first line that is not blank.
constexpr std::size_t kSniffBytes = 4096;

// The IDs --persons names, in the order given; nothing when the list is no
// list of IDs. Without --persons, or with "all", every person.
std::optional<std::vector<int32_t>> ChosenIds(const Options& options, const Persons& persons) {
  std::vector<int32_t> ids;
  const auto given = options.values.find("--persons");
  if (given == options.values.end() || given->second == "all") {
    for (const auto& [id, person] : persons) ids.push_back(id);
    return ids;
  }
  for (const std::string& entry : SplitList(given->second)) {
    int32_t id = 0;
    const auto [end, error] = std::from_chars(entry.data(), entry.data() + entry.size(), id);
    if (error != std::errc() || end != entry.data() + entry.size() || id <= 0) return std::nullopt;
    ids.push_back(id);
  }
  if (ids.empty()) return std::nullopt;
  return ids;
}

}  // namespace

int VCardExportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() < 4) return kUsageError;
  const std::optional<Options> options = ReadOptions(args, 4, {"--persons"}, {});
  if (!options) return kUsageError;
  DocumentData data;
  if (!LoadForCommand(data, args[2], err)) return kFailure;
  std::optional<std::vector<int32_t>> ids = ChosenIds(*options, data.persons);
  if (!ids) return kUsageError;
  std::vector<const Person*> persons;
  for (const int32_t id : *ids) {
    if (!data.persons.Find(id)) {
      err << "No person with ID " << id << ".\n";
      return kFailure;
    }
  }
  ListedByName(data.persons, *ids);
  for (const int32_t id : *ids) persons.push_back(data.persons.Find(id));
  if (!WriteVCardFile(args[3], persons)) {
    err << "Error saving " << args[3] << ".\n";
    return kFailure;
  }
  out << persons.size() << " cards written\n";
  return kSuccess;
}

int VCardImportCommand(const std::string& in, const std::string& cardsPath, const std::string& outPath,
                       std::ostream& out, std::ostream& err) {
  DocumentData data;
  if (!LoadForCommand(data, in, err)) return kFailure;
  const std::optional<std::string> text = ReadFileText(cardsPath);
  if (!text) {
    err << "Unable to open file " << cardsPath << ".\n";
    return kFailure;
  }
  VCardImport cards = ReadVCards(*text);
  const int added = ImportPersons(data, std::move(cards.persons)).id;
  if (!Write(data, outPath)) {
    err << "Error saving " << outPath << ".\n";
    return kFailure;
  }
  char message[128];
  if (cards.unreadable > 0)
    std::snprintf(message, sizeof message, "%d names added to current database. %d cards could not be read.", added,
                  cards.unreadable);
  else
    std::snprintf(message, sizeof message, "%d names added to current database.", added);
  out << message << "\n";
  return kSuccess;
}

bool FileLooksLikeVCard(const std::string& path) {
  const std::optional<std::string> start = ReadFileText(path, kSniffBytes);
  return start && LooksLikeVCard(*start);
}

}  // namespace vimbo::cli
