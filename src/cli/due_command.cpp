#include "cli/due_command.h"

#include <charconv>
#include <optional>
#include <ostream>
#include <string_view>

#include "cli/cli_commands.h"
#include "cli/command_support.h"
#include "core/reminders/calendar_days.h"
#include "core/reminders/due_items.h"

namespace vimbo::cli {
namespace {

constexpr int kDefaultDays = 14;

// A value as one column: a line break of any kind, CR LF included, is one
// space, and so is a tab, which would start the next column.
void AppendColumn(std::string& line, std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    const char c = text[i];
    line += c == '\r' || c == '\n' || c == '\t' ? ' ' : c;
  }
}

void AppendName(std::string& line, const DocumentData& data, int32_t personId) {
  if (const Person* person = data.persons.Find(personId)) AppendColumn(line, person->DisplayName());
}

int ReadDays(const Options& options) {
  const auto given = options.values.find("--days");
  if (given == options.values.end()) return kDefaultDays;
  const std::string& text = given->second;
  int days = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), days);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || days < 0)
    throw BadValue("--days", text);
  return days;
}

int64_t ReadToday(const Options& options) {
  const auto given = options.values.find("--today");
  if (given == options.values.end()) return DayOf(DateTimeValue::Now());
  const std::optional<int64_t> day = ParseDayText(given->second);
  if (!day) throw BadValue("--today", given->second);
  return *day;
}

std::string DueText(const DocumentData& data, const DueItems& due) {
  std::string text;
  for (const DueFollowUp& item : due.followUps) {
    const Contact& contact = *data.contacts.Find(item.contactId);
    text.append("followup\t")
        .append(std::to_string(item.contactId))
        .append("\t")
        .append(std::to_string(item.personId))
        .append("\t")
        .append(DayText(DayOf(item.when)))
        .append("\t");
    AppendName(text, data, item.personId);
    text += '\t';
    AppendColumn(text, contact.Description);
    text += '\n';
  }
  for (const DueKeepInTouch& item : due.keepInTouch) {
    text.append("keepintouch\t").append(std::to_string(item.personId)).append("\t");
    if (item.lastContactDay) text.append(DayText(*item.lastContactDay));
    text.append("\t").append(DayText(item.dueDay)).append("\t");
    AppendName(text, data, item.personId);
    text += '\n';
  }
  for (const ComingDate& item : due.comingDates) {
    text.append(item.kind == DateKind::kBirthday ? "birthday\t" : "anniversary\t")
        .append(std::to_string(item.personId))
        .append("\t")
        .append(DayText(item.day))
        .append("\t");
    AppendName(text, data, item.personId);
    text += '\t';
    if (item.years) text.append(std::to_string(*item.years));
    text += '\n';
  }
  return text;
}

}  // namespace

int DueCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  RequireArguments(args, 1, 1, "due", "IN.tch");
  const Options options = ReadOptions(args, 2, {"--today", "--days"}, {}, "due");
  const int days = ReadDays(options);
  const int64_t today = ReadToday(options);
  DocumentData& data = CommandDocument();
  if (!LoadForCommand(data, args[1], err)) return kFailure;
  const DueItems due = FindDue(data, today, days);
  if (due.Empty()) return kFailure;
  if (!PutTo(out, DueText(data, due)) || !out.flush()) {
    err << kStandardOutputError << "\n";
    return kFailure;
  }
  return kSuccess;
}

}  // namespace vimbo::cli
