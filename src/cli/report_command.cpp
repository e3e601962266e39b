#include "cli/report_command.h"

#include <charconv>
#include <cstdint>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string_view>

#include "cli/cli_commands.h"
#include "cli/command_support.h"
#include "gfx/pdf_output.h"

namespace vimbo::cli {
namespace {

constexpr const char* kNoPagesMessage = "The report has no pages; no file was written.";

std::optional<int> ReadInt(const std::string& text, int low, int high) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) return std::nullopt;
  return value;
}

// Whether `text` has the shape of YYYY-MM-DD or YYYY-MM-DDTHH:MM:SS, a
// digit wherever the pattern has a zero.
bool HasDateShape(std::string_view text) {
  constexpr std::string_view kPattern = "0000-00-00T00:00:00";
  if (text.size() != 10 && text.size() != kPattern.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char expected = kPattern[i];
    if (expected == '0' ? (text[i] < '0' || text[i] > '9') : text[i] != expected) return false;
  }
  return true;
}

// YYYY-MM-DD or YYYY-MM-DDTHH:MM:SS. A date alone starts the range at its
// first second, or ends it at its last, so the whole day is included.
std::optional<DateTimeValue> ReadDate(const std::string& text, bool endOfDay) {
  if (!HasDateShape(text)) return std::nullopt;
  const auto number = [&](std::size_t at, std::size_t length) { return std::stoi(text.substr(at, length)); };
  int hour = endOfDay ? 23 : 0;
  int minute = endOfDay ? 59 : 0;
  int second = endOfDay ? 59 : 0;
  if (text.size() == 19) {
    hour = number(11, 2);
    minute = number(14, 2);
    second = number(17, 2);
  }
  DateTimeValue value;
  if (!value.SetDateTime(number(0, 4), number(5, 2), number(8, 2), hour, minute, second)) return std::nullopt;
  return value;
}

// A comma list of title, company and position, as the envelope dialog's
// three check boxes of one address.
void ReadAddressParts(const Options& options, const std::string& name, bool& title, bool& company, bool& position) {
  const auto given = options.values.find(name);
  if (given == options.values.end()) return;
  for (const std::string& part : SplitList(given->second)) {
    if (part == "title") {
      title = true;
    } else if (part == "company") {
      company = true;
    } else if (part == "position") {
      position = true;
    } else {
      throw BadValue(name, given->second);
    }
  }
}

Margins ReadMargins(const Options& options) {
  const auto given = options.values.find("--margins");
  if (given == options.values.end()) return Margins{};
  const std::vector<std::string> parts = SplitList(given->second);
  if (parts.size() != 4) throw BadValue("--margins", given->second);
  int values[4];
  for (int i = 0; i < 4; ++i) {
    // Up to a hundred inches: enough for any sheet, small enough to stay exact.
    const std::optional<int> value = ReadInt(parts[i], 0, 100000);
    if (!value) throw BadValue("--margins", given->second);
    values[i] = *value;
  }
  return Margins{values[0], values[1], values[2], values[3]};
}

struct ReportRequest {
  ReportKind kind = ReportKind::kNone;
  std::optional<std::vector<int32_t>> personIds;  // nothing: every person
  std::optional<DateTimeValue> from;
  std::optional<DateTimeValue> to;
  EnvelopeOptions envelope;
  PdfOptions pdf;
};

// The report's kind and the options it takes; false for an unknown kind.
bool ReadKind(const std::string& word, ReportRequest& request, std::set<std::string>& names) {
  names = {"--persons", "--margins", "--font", "--size", "--paper"};
  if (word == "addressbook") {
    request.kind = ReportKind::kAddressBook;
  } else if (word == "contacts") {
    request.kind = ReportKind::kContacts;
    names.insert({"--from", "--to"});
  } else if (word == "envelopes") {
    request.kind = ReportKind::kEnvelopes;
    names.insert({"--recipient", "--return"});
  } else if (word == "activity") {
    request.kind = ReportKind::kActivity;
    names.insert({"--from", "--to"});
  } else {
    return false;
  }
  return true;
}

// The value of option `name`, or nothing when it was not given.
const std::string* OptionValue(const Options& options, const std::string& name) {
  const auto found = options.values.find(name);
  return found == options.values.end() ? nullptr : &found->second;
}

// --from and --to, each optional.
void ReadDateRange(const Options& options, ReportRequest& request) {
  if (const std::string* from = OptionValue(options, "--from")) {
    request.from = ReadDate(*from, false);
    if (!request.from) throw BadValue("--from", *from);
  }
  if (const std::string* to = OptionValue(options, "--to")) {
    request.to = ReadDate(*to, true);
    if (!request.to) throw BadValue("--to", *to);
  }
}

void ReadEnvelopeOptions(const Options& options, EnvelopeOptions& envelope) {
  ReadAddressParts(options, "--recipient", envelope.recipientTitle, envelope.recipientCompany,
                   envelope.recipientPosition);
  ReadAddressParts(options, "--return", envelope.returnTitle, envelope.returnCompany, envelope.returnPosition);
}

