#include "core/reminders/due_items.h"

#include <algorithm>
#include <limits>
#include <tuple>
#include <unordered_map>

#include "core/reminders/calendar_days.h"

namespace vimbo {
namespace {

// The day of a date in `year`; 29 February is 28 February in other years.
int64_t DayInYear(int year, uint8_t month, uint8_t day) {
  if (const std::optional<int64_t> exact = DayOf(year, month, day)) return *exact;
  return DayOf(year, month, day - 1).value_or(0);
}

void AddFollowUps(const DocumentData& data, int64_t today, DueItems& due) {
  for (const auto& [id, contact] : data.contacts) {
    const ContactFollowUp& followUp = contact.FollowUp;
    if (followUp.IsSet() && !followUp.Done && DayOf(followUp.When) <= today)
      due.followUps.push_back({id, contact.PersonID, followUp.When});
  }
  std::sort(due.followUps.begin(), due.followUps.end(), [](const DueFollowUp& a, const DueFollowUp& b) {
    return std::tuple(a.when.Linear(), a.contactId) < std::tuple(b.when.Linear(), b.contactId);
  });
}

void AddKeepInTouch(const DocumentData& data, int64_t today, DueItems& due) {
  constexpr int64_t kNone = std::numeric_limits<int64_t>::min();
  std::unordered_map<int32_t, int64_t> last;
  for (const auto& [id, person] : data.persons)
    if (person.KeepInTouch > 0) last.emplace(id, kNone);
  if (last.empty()) return;
  // One pass over the contacts, however few persons have an interval.
  for (const auto& [id, contact] : data.contacts) {
    if (!contact.DateTime.IsValid()) continue;
    const auto at = last.find(contact.PersonID);
    if (at != last.end()) at->second = std::max(at->second, DayOf(contact.DateTime));
  }
  for (const auto& [id, lastDay] : last) {
    const int32_t interval = data.persons.Find(id)->KeepInTouch;
    DueKeepInTouch item{id, std::nullopt, today};
    if (lastDay != kNone) {
      item.lastContactDay = lastDay;
      item.dueDay = lastDay + interval;
    }
    if (item.dueDay <= today) due.keepInTouch.push_back(item);
  }
  std::sort(due.keepInTouch.begin(), due.keepInTouch.end(), [](const DueKeepInTouch& a, const DueKeepInTouch& b) {
    return std::tuple(a.dueDay, a.personId) < std::tuple(b.dueDay, b.personId);
  });
}

void AddDate(DateKind kind, int32_t personId, const PartialDate& date, int64_t today, int days, DueItems& due) {
  if (!date.IsSet()) return;
  const int64_t next = NextOccurrence(date.month, date.day, today);
  // At the end of the calendar the date may not come again at all.
  if (next < today || next - today > days) return;
  ComingDate coming{kind, personId, next, std::nullopt};
  const int years = MomentOf(next).Year() - date.year;
  if (date.HasYear() && years >= 0) coming.years = years;
  due.comingDates.push_back(coming);
}

}  // namespace

int64_t NextOccurrence(uint8_t month, uint8_t day, int64_t from) {
  const int year = MomentOf(from).Year();
  const int64_t thisYear = DayInYear(year, month, day);
  return thisYear >= from ? thisYear : DayInYear(year + 1, month, day);
}

DueItems FindDue(const DocumentData& data, int64_t today, int days) {
  DueItems due;
  AddFollowUps(data, today, due);
  AddKeepInTouch(data, today, due);
  for (const auto& [id, person] : data.persons) {
    AddDate(DateKind::kBirthday, id, person.Birthday, today, days, due);
    AddDate(DateKind::kAnniversary, id, person.Anniversary, today, days, due);
  }
  std::sort(due.comingDates.begin(), due.comingDates.end(), [](const ComingDate& a, const ComingDate& b) {
    return std::tuple(a.day, a.kind, a.personId) < std::tuple(b.day, b.kind, b.personId);
  });
  return due;
}

std::optional<int64_t> LastContactDay(const DocumentData& data, int32_t personId) {
  std::optional<int64_t> last;
  for (const int32_t id : data.contacts.GetIndex().ContactIdsOf(personId)) {
    const Contact* contact = data.contacts.Find(id);
    if (contact && contact->DateTime.IsValid())
      last = std::max(last.value_or(DayOf(contact->DateTime)), DayOf(contact->DateTime));
  }
  return last;
}

std::vector<std::pair<int32_t, std::optional<int64_t>>> LastContactDays(const DocumentData& data) {
  std::vector<std::pair<int32_t, std::optional<int64_t>>> days;
  days.reserve(data.persons.Size());
  for (const auto& [id, person] : data.persons) days.emplace_back(id, std::nullopt);
  for (const auto& [id, contact] : data.contacts) {
    if (!contact.DateTime.IsValid()) continue;
    const auto at = std::lower_bound(days.begin(), days.end(), contact.PersonID,
                                     [](const auto& entry, int32_t personId) { return entry.first < personId; });
    if (at == days.end() || at->first != contact.PersonID) continue;
    const int64_t day = DayOf(contact.DateTime);
    if (!at->second || *at->second < day) at->second = day;
  }
  return days;
}

}  // namespace vimbo
