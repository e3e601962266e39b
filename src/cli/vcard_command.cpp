#include "cli/vcard_command.h"

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

}  // namespace

int VCardExportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() < 4) return kUsageError;
  const std::optional<Options> options = ReadOptions(args, 4, {"--persons"}, {});
  if (!options) return kUsageError;
  DocumentData data;
  if (!LoadForCommand(data, args[2], err)) return kFailure;
  std::optional<std::vector<int32_t>> ids;
  if (!ReadPersonIds(*options, ids)) return kUsageError;
  if (!ids) {
    ids.emplace();
    for (const auto& [id, person] : data.persons) ids->push_back(id);
  }
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