// The page: margins, font and paper, the paper by default the locale's.
void ReadPdfOptions(const Options& options, PdfOptions& pdf) {
  pdf.margins = ReadMargins(options);
  if (const std::string* font = OptionValue(options, "--font")) {
    if (font->empty()) throw BadValue("--font", *font);
    pdf.face = *font;
  }
  if (const std::string* size = OptionValue(options, "--size")) {
    const std::optional<int> points = ReadInt(*size, 1, 500);
    if (!points) throw BadValue("--size", *size);
    pdf.points = *points;
  }
  pdf.paper = LocalePaper();
  if (const std::string* paper = OptionValue(options, "--paper")) {
    if (*paper == "letter") {
      pdf.paper = Paper::kLetter;
    } else if (*paper == "a4") {
      pdf.paper = Paper::kA4;
    } else {
      throw BadValue("--paper", *paper);
    }
  }
}

constexpr const char* kKinds = "addressbook, contacts, envelopes or activity";

// The request the arguments make; throws a UsageError for a wrong command
// line. Options that do not apply to the report's kind are usage errors too.
ReportRequest ReadRequest(const std::vector<std::string>& args) {
  ReportRequest request;
  std::set<std::string> names;
  RequireArguments(args, 1, 1, "report", kKinds);
  if (!ReadKind(args[1], request, names)) throw UsageError{"unknown report '" + args[1] + "' (" + kKinds + ")"};
  const std::string command = "report " + args[1];
  RequireInputAndOutput(args, command, "IN.tch and OUT.pdf");
  const Options options = ReadOptions(args, 4, names, {}, command);
  request.personIds = ReadPersonIds(options);
  ReadDateRange(options, request);
  ReadEnvelopeOptions(options, request.envelope);
  ReadPdfOptions(options, request.pdf);
  return request;
}

// The persons as the dialogs hand them over, in ascending ID; false, with
// the message written, when an ID names no person of the document.
bool ChoosePersons(const ReportRequest& request, const DocumentData& data, std::map<int32_t, Person>& chosen,
                   std::ostream& err) {
  if (!request.personIds) {
    for (const auto& [id, person] : data.persons) chosen.emplace(id, person);
    return true;
  }
  for (const int32_t id : *request.personIds) {
    const Person* person = data.persons.Find(id);
    if (!person) {
      err << "No person with ID " << id << ".\n";
      return false;
    }
    chosen.emplace(id, *person);
  }
  return true;
}

// Without --from or --to the range reaches from the chosen persons' first
// contact to their last, so every one of them is listed and the title
// names real dates; with no contacts at all it is the present moment.
void SetDateRange(const ReportRequest& request, const DocumentData& data, ReportSelection& selection) {
  std::optional<DateTimeValue> first;
  std::optional<DateTimeValue> last;
  for (const auto& [id, contact] : data.contacts) {
    if (!selection.chosenPersons.count(contact.PersonID) || !contact.DateTime.IsValid()) continue;
    if (!first || Less(contact.DateTime, *first)) first = contact.DateTime;
    if (!last || Greater(contact.DateTime, *last)) last = contact.DateTime;
  }
  const DateTimeValue now = DateTimeValue::Now();
  selection.beginDate = request.from.value_or(first.value_or(now));
  selection.endDate = request.to.value_or(last.value_or(now));
}

// Without --from the range starts on the first day of the eleventh month
// before its last; without --to it ends with the current month, so the
// default is the last twelve months, this one included.
void SetActivityRange(const ReportRequest& request, ReportSelection& selection) {
  if (request.to) {
    selection.endDate = *request.to;
  } else {
    const SystemTime now = DateTimeValue::Now().ToSystemTime();
    const int next = now.year * 12 + now.month;  // the month after this one, counted from year 0
    DateTimeValue nextStart;
    nextStart.SetDateTime(next / 12, next % 12 + 1, 1, 0, 0, 0);
    selection.endDate = DateTimeValue(nextStart.Number() - 1.0 / 86400);
  }
  if (request.from) {
    selection.beginDate = *request.from;
  } else {
    const SystemTime last = selection.endDate.ToSystemTime();
    const int first = last.year * 12 + last.month - 1 - 11;
    selection.beginDate.SetDateTime(first / 12, first % 12 + 1, 1, 0, 0, 0);
  }
}

}  // namespace

int ReportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const ReportRequest request = ReadRequest(args);
  const std::string& path = args[3];

  DocumentData& data = CommandDocument();
  if (!LoadForCommand(data, args[2], err)) return kFailure;
  ReportSelection selection;
  selection.kind = request.kind;
  // The activity report counts every person without a copy of each.
  selection.allPersons = request.kind == ReportKind::kActivity && !request.personIds;
  if (!selection.allPersons && !ChoosePersons(request, data, selection.chosenPersons, err)) return kFailure;
  if (request.kind == ReportKind::kActivity) SetActivityRange(request, selection);
  if (request.kind == ReportKind::kContacts) SetDateRange(request, data, selection);
  if (request.kind == ReportKind::kEnvelopes) {
    for (auto& [id, person] : selection.chosenPersons) selection.envelopePersons.push_back(person);
    selection.chosenPersons.clear();
    selection.envelopeOptions = request.envelope;
  }

  const Outcome outcome = WriteReportPdf(selection, data, path, request.pdf);
  if (outcome.IsFailed()) {
    err << outcome.message << "\n";
    return kFailure;
  }
  if (outcome.count == 0) {
    err << kNoPagesMessage << "\n";
    return kFailure;
  }
  out << outcome.count << " pages\n";
  return kSuccess;
}

}  // namespace vimbo::cli
