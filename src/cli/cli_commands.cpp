#include "cli/cli_commands.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string_view>

#include "cli/command_support.h"
#include "cli/find_command.h"
#include "cli/vcard_command.h"
#ifdef VIMBO_CLI_REPORTS
#include "cli/report_command.h"
#endif
#include "core/document/document_writer.h"
#include "core/records/document_data.h"
#include "core/transfer/column_names.h"
#include "core/transfer/field_tokenizer.h"
#include "core/transfer/person_import.h"
#include "core/transfer/text_export.h"
#include "vimbo_version.h"

namespace vimbo::cli {
namespace {

constexpr const char* kUsage =
    "usage: vimbo-cli new OUT.tch\n"
    "       vimbo-cli resave IN.tch OUT.tch\n"
    "       vimbo-cli info IN.tch\n"
    "       vimbo-cli export persons|contacts IN.tch OUT.txt [--fields K1,K2,...]\n"
    "                 [--separator S] [--encloser E]\n"
    "       vimbo-cli export contacts IN.tch OUT.txt ... [--iso-dates]\n"
    "       vimbo-cli import IN.tch DATA.txt OUT.tch --columns K1,K2,...\n"
    "                 [--separator S] [--encloser E] [--first-line-names]\n"
    "       vimbo-cli import IN.tch DATA.txt OUT.tch --columns auto\n"
    "                 [--separator S] [--encloser E]\n"
    "       vimbo-cli report addressbook|contacts|envelopes IN.tch OUT.pdf\n"
    "                 [--persons all|ID,ID,...] [--from DATE] [--to DATE]\n"
    "                 [--recipient LIST] [--return LIST] [--margins L,T,R,B]\n"
    "                 [--font FACE] [--size POINTS] [--paper letter|a4]\n"
    "       vimbo-cli export vcard IN.tch OUT.vcf [--persons all|ID,ID,...]\n"
    "       vimbo-cli import IN.tch DATA OUT.tch ... [--format csv|vcard]\n"
    "       vimbo-cli find IN.tch QUERY...\n"
    "       vimbo-cli --help | --version\n"
    "S and E: one character, or comma, semicolon, pipe, space, tab, double-quote,\n"
    "single-quote or none (defaults: comma, double-quote). An empty import column\n"
    "entry is a column that is not imported.\n"
    "Field keys, each at most once: FirstName, LastName, Address, City, State,\n"
    "ZipCode, Phone, Fax, E-Mail, Company, Position; for contacts FirstName,\n"
    "LastName, Date, Time, Description, ContactType.\n"
    "More person keys after those: Title, WorkPhone, Extension, CelPhone, Pager,\n"
    "WebPage. An export without --fields writes every key of its kind in order.\n"
    "--iso-dates: dates as YYYY-MM-DD and times as hh:mm:ss instead of the\n"
    "regional formats. --columns auto: the first line names the columns and is\n"
    "skipped; each column whose name is known (a field key, or a heading such as\n"
    "\"Given Name\", \"E-mail Address\", \"Mobile Phone\") is imported into its\n"
    "field, the first of two columns naming one field; the others are not.\n"
    "report: --from and --to (contacts only) are YYYY-MM-DD or YYYY-MM-DDTHH:MM:SS,\n"
    "a date alone meaning its whole day; by default the range runs from the chosen\n"
    "persons' first contact to their last. --recipient and --return (envelopes\n"
    "only) list title, company, position. Margins in thousandths of an inch\n"
    "(default 500 each); font \"Times New Roman\" 10 points; paper from the locale.\n"
    "A person ID not in the document is an error. A build without Qt has no report.\n"
    "vCard: export writes version 4.0, one card per person in name order; import\n"
    "reads versions 2.1 to 4.0, as --format vcard or when the file's first line\n"
    "that is not blank is BEGIN:VCARD, and takes no other option.\n"
    "find: persons that hold every word in their fields, then contacts that hold\n"
    "each word in their notes or their person's name, newest first; case and\n"
    "accents aside. Exit status 1 when nothing matches.\n";

int Usage(std::ostream& err) {
  err << kUsage;
  return kUsageError;
}

int SaveForCommand(DocumentData& data, const std::string& path, std::ostream& err) {
  if (Write(data, path)) return kSuccess;
  err << "Error saving " << path << ".\n";
  return kFailure;
}

int New(const std::string& out, std::ostream& err) {
  DocumentData data;
  data.Clear();
  data.AddDefaultContactTypes();
  return SaveForCommand(data, out, err);
}

int Resave(const std::string& in, const std::string& out, std::ostream& err) {
  DocumentData data;
  if (!LoadForCommand(data, in, err)) return kFailure;
  return SaveForCommand(data, out, err);
}

int Info(const std::string& in, std::ostream& out, std::ostream& err) {
  DocumentData data;
  if (!LoadForCommand(data, in, err)) return kFailure;
  out << "persons " << data.persons.Size() << "\n"
      << "contacts " << data.contacts.Size() << "\n"
      << "contact types " << data.contactTypes.Size() << "\n"
      << "version " << data.version << "\n";
  return kSuccess;
}

// A separator or encloser: one character, or its name.
std::optional<std::string> TransferCharacter(const Options& options, const std::string& name,
                                             const std::string& fallback) {
  static const std::map<std::string, std::string> kNamed = {
      {"comma", ","}, {"semicolon", ";"},     {"pipe", "|"},         {"space", " "},
      {"tab", "\t"},  {"double-quote", "\""}, {"single-quote", "'"}, {"none", ""}};
  const auto given = options.values.find(name);
  if (given == options.values.end()) return fallback;
  if (given->second.size() == 1) return given->second;
  const auto named = kNamed.find(given->second);
  if (named == kNamed.end()) return std::nullopt;
  return named->second;
}

// Fills the separator and encloser as the wizard does; false on a bad choice.
bool SetCharacters(TextTransferSettings& settings, const Options& options) {
  const std::optional<std::string> separator = TransferCharacter(options, "--separator", ",");
  const std::optional<std::string> encloser = TransferCharacter(options, "--encloser", "\"");
  if (!separator || !encloser) return false;
  settings.Separator = *separator;
  settings.Encloser = *encloser;
  return true;
}

// Every key must be one the record kind offers, and none may come twice, so
// that each column the file holds is the one its name says; an empty import
// column is a column that is not imported. Names the first bad key.
bool KeysAreKnown(const std::vector<std::string>& keys, const std::vector<std::string>& available, bool emptyAllowed,
                  std::ostream& err) {
  std::set<std::string> seen;
  for (const std::string& key : keys) {
    if (key.empty() && emptyAllowed) continue;
    if (std::find(available.begin(), available.end(), key) == available.end()) {
      err << "vimbo-cli: unknown field key '" << key << "'\n";
      return false;
    }
    if (!seen.insert(key).second) {
      err << "vimbo-cli: field key '" << key << "' given twice\n";
      return false;
    }
  }
  return true;
}

// export persons|contacts IN OUT [--fields ...] [--separator S] [--encloser E]
int Export(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() < 4 || (args[1] != "persons" && args[1] != "contacts")) return Usage(err);
  const bool persons = args[1] == "persons";
  const std::set<std::string> flags = persons ? std::set<std::string>{} : std::set<std::string>{"--iso-dates"};
  const std::optional<Options> options = ReadOptions(args, 4, {"--fields", "--separator", "--encloser"}, flags);
  if (!options) return Usage(err);
  TextTransferSettings settings = persons ? PersonsExportSettings() : ContactsExportSettings();
  if (!SetCharacters(settings, *options)) return Usage(err);
  settings.IsoDates = options->flags.count("--iso-dates") > 0;
  const auto fields = options->values.find("--fields");
  settings.Fields = fields == options->values.end() ? settings.AvailableFields : SplitList(fields->second);
  if (!KeysAreKnown(settings.Fields, settings.AvailableFields, false, err)) return Usage(err);
  settings.FileName = args[3];

