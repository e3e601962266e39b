#pragma once
// What is due on a day: follow-ups not yet done whose day has come, persons
// whose keep-in-touch interval has run out since their last contact, and
// the birthdays and anniversaries of the days ahead. The rules alone, for
// the Today list and `vimbo-cli due`.
//
// Due is decided by the day alone: a follow-up later today is due today.
// A person with an interval and no contact is due today. A birthday on 29
// February falls on 28 February in other years. The age is the one reached
// on the day listed.

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "core/records/document_data.h"

namespace vimbo {

struct DueFollowUp {
  int32_t contactId = 0;
  int32_t personId = 0;
  DateTimeValue when;
};

struct DueKeepInTouch {
  int32_t personId = 0;
  std::optional<int64_t> lastContactDay;
  int64_t dueDay = 0;
};

enum class DateKind : uint8_t { kBirthday, kAnniversary };

struct ComingDate {
  DateKind kind = DateKind::kBirthday;
  int32_t personId = 0;
  int64_t day = 0;
  std::optional<int> years;  // the age, or the years married; nothing without a year
};

struct DueItems {
  // Oldest first.
  std::vector<DueFollowUp> followUps;
  // Most overdue first.
  std::vector<DueKeepInTouch> keepInTouch;
  // Soonest first; a birthday before an anniversary on the same day.
  std::vector<ComingDate> comingDates;

  bool Empty() const { return followUps.empty() && keepInTouch.empty() && comingDates.empty(); }
};

// Everything due on `today`, with the dates of `today` through `today` +
// `days` (0: today only).
DueItems FindDue(const DocumentData& data, int64_t today, int days);

// The day of the person's latest contact; nothing without one.
std::optional<int64_t> LastContactDay(const DocumentData& data, int32_t personId);

// Every person's latest contact day, in ascending person ID; nothing for a
// person without a contact. One pass over the contacts.
std::vector<std::pair<int32_t, std::optional<int64_t>>> LastContactDays(const DocumentData& data);

// The next day on or after `from` that a date of the year falls on; a day
// before `from` when it falls on none before the end of year 9999.
int64_t NextOccurrence(uint8_t month, uint8_t day, int64_t from);

}  // namespace vimbo
