#include "cli/report_command.h"

#include <charconv>
#include <cstdint>
#include <map>
#include <optional>
#include <ostream>
#include <set>

#include "cli/cli_commands.h"
#include "cli/command_support.h"
#include "gfx/pdf_output.h"

namespace vimbo::cli {
namespace {

std::optional<int> ReadInt(const std::string& text, int low, int high) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) return std::nullopt;
  return value;
}

// YYYY-MM-DD or YYYY-MM-DDTHH:MM:SS. A date alone starts the range at its
// first second, or ends it at its last, so the whole day is included.
std::optional<DateTimeValue> ReadDate(const std::string& text, bool endOfDay) {
  if (text.size() != 10 && text.size() != 19) return std::nullopt;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char expected = i == 4 || i == 7 ? '-' : i == 10 ? 'T' : i == 13 || i == 16 ? ':' : '0';
    if (expected == '0' ? (text[i] < '0' || text[i] > '9') : text[i] != expected) return std::nullopt;
  }
  const auto number = [&](std::size_t at, std::size_t length) { return std::stoi(text.substr(at, length)); };
  const bool timeGiven = text.size() == 19;
  DateTimeValue value;
  if (!value.SetDateTime(number(0, 4), number(5, 2), number(8, 2), timeGiven ? number(11, 2) : endOfDay ? 23 : 0,
                         timeGiven ? number(14, 2) : endOfDay ? 59 : 0,
                         timeGiven ? number(17, 2) : endOfDay ? 59 : 0)) {
    return std::nullopt;
  }
  return value;
}

// A comma list of title, company and position, as the envelope dialog's
// three check boxes of one address.
bool ReadAddressParts(const Options& options, const std::string& name, bool& title, bool& company,
                      bool& position) {
  const auto given = options.values.find(name);
  if (given == options.values.end()) return true;
  for (const std::string& part : SplitList(given->second)) {
    if (part == "title") {
      title = true;
    } else if (part == "company") {
      company = true;
    } else if (part == "position") {
      position = true;
    } else {
      return false;
    }
  }
  return true;
}

std::optional<Margins> ReadMargins(const Options& options) {
  const auto given = options.values.find("--margins");
  if (given == options.values.end()) return Margins{};
  const std::vector<std::string> parts = SplitList(given->second);
  if (parts.size() != 4) return std::nullopt;
  int values[4];
  for (int i = 0; i < 4; ++i) {
    // Up to a hundred inches: enough for any sheet, small enough to stay exact.
    const std::optional<int> value = ReadInt(parts[i], 0, 100000);
    if (!value) return std::nullopt;
    values[i] = *value;
  }
  return Margins{values[0], values[1], values[2], values[3]};
}

struct ReportRequest {
  ReportKind kind = ReportKind::None;
  std::optional<std::vector<int32_t>> personIds;  // nothing: every person
  std::optional<DateTimeValue> from;
  std::optional<DateTimeValue> to;
  EnvelopeOptions envelope;
  PdfOptions pdf;
};

// The request the arguments make, or nothing on a usage error. Options
// that do not apply to the report's kind are usage errors too.
std::optional<ReportRequest> ReadRequest(const std::vector<std::string>& args) {
  ReportRequest request;
  std::set<std::string> names = {"--persons", "--margins", "--font", "--size", "--paper"};
  if (args[1] == "addressbook") {
    request.kind = ReportKind::AddressBook;
  } else if (args[1] == "contacts") {
    request.kind = ReportKind::Contacts;
    names.insert({"--from", "--to"});
  } else if (args[1] == "envelopes") {
    request.kind = ReportKind::Envelopes;
    names.insert({"--recipient", "--return"});
  } else {
    return std::nullopt;
  }
  const std::optional<Options> options = ReadOptions(args, 4, names, {});
  if (!options) return std::nullopt;
  const auto value = [&](const std::string& name) -> const std::string* {
    const auto found = options->values.find(name);
    return found == options->values.end() ? nullptr : &found->second;
  };

  if (const std::string* persons = value("--persons"); persons && *persons != "all") {
    std::vector<int32_t> ids;
    for (const std::string& id : SplitList(*persons)) {
      const std::optional<int> number = ReadInt(id, 1, INT32_MAX);
      if (!number) return std::nullopt;
      ids.push_back(*number);
    }
    if (ids.empty()) return std::nullopt;
    request.personIds = ids;
  }
  if (const std::string* from = value("--from")) {
    request.from = ReadDate(*from, false);
    if (!request.from) return std::nullopt;
  }
  if (const std::string* to = value("--to")) {
    request.to = ReadDate(*to, true);
    if (!request.to) return std::nullopt;
  }
  EnvelopeOptions& envelope = request.envelope;
  if (!ReadAddressParts(*options, "--recipient", envelope.recipientTitle, envelope.recipientCompany,
                        envelope.recipientPosition) ||
      !ReadAddressParts(*options, "--return", envelope.returnTitle, envelope.returnCompany,
                        envelope.returnPosition)) {
    return std::nullopt;
  }

  const std::optional<Margins> margins = ReadMargins(*options);
  if (!margins) return std::nullopt;
  request.pdf.margins = *margins;
  if (const std::string* font = value("--font")) {
    if (font->empty()) return std::nullopt;
    request.pdf.face = *font;
  }
  if (const std::string* size = value("--size")) {
    const std::optional<int> points = ReadInt(*size, 1, 500);
    if (!points) return std::nullopt;
    request.pdf.points = *points;
  }
  request.pdf.paper = LocalePaper();
  if (const std::string* paper = value("--paper")) {
    if (*paper == "letter") {
      request.pdf.paper = Paper::Letter;
    } else if (*paper == "a4") {
      request.pdf.paper = Paper::A4;
    } else {
      return std::nullopt;
    }
  }
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

}  // namespace

int ReportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() < 4) return kUsageError;
  const std::optional<ReportRequest> request = ReadRequest(args);
  if (!request) return kUsageError;
  const std::string& path = args[3];

  DocumentData data;
  if (!LoadForCommand(data, args[2], err)) return kFailure;
  ReportSelection selection;
  selection.kind = request->kind;
  if (!ChoosePersons(*request, data, selection.chosenPersons, err)) return kFailure;
  if (request->kind == ReportKind::Contacts) SetDateRange(*request, data, selection);
  if (request->kind == ReportKind::Envelopes) {
    for (auto& [id, person] : selection.chosenPersons) selection.envelopePersons.push_back(person);
    selection.chosenPersons.clear();
    selection.envelopeOptions = request->envelope;
  }

  const int pages = WriteReportPdf(selection, data, path, request->pdf);
  if (pages < 0) {
    err << "Error saving " << path << ".\n";
    return kFailure;
  }
  out << pages << " pages\n";
  return kSuccess;
}

}  // namespace vimbo::cli