  DocumentData data;
  if (!LoadForCommand(data, args[2], err)) return kFailure;
  // The columns follow the keys as given, each under its name.
  const std::optional<int> lines = persons ? WritePersonsExport(data, settings, ColumnOrder::kKeys)
                                           : WriteContactsExport(data, settings, ColumnOrder::kKeys);
  if (!lines) {
    err << "Error saving " << settings.FileName << ".\n";
    return kFailure;
  }
  out << *lines << " lines written\n";
  return kSuccess;
}

// The columns of the file named by its first record, each assigned the
// field its name is known for, as the wizard assigns them.
std::vector<std::string> ColumnsByName(const std::string& firstRecord, const FieldTokenizer& tokenizer) {
  std::vector<std::string> names;
  std::string_view remaining = firstRecord;
  std::string field;
  while (tokenizer.NextField(remaining, field)) names.push_back(field);
  return MatchColumnHeadings(names);
}

// import IN DATA OUT --columns ... [--separator S] [--encloser E] [--first-line-names]
int Import(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() < 4) return Usage(err);
  const std::optional<Options> options =
      ReadOptions(args, 4, {"--columns", "--separator", "--encloser"}, {"--first-line-names"});
  if (!options) return Usage(err);
  const auto columns = options->values.find("--columns");
  if (columns == options->values.end()) return Usage(err);
  // Matched by name, the columns are named by the first line, which is
  // therefore not a person.
  const bool byName = columns->second == "auto";
  TextTransferSettings settings = PersonsImportSettings();
  if (!SetCharacters(settings, *options)) return Usage(err);
  if (!byName) settings.Fields = SplitList(columns->second);
  if (!KeysAreKnown(settings.Fields, settings.AvailableFields, true, err)) return Usage(err);
  settings.FirstLineHasNames = byName || options->flags.count("--first-line-names") > 0;
  settings.FileName = args[2];

