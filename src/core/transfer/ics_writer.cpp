#include "core/transfer/ics_writer.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <tuple>
#include <vector>

#include "core/records/text_encoding.h"
#include "core/reminders/calendar_days.h"
#include "core/transfer/folded_lines.h"

namespace vimbo {
namespace {

std::string Escaped(std::string_view bytes) { return EscapedText(bytes, ControlCharacters::kLeftOut); }

// The name as the person list shows it, each part made UTF-8 alone: a name
// joined from parts of different encodings would read as neither.
std::string NameOf(const Person* person) {
  if (!person) return {};
  const auto [first, second] = person->DisplayNameParts();
  std::string name = ToUtf8(first->view());
  if (second) name.append(", ").append(ToUtf8(second->view()));
  return name;
}

// "YYYYMMDD" of a day.
std::string DateValue(int64_t day) {
  std::string text = DayText(day);
  text.erase(std::remove(text.begin(), text.end(), '-'), text.end());
  return text;
}

std::string DateTimeText(const DateTimeValue& value, const char* zone) {
  const SystemTime t = value.ToSystemTime();
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d%02d%s", t.year, t.month, t.day, t.hour, t.minute, t.second,
                zone);
  return text;
}

void PutToDo(std::string& out, const Contact& contact, const Person* person, std::string_view uidTail,
             std::string_view stamp) {
  out += "BEGIN:VTODO\r\n";
  PutFoldedProperty(out, "UID", "vimbo-followup-" + std::to_string(contact.ID) + std::string(uidTail));
  PutFoldedProperty(out, "DTSTAMP", stamp);
  // A follow-up at midnight has no time of its own: a day, not a moment.
  // With one, the time is the owner's local time wherever the calendar is.
  const DateTimeValue& when = contact.FollowUp.When;
  if (when.SplitDay().second == 0)
    PutFoldedProperty(out, "DUE;VALUE=DATE", DateValue(DayOf(when)));
  else
    PutFoldedProperty(out, "DUE", DateTimeText(when, ""));
  PutFoldedProperty(out, "SUMMARY", Escaped("Follow up: " + NameOf(person)));
  if (!contact.Description.empty()) PutFoldedProperty(out, "DESCRIPTION", Escaped(contact.Description.view()));
  out += "STATUS:NEEDS-ACTION\r\nEND:VTODO\r\n";
}

// Whether the date had an event to put.
bool PutYearly(std::string& out, const char* kind, const char* title, const PartialDate& date, const Person& person,
               std::string_view uidTail, std::string_view stamp) {
  if (!date.IsSet()) return false;
  // A year the calendar cannot hold counts as no year.
  std::optional<int64_t> start = date.HasYear() ? DayOf(date.year, date.month, date.day) : std::nullopt;
  if (!start) start = DayOf(kIcsYearlessStart, date.month, date.day);
  if (!start) return false;
  out += "BEGIN:VEVENT\r\n";
  PutFoldedProperty(out, "UID", std::string("vimbo-") + kind + "-" + std::to_string(person.ID) + std::string(uidTail));
  PutFoldedProperty(out, "DTSTAMP", stamp);
  PutFoldedProperty(out, "DTSTART;VALUE=DATE", DateValue(*start));
  if (MomentOf(*start + 1).IsValid()) PutFoldedProperty(out, "DTEND;VALUE=DATE", DateValue(*start + 1));
  // 29 February falls on the last day of February in the other years, as
  // the program's own reminders have it.
  const bool leapDay = date.month == 2 && date.day == 29;
  PutFoldedProperty(out, "RRULE", leapDay ? "FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=-1" : "FREQ=YEARLY");
  PutFoldedProperty(out, "SUMMARY", Escaped(std::string(title) + NameOf(&person)));
  out += "TRANSP:TRANSPARENT\r\nEND:VEVENT\r\n";
  return true;
}

}  // namespace

IcsCalendar IcsText(const DocumentData& data, std::string_view documentPath, const DateTimeValue& stamp) {
  IcsCalendar calendar;
  std::string& out = calendar.text;
  const std::string uidTail = "@" + IcsDocumentName(documentPath);
  const std::string stampText = DateTimeText(stamp, "Z");
  out += "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n";
  PutFoldedProperty(out, "PRODID", "-//Vimbo//Vimbo//EN");
  out += "CALSCALE:GREGORIAN\r\n";

  // The follow-ups oldest first, as the reminders list them.
  std::vector<const Contact*> open;
  for (const auto& [id, contact] : data.contacts)
    if (contact.FollowUp.IsSet() && !contact.FollowUp.Done) open.push_back(&contact);
  std::sort(open.begin(), open.end(), [](const Contact* a, const Contact* b) {
    return std::tuple(a->FollowUp.When.Linear(), a->ID) < std::tuple(b->FollowUp.When.Linear(), b->ID);
  });
  for (const Contact* contact : open) PutToDo(out, *contact, data.persons.Find(contact->PersonID), uidTail, stampText);
  calendar.toDos = static_cast<int>(open.size());

  for (const auto& [id, person] : data.persons) {
    calendar.events += PutYearly(out, "birthday", "Birthday: ", person.Birthday, person, uidTail, stampText) ? 1 : 0;
    calendar.events +=
        PutYearly(out, "anniversary", "Anniversary: ", person.Anniversary, person, uidTail, stampText) ? 1 : 0;
  }
  out += "END:VCALENDAR\r\n";
  return calendar;
}

std::string IcsDocumentName(std::string_view path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash != std::string_view::npos) path.remove_prefix(slash + 1);
  std::string name;
  for (const char c : path) {
    const auto byte = static_cast<uint8_t>(c);
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-' ||
        c == '_') {
      name += c;
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
      name += escaped;
    }
  }
  return name.empty() ? "vimbo" : name;
}

}  // namespace vimbo
