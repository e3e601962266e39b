#include "cli/cli_commands.h"

#include <algorithm>
#include <cstdio>
#include <istream>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string_view>

#include "cli/command_support.h"
#include "cli/due_command.h"
#include "cli/find_command.h"
#include "cli/ics_command.h"
#include "cli/merge_command.h"
#include "cli/vcard_command.h"
#ifdef VIMBO_CLI_REPORTS
#include "cli/report_command.h"
#endif
#include "core/document/document_writer.h"
#include "core/document/file_io.h"
#include "core/editing/document_operations.h"
#include "core/records/document_data.h"
#include "core/transfer/column_names.h"
#include "core/transfer/field_tokenizer.h"
#include "core/transfer/layout_export.h"
#include "core/transfer/person_text_reader.h"
#include "core/transfer/text_export.h"
#include "core/transfer/vcard_reader.h"
#include "vimbo_version.h"

namespace vimbo::cli {
namespace {

// The usage, a piece per command: `vimbo-cli --help` prints every piece in
// order, `vimbo-cli help COMMAND` the pieces of that command. A synopsis
// piece goes in the list of command lines, a note after it.
struct UsagePiece {
  std::set<std::string_view> commands;  // none: the whole usage only
  bool synopsis;
  const char* text;
};

const std::vector<UsagePiece>& UsagePieces() {
  static const std::vector<UsagePiece> pieces = {
      {{"new"}, true, "vimbo-cli new OUT.tch [--force]\n"},
      {{"resave"}, true, "vimbo-cli resave IN.tch OUT.tch [--force]\n"},
      {{"info"}, true, "vimbo-cli info IN.tch\n"},
      {{"export"},
       true,
       "vimbo-cli export persons|contacts IN.tch OUT.txt [--fields K1,K2,...]\n"
       "                 [--separator S] [--encloser E]\n"},
      {{"export"}, true, "vimbo-cli export contacts IN.tch OUT.txt ... [--iso-dates]\n"},
      {{"export"}, true, "vimbo-cli export persons IN.tch OUT.csv --layout vimbo|google|outlook\n"},
      {{"import"},
       true,
       "vimbo-cli import IN.tch DATA.txt OUT.tch --columns K1,K2,...\n"
       "                 [--separator S] [--encloser E] [--first-line-names]\n"},
      {{"import"},
       true,
       "vimbo-cli import IN.tch DATA.txt OUT.tch --columns auto\n"
       "                 [--separator S] [--encloser E]\n"},
      {{"report"},
       true,
       "vimbo-cli report addressbook|contacts|envelopes IN.tch OUT.pdf\n"
       "                 [--persons all|ID,ID,...] [--from DATE] [--to DATE]\n"
       "                 [--recipient LIST] [--return LIST] [--margins L,T,R,B]\n"
       "                 [--font FACE] [--size POINTS] [--paper letter|a4]\n"},
      {{"report"},
       true,
       "vimbo-cli report activity IN.tch OUT.pdf [--persons all|ID,ID,...]\n"
       "                 [--from DATE] [--to DATE] [--margins L,T,R,B] [--font FACE]\n"
       "                 [--size POINTS] [--paper letter|a4]\n"},
      {{"export"},
       true,
       "vimbo-cli export vcard IN.tch OUT.vcf [--persons all|ID,ID,...]\n"
       "                 [--version 3.0|4.0]\n"},
      {{"import"}, true, "vimbo-cli import IN.tch DATA OUT.tch ... [--format csv|vcard] [--force]\n"},
      {{"find"}, true, "vimbo-cli find IN.tch QUERY...\n"},
      {{"merge"},
       true,
       "vimbo-cli merge [BASE.tch] OURS.tch THEIRS.tch OUT.tch\n"
       "                 [--prefer ours|theirs] [--force]\n"},
      {{"due"}, true, "vimbo-cli due IN.tch [--today YYYY-MM-DD] [--days N]\n"},
      {{"export"}, true, "vimbo-cli export ics IN.tch OUT.ics\n"},
      {{"help"}, true, "vimbo-cli help [COMMAND] | COMMAND --help | --help | --version\n"},
      {{"export", "import"},
       false,
       "S and E: one character, or comma, semicolon, pipe, space, tab, double-quote,\n"
       "single-quote or none (defaults: comma, double-quote). An empty import column\n"
       "entry is a column that is not imported.\n"
       "Field keys, each at most once: FirstName, LastName, Address, City, State,\n"
       "ZipCode, Phone, Fax, E-Mail, Company, Position; for contacts FirstName,\n"
       "LastName, Date, Time, Description, ContactType.\n"
       "More person keys after those: Title, WorkPhone, Extension, CelPhone, Pager,\n"
       "WebPage. An export without --fields writes every key of its kind in order.\n"},
      {{"export"},
       false,
       "--iso-dates: dates as YYYY-MM-DD and times as hh:mm:ss instead of the\n"
       "regional formats.\n"},
      {{"export"},
       false,
       "--layout google or outlook: the columns those address books import, with every\n"
       "phone, e-mail, address and other detail they have room for; comma and\n"
       "double-quote, no --fields. vimbo (the default) is the program's own columns.\n"},
      {{"import"},
       false,
       "--columns auto: the first line names the columns and is\n"
       "skipped; each column whose name is known (a field key, or a heading of an\n"
       "address book such as \"Given Name\", \"Phone 1 - Type\", \"Phone 1 - Value\",\n"
       "\"Business Street\", \"Mobile Phone\", \"Birthday\") is imported where its name\n"
       "and type say: the first phone, e-mail or address of a kind into its field, the\n"
       "others as details; \"a ::: b\" is two values. A field taken by an earlier\n"
       "column is not imported again. Columns not imported that held values are\n"
       "named on standard error.\n"},
      {{"export", "import"},
       false,
       "DATA \"-\" reads standard input. OUT.txt, OUT.vcf or OUT.ics \"-\" writes\n"
       "standard output, and the line that counts what was written then goes to\n"
       "standard error.\n"},
      {{"new", "resave", "import", "merge"},
       false,
       "A document that a running Vimbo window has open is not written: \"OUT is open\n"
       "in another Vimbo window (HOST, since HH:MM).\", exit status 1. --force writes\n"
       "it all the same.\n"},
      {{"report"},
       false,
       "report: --from and --to (contacts and activity) are YYYY-MM-DD or\n"
       "YYYY-MM-DDTHH:MM:SS, a date alone meaning its whole day; by default the\n"
       "contacts range runs from the chosen persons' first contact to their last, and\n"
       "the activity range over the last twelve months, this one included. Activity\n"
       "draws one bar per month, stacked by contact type, 24 months a page. --recipient and --return (envelopes\n"
       "only) list title, company, position. Margins in thousandths of an inch\n"
       "(default 500 each); font \"Times New Roman\" 10 points; paper from the locale.\n"
       "A person ID not in the document is an error. A report that lists nothing\n"
       "(no person, no contact in the range) writes no file: exit status 1.\n"
       "A build without Qt has no report.\n"},
      {{"export", "import"},
       false,
       "vCard: export writes version 4.0 (3.0 with --version 3.0), one card per\n"
       "person in name order, with every detail; import reads versions 2.1 to 4.0,\n"
       "as --format vcard or when the file's first line that is not blank is\n"
       "BEGIN:VCARD, and takes no other option but --force. The cards it skips are\n"
       "named on standard error by line; a file without any card is a failure.\n"},
      {{"find"},
       false,
       "find: persons that hold every word in their fields, notes or details, then\n"
       "contacts that hold each word in their notes or their person's name, newest\n"
       "first; case and accents aside. A word of digits (with spaces, dashes, dots,\n"
       "brackets or \"+\") finds phone numbers by their digits. Exit status 1 when\n"
       "nothing matches.\n"},
      {{"merge"},
       false,
       "merge: joins two copies edited apart from BASE, record by record and field by\n"
       "field, into OUT.tch; the copies are never written. A field changed on one side\n"
       "takes that change; changed differently on both, OURS wins (THEIRS with\n"
       "--prefer theirs). A record added on both sides under one ID is kept twice,\n"
       "THEIRS' with a new ID; one deleted on one side and changed on the other is\n"
       "kept. Without BASE, records equal on both sides are one and the rest count as\n"
       "added on both sides. Each conflict is a line on standard output:\n"
       "conflict<TAB>person|contact|contacttype|user<TAB>ID<TAB>FIELD<TAB>kept<TAB>other,\n"
       "FIELD \"(deleted)\" with \"changed\" and \"deleted\" for a record kept so; line\n"
       "breaks and tabs in values as spaces. Exit status 1 when there are conflicts\n"
       "(OUT.tch is written) or a copy cannot be read (nothing is written).\n"},
      {{"due"},
       false,
       "due: one line per item, tab-separated; an empty value keeps its tab:\n"
       "followup<TAB>CONTACT_ID<TAB>PERSON_ID<TAB>DATE<TAB>NAME<TAB>NOTES for each\n"
       "follow-up not done whose day has come, oldest first;\n"
       "keepintouch<TAB>PERSON_ID<TAB>LAST_CONTACT<TAB>DUE<TAB>NAME for each person\n"
       "whose interval has run out, most overdue first (never contacted: due today);\n"
       "birthday|anniversary<TAB>PERSON_ID<TAB>NEXT<TAB>NAME<TAB>YEARS for the dates\n"
       "of today through today + N days (default 14), soonest first, with the age or\n"
       "the years reached on that day when the year is known. Dates are YYYY-MM-DD;\n"
       "--today defaults to the clock's date. Line breaks and tabs in values are\n"
       "spaces. Exit status 1 when nothing is due.\n"},
      {{"export"},
       false,
       "ics: an iCalendar file with a to-do for each follow-up not done and a yearly\n"
       "all-day event for each birthday and anniversary (a date without a year\n"
       "starts in 2000). Each entry's UID holds its record's ID and the document's\n"
       "file name, so importing the file again updates the entries.\n"},
      {{}, false, "Exit status: 0 on success, 1 on a failure, 2 on a wrong command line.\n"},
  };
  return pieces;
}

// The whole usage, or with a command only that command's pieces.
std::string UsageText(std::string_view command = {}) {
  std::string text;
  bool first = true;
  for (const UsagePiece& piece : UsagePieces()) {
    if (!command.empty() && !piece.commands.count(command)) continue;
    if (piece.synopsis) text += first ? "usage: " : "       ";
    first = first && !piece.synopsis;
    text += piece.text;
  }
  return text;
}

bool IsCommand(std::string_view word) {
  for (const UsagePiece& piece : UsagePieces())
    if (piece.commands.count(word)) return true;
  return false;
}

int SaveForCommand(const DocumentData& data, const std::string& path, std::ostream& err) {
  const Outcome outcome = Write(data, path);
  if (outcome.IsDone()) return kSuccess;
  err << outcome.message << "\n";
  return kFailure;
}

// No more arguments after the `count` the command takes.
void RequireNoMore(const std::vector<std::string>& args, std::size_t count) {
  if (args.size() > count) throw UsageError{"unexpected argument '" + args[count] + "'"};
}

int New(const std::vector<std::string>& args, std::ostream& err) {
  RequireArguments(args, 1, 1, "new", "OUT.tch");
  if (RefuseWhileOpenElsewhere(args[1], ReadOptions(args, 2, {}, {"--force"}, "new"), err)) return kFailure;
  DocumentData& data = CommandDocument();
  data.Clear();
  data.AddDefaultContactTypes();
  return SaveForCommand(data, args[1], err);
}

int Resave(const std::vector<std::string>& args, std::ostream& err) {
  RequireArguments(args, 1, 2, "resave", "IN.tch and OUT.tch");
  if (RefuseWhileOpenElsewhere(args[2], ReadOptions(args, 3, {}, {"--force"}, "resave"), err)) return kFailure;
  DocumentData& data = CommandDocument();
  if (!LoadForCommand(data, args[1], err)) return kFailure;
  return SaveForCommand(data, args[2], err);
}

int Info(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  RequireArguments(args, 1, 1, "info", "IN.tch");
  ReadOptions(args, 2, {}, {}, "info");
  DocumentData& data = CommandDocument();
  if (!LoadForCommand(data, args[1], err)) return kFailure;
  out << "persons " << data.persons.Size() << "\n"
      << "contacts " << data.contacts.Size() << "\n"
      << "contact types " << data.contactTypes.Size() << "\n"
      << "version " << data.version << "\n";
  return kSuccess;
}

// A separator or encloser: one character, or its name.
std::string TransferCharacter(const Options& options, const std::string& name, const std::string& fallback) {
  static const std::map<std::string, std::string> kNamed = {
      {"comma", ","}, {"semicolon", ";"},     {"pipe", "|"},         {"space", " "},
      {"tab", "\t"},  {"double-quote", "\""}, {"single-quote", "'"}, {"none", ""}};
  const auto given = options.values.find(name);
  if (given == options.values.end()) return fallback;
  if (given->second.size() == 1) return given->second;
  const auto named = kNamed.find(given->second);
  if (named == kNamed.end()) throw BadValue(name, given->second);
  return named->second;
}

// Fills the separator and encloser as the wizard does.
void SetCharacters(TextTransferSettings& settings, const Options& options) {
  settings.Separator = TransferCharacter(options, "--separator", ",");
  settings.Encloser = TransferCharacter(options, "--encloser", "\"");
}

// Every key must be one the record kind offers, and none may come twice, so
// that each column the file holds is the one its name says; an empty import
// column is a column that is not imported. Names the first bad key.
void RequireKnownKeys(const std::vector<std::string>& keys, const std::vector<std::string>& available,
                      bool emptyAllowed) {
  std::set<std::string> seen;
  for (const std::string& key : keys) {
    if (key.empty() && emptyAllowed) continue;
    if (std::find(available.begin(), available.end(), key) == available.end())
      throw UsageError{"unknown field key '" + key + "'"};
    if (!seen.insert(key).second) throw UsageError{"field key '" + key + "' given twice"};
  }
}

constexpr const char* kExportKinds = "persons, contacts, vcard or ics";

// export persons IN OUT --layout google|outlook: the columns and characters
// are the layout's own.
int ExportLayoutCommand(const std::vector<std::string>& args, const Options& options, ExportLayout layout,
                        std::ostream& out, std::ostream& err) {
  for (const char* own : {"--fields", "--separator", "--encloser"})
    if (options.values.count(own))
      throw UsageError{"option '" + std::string(own) + "' does not go with --layout " + options.values.at("--layout")};
  DocumentData& data = CommandDocument();
  if (!LoadForCommand(data, args[2], err)) return kFailure;
  const std::string& path = args[3];
  if (IsStandardStream(path)) {
    const Outcome outcome =
        ExportPersonsInLayout(data, layout, path, [&out](std::string_view bytes) { return PutTo(out, bytes); });
    if (outcome.IsFailed() || !out.flush()) {
      err << kStandardOutputError << "\n";
      return kFailure;
    }
    err << outcome.count << " lines written\n";
    return kSuccess;
  }
  const Outcome outcome = ExportPersonsInLayout(data, layout, path);
  if (outcome.IsFailed()) {
    err << outcome.message << "\n";
    return kFailure;
  }
  out << outcome.count << " lines written\n";
  return kSuccess;
}

// export persons|contacts IN OUT [--fields ...] [--separator S] [--encloser E]
int ExportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  RequireArguments(args, 1, 1, "export", kExportKinds);
  if (args[1] == "vcard") return VCardExportCommand(args, out, err);
  if (args[1] == "ics") return IcsExportCommand(args, out, err);
  if (args[1] != "persons" && args[1] != "contacts")
    throw UsageError{"unknown export '" + args[1] + "' (" + kExportKinds + ")"};
  const bool persons = args[1] == "persons";
  const std::string command = "export " + args[1];
  RequireInputAndOutput(args, command, "IN.tch and OUT.txt");
  const std::set<std::string> flags = persons ? std::set<std::string>{} : std::set<std::string>{"--iso-dates"};
  std::set<std::string> valued = {"--fields", "--separator", "--encloser"};
  if (persons) valued.insert("--layout");
  const Options options = ReadOptions(args, 4, valued, flags, command);
  const auto layoutName = options.values.find("--layout");
  if (layoutName != options.values.end()) {
    const std::optional<ExportLayout> layout = ExportLayoutNamed(layoutName->second);
    if (!layout) throw BadValue("--layout", layoutName->second);
    if (*layout != ExportLayout::kVimbo) return ExportLayoutCommand(args, options, *layout, out, err);
  }
  TextTransferSettings settings = persons ? PersonsExportSettings() : ContactsExportSettings();
  SetCharacters(settings, options);
  settings.IsoDates = options.flags.count("--iso-dates") > 0;
  const auto fields = options.values.find("--fields");
  settings.Fields = fields == options.values.end() ? settings.AvailableFields : SplitList(fields->second);
  RequireKnownKeys(settings.Fields, settings.AvailableFields, false);
  settings.FileName = args[3];