  DocumentData data;
  if (!LoadForCommand(data, args[1], err)) return kFailure;
  // As the wizard does before it reads anything, so a missing file is an
  // error rather than an import of nobody.
  FieldTokenizer tokenizer;
  tokenizer.SetCharacters(settings.Separator, settings.Encloser);
  const std::optional<std::string> firstRecord = ReadFirstRecord(settings.FileName, tokenizer);
  if (!firstRecord) {
    err << "Unable to open file " << settings.FileName << ".\n";
    return kFailure;
  }
  if (byName) {
    settings.Fields = ColumnsByName(*firstRecord, tokenizer);
    const auto unknown = [](const std::string& key) { return key.empty(); };
    if (std::all_of(settings.Fields.begin(), settings.Fields.end(), unknown)) {
      err << "No column of " << settings.FileName << " has a field name Vimbo knows.\n";
      return kFailure;
    }
  }
  settings.ColumnCount = static_cast<int>(settings.Fields.size());
  const int added = ImportPersons(data, settings);
  if (SaveForCommand(data, args[3], err) != kSuccess) return kFailure;
  char message[64];
  std::snprintf(message, sizeof message, "%d names added to current database.", added);
  out << message << "\n";
  return kSuccess;
}

// import with --format csv|vcard taken out of the options; without it a
// file that opens a card is read as vCard.
int ImportAnyFormat(std::vector<std::string> args, std::ostream& out, std::ostream& err) {
  std::string format;
  for (std::size_t i = 4; i < args.size(); ++i) {
    if (args[i] != "--format") continue;
    if (i + 1 == args.size()) return Usage(err);
    format = args[i + 1];
    args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
    break;
  }
  if (!format.empty() && format != "csv" && format != "vcard") return Usage(err);
  if (args.size() >= 4 && (format == "vcard" || (format.empty() && FileLooksLikeVCard(args[2])))) {
    if (args.size() != 4) return Usage(err);
    return VCardImportCommand(args[1], args[2], args[3], out, err);
  }
  return Import(args, out, err);
}

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) return Usage(err);
  const std::string& command = args[0];
  // Asked for, the usage and the version are results: standard output, success.
  if (command == "--help" && args.size() == 1) {
    out << kUsage;
    return kSuccess;
  }
  if (command == "--version" && args.size() == 1) {
    out << "vimbo-cli " << VIMBO_VERSION << "\n";
    return kSuccess;
  }
  if (command == "new" && args.size() == 2) return New(args[1], err);
  if (command == "resave" && args.size() == 3) return Resave(args[1], args[2], err);
  if (command == "info" && args.size() == 2) return Info(args[1], out, err);
  if (command == "export" && args.size() > 1 && args[1] == "vcard") {
    const int status = VCardExportCommand(args, out, err);
    return status == kUsageError ? Usage(err) : status;
  }
  if (command == "export") return Export(args, out, err);
  if (command == "import") return ImportAnyFormat(args, out, err);
  if (command == "find") {
    const int status = FindCommand(args, out, err);
    return status == kUsageError ? Usage(err) : status;
  }
  if (command == "report") {
#ifdef VIMBO_CLI_REPORTS
    const int status = ReportCommand(args, out, err);
    return status == kUsageError ? Usage(err) : status;
#else
    err << "vimbo-cli report: this build has no report output (it was built without Qt).\n";
    return Usage(err);
#endif
  }
  return Usage(err);
}

}  // namespace vimbo::cli
