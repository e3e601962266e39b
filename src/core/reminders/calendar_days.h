#pragma once
// Whole days, as the reminders count them: a day number on the document's
// date scale (day 0 is 30 December 1899), so a contact's moment and a day
// of the calendar compare directly.

#include <cstdint>
#include <optional>
#include <string>

#include "core/records/date_time_value.h"

namespace vimbo {

// The day a valid moment falls on.
int64_t DayOf(const DateTimeValue& value);
// The day of a calendar date; nothing for a date that does not exist.
std::optional<int64_t> DayOf(int year, int month, int day);
// Midnight of the day, as a moment.
DateTimeValue MomentOf(int64_t day);
// "YYYY-MM-DD".
std::string DayText(int64_t day);
// "YYYY-MM-DD" read strictly; nothing for anything else.
std::optional<int64_t> ParseDayText(const std::string& text);

}  // namespace vimbo
