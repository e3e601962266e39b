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
  RequireInputAndOutput(args, "export vcard", "IN.tch and OUT.vcf");
  const Options options = ReadOptions(args, 4, {"--persons", "--version"}, {}, "export vcard");
  VCardVersion version = VCardVersion::kFour;
  if (const auto given = options.values.find("--version"); given != options.values.end()) {
    if (given->second != "3.0" && given->second != "4.0") throw BadValue("--version", given->second);
    version = given->second == "3.0" ? VCardVersion::kThree : VCardVersion::kFour;
  }
  std::optional<std::vector<int32_t>> ids = ReadPersonIds(options);
  DocumentData& data = CommandDocument();
  if (!LoadForCommand(data, args[2], err)) return kFailure;
  if (!ids) {
    ids.emplace();
    for (const auto& [id, person] : data.persons) ids->push_back(id);
  }
  for (const int32_t id : *ids) {
    if (!data.persons.Find(id)) {
      err << "No person with ID " << id << ".\n";
      return kFailure;
    }
  }
  ListedByName(data.persons, *ids);
  std::vector<const Person*> persons;
  for (const int32_t id : *ids) persons.push_back(data.persons.Find(id));
  if (IsStandardStream(args[3])) {
    // The cards are the output; the count goes with the messages.
    if (!PutTo(out, VCardText(persons, version)) || !out.flush()) {
      err << kStandardOutputError << "\n";
      return kFailure;
    }
    err << persons.size() << " cards written\n";
    return kSuccess;
  }
  const Outcome outcome = WriteVCardFile(args[3], persons, version);
  if (outcome.IsFailed()) {
    err << outcome.message << "\n";
    return kFailure;
  }
  out << outcome.count << " cards written\n";
  return kSuccess;
}

int VCardImportCommand(const std::string& in, const std::string& cards, const std::string& cardsName,
                       const std::string& outPath, std::ostream& out, std::ostream& err) {
  DocumentData& data = CommandDocument();
  if (!LoadForCommand(data, in, err)) return kFailure;
  VCardImport read = ReadVCards(cards);
  if (!read.foundCard) {
    err << "No vCard found in " << (IsStandardStream(cardsName) ? "standard input" : cardsName) << ".\n";
    return kFailure;
  }
  std::vector<Persons::Entry> persons;
  persons.reserve(read.persons.size());
  for (Person& person : read.persons) persons.emplace_back(0, std::move(person));
  const int added = ImportPersonsWithoutUndo(data, std::move(persons));
  const Outcome saved = Write(data, outPath);
  if (saved.IsFailed()) {
    err << saved.message << "\n";
    return kFailure;
  }
  char message[128];
  if (read.unreadable > 0)
    std::snprintf(message, sizeof message, "%d names added to current database. %d cards could not be read.", added,
                  read.unreadable);
  else
    std::snprintf(message, sizeof message, "%d names added to current database.", added);
  out << message << "\n";
  // What was left out, by line, beside the count.
  for (const std::string& problem : read.problems) err << problem << "\n";
  return kSuccess;
}

bool FileLooksLikeVCard(const std::string& path) {
  const std::optional<std::string> start = ReadFileText(path, kSniffBytes);
  return start && LooksLikeVCard(*start);
}

}  // namespace vimbo::cli
