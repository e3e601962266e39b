#include "cli/ics_command.h"

#include <ctime>
#include <ostream>

#include "cli/cli_commands.h"
#include "cli/command_support.h"
#include "core/document/file_io.h"
#include "core/transfer/ics_writer.h"

namespace vimbo::cli {
namespace {

// The moment of the export in UTC, as calendars want their stamps.
DateTimeValue UtcNow() {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  DateTimeValue value;
  if (gmtime_r(&now, &utc))
    value.SetDateTime(utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec);
  return value;
}

std::string CountText(const IcsCalendar& calendar) {
  return std::to_string(calendar.toDos) + (calendar.toDos == 1 ? " to-do and " : " to-dos and ") +
         std::to_string(calendar.events) + (calendar.events == 1 ? " event written" : " events written");
}

}  // namespace

int IcsExportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  RequireInputAndOutput(args, "export ics", "IN.tch and OUT.ics");
  ReadOptions(args, 4, {}, {}, "export ics");
  DocumentData& data = CommandDocument();
  if (!LoadForCommand(data, args[2], err)) return kFailure;
  const IcsCalendar calendar = IcsText(data, args[2], UtcNow());
  if (IsStandardStream(args[3])) {
    // The calendar is the output; the count goes with the messages.
    if (!PutTo(out, calendar.text) || !out.flush()) {
      err << kStandardOutputError << "\n";
      return kFailure;
    }
    err << CountText(calendar) << "\n";
    return kSuccess;
  }
  if (!WriteFileAtomically(args[3], calendar.text)) {
    err << SaveErrorMessage(args[3]) << "\n";
    return kFailure;
  }
  out << CountText(calendar) << "\n";
  return kSuccess;
}

}  // namespace vimbo::cli