  DocumentData& data = CommandDocument();
  if (!LoadForCommand(data, args[2], err)) return kFailure;
  // The columns follow the keys as given, each under its name.
  if (IsStandardStream(settings.FileName)) {
    // The text is the output; the count goes with the messages.
    const ExportSink sink = [&out](std::string_view bytes) { return PutTo(out, bytes); };
    const Outcome outcome = persons ? ExportPersons(data, settings, sink, ColumnOrder::kKeys)
                                    : ExportContacts(data, settings, sink, ColumnOrder::kKeys);
    if (outcome.IsFailed() || !out.flush()) {
      err << kStandardOutputError << "\n";
      return kFailure;
    }
    err << outcome.count << " lines written\n";
    return kSuccess;
  }
  const Outcome outcome =
      persons ? ExportPersons(data, settings, ColumnOrder::kKeys) : ExportContacts(data, settings, ColumnOrder::kKeys);
  if (outcome.IsFailed()) {
    err << outcome.message << "\n";
    return kFailure;
  }
  out << outcome.count << " lines written\n";
  return kSuccess;
}

// The names of the file's columns in its first record.
std::vector<std::string> ColumnNames(const std::string& firstRecord, const FieldTokenizer& tokenizer) {
  std::vector<std::string> names;
  std::string_view remaining = firstRecord;
  std::string field;
  while (tokenizer.NextField(remaining, field)) names.push_back(field);
  return names;
}

// import IN DATA OUT --columns ... [--separator S] [--encloser E] [--first-line-names];
// `input` holds standard input's bytes when DATA is "-".
int ImportTextCommand(const std::vector<std::string>& args, std::optional<std::string> input, std::ostream& out,
                      std::ostream& err) {
  const Options options =
      ReadOptions(args, 4, {"--columns", "--separator", "--encloser"}, {"--first-line-names", "--force"}, "import");
  if (RefuseWhileOpenElsewhere(args[3], options, err)) return kFailure;
  const auto columns = options.values.find("--columns");
  if (columns == options.values.end()) throw UsageError{"import needs --columns"};
  // Matched by name, the columns are named by the first line, which is
  // therefore not a person.
  const bool byName = columns->second == "auto";
  TextTransferSettings settings = PersonsImportSettings();
  SetCharacters(settings, options);
  if (!byName) settings.Fields = SplitList(columns->second);
  RequireKnownKeys(settings.Fields, settings.AvailableFields, true);
  settings.FirstLineHasNames = byName || options.flags.count("--first-line-names") > 0;
  settings.FileName = args[2];

  DocumentData& data = CommandDocument();
  if (!LoadForCommand(data, args[1], err)) return kFailure;
  // As the wizard does before it reads anything, so a missing file is an
  // error rather than an import of nobody.
  FieldTokenizer tokenizer;
  tokenizer.SetCharacters(settings.Separator, settings.Encloser);
  std::optional<std::string> firstRecord;
  if (!input) {
    firstRecord = ReadFirstRecord(settings.FileName, tokenizer);
    if (!firstRecord) {
      err << "Unable to open file " << settings.FileName << ".\n";
      return kFailure;
    }
  } else if (byName) {
    firstRecord = FirstRecordOfBytes(*input, tokenizer);
  }
  if (byName) {
    // Each column is assigned the field its name is known for, as the wizard
    // assigns them.
    settings.ImportedFieldNames = ColumnNames(*firstRecord, tokenizer);
    settings.Fields = MatchColumnHeadings(settings.ImportedFieldNames);
    const auto unknown = [](const std::string& key) { return key.empty(); };
    if (std::all_of(settings.Fields.begin(), settings.Fields.end(), unknown)) {
      err << "No column of " << settings.FileName << " has a field name Vimbo knows.\n";
      return kFailure;
    }
  }
  settings.ColumnCount = static_cast<int>(settings.Fields.size());
  TextImport<Persons::Entry> import = ReadPersonEntries(settings, std::move(input));
  const int added = ImportPersonsWithoutUndo(data, std::move(import.persons));
  if (SaveForCommand(data, args[3], err) != kSuccess) return kFailure;
  if (!import.columnsNotImported.empty()) err << ColumnsNotImportedText(import.columnsNotImported) << "\n";
  char message[64];
  std::snprintf(message, sizeof message, "%d names added to current database.", added);
  out << message << "\n";
  return kSuccess;
}

// import with --format csv|vcard taken out of the options; without it a
// file that opens a card is read as vCard.
int ImportCommand(std::vector<std::string> args, std::istream& in, std::ostream& out, std::ostream& err) {
  RequireArguments(args, 1, 3, "import", "IN.tch, DATA and OUT.tch");
  std::string format;
  for (std::size_t i = 4; i < args.size(); ++i) {
    if (args[i] != "--format") continue;
    if (i + 1 == args.size()) throw UsageError{"option '--format' needs a value"};
    format = args[i + 1];
    args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
    break;
  }
  if (!format.empty() && format != "csv" && format != "vcard") throw BadValue("--format", format);
  std::optional<std::string> input;
  if (IsStandardStream(args[2])) {
    input = ReadWhole(in);
    if (!input) {
      err << kStandardInputError << "\n";
      return kFailure;
    }
  }
  const bool vcard =
      format == "vcard" || (format.empty() && (input ? LooksLikeVCard(*input) : FileLooksLikeVCard(args[2])));
  if (!vcard) return ImportTextCommand(args, std::move(input), out, err);
  if (RefuseWhileOpenElsewhere(args[3], ReadOptions(args, 4, {}, {"--force"}, "import of vCard cards"), err))
    return kFailure;
  if (!input) {
    input = ReadFileText(args[2]);
    if (!input) {
      err << "Unable to open file " << args[2] << ".\n";
      return kFailure;
    }
  }
  return VCardImportCommand(args[1], *input, args[2], args[3], out, err);
}

int Help(const std::vector<std::string>& args, std::ostream& out) {
  if (args.size() > 2) throw UsageError{"unexpected argument '" + args[2] + "'"};
  if (args.size() == 2 && !IsCommand(args[1])) throw UsageError{"unknown command '" + args[1] + "'"};
  out << (args.size() == 2 ? UsageText(args[1]) : UsageText());
  return kSuccess;
}

int RunCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
  if (args.empty()) throw UsageError{"no command given"};
  const std::string& command = args[0];
  // Asked for, the usage and the version are results: standard output, success.
  if (command == "--help" || command == "help") return Help(args, out);
  if (command == "--version") {
    RequireNoMore(args, 1);
    out << "vimbo-cli " << VIMBO_VERSION << "\n";
    return kSuccess;
  }
  if (!IsCommand(command)) throw UsageError{"unknown command '" + command + "'"};
  if (std::find(args.begin() + 1, args.end(), "--help") != args.end()) {
    out << UsageText(command);
    return kSuccess;
  }
  if (command == "new") return New(args, err);
  if (command == "resave") return Resave(args, err);
  if (command == "info") return Info(args, out, err);
  if (command == "export") return ExportCommand(args, out, err);
  if (command == "import") return ImportCommand(args, in, out, err);
  if (command == "find") return FindCommand(args, out, err);
  if (command == "merge") return MergeCommand(args, out, err);
  if (command == "due") return DueCommand(args, out, err);
#ifdef VIMBO_CLI_REPORTS
  return ReportCommand(args, out, err);
#else
  throw UsageError{"this build has no report output (it was built without Qt)"};
#endif
}

}  // namespace

int Run(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
  int status = kUsageError;
  try {
    status = RunCommand(args, in, out, err);
  } catch (const UsageError& error) {
    err << "vimbo-cli: " << error.what << "\nTry 'vimbo-cli --help'.\n";
  } catch (...) {
    FreeCommandDocuments();
    throw;
  }
  FreeCommandDocuments();
  return status;
}

}  // namespace vimbo::cli
