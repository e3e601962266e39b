#include "core/reminders/calendar_days.h"

#include <cctype>
#include <cstdio>

#include "core/records/date_time_text.h"

namespace vimbo {

int64_t DayOf(const DateTimeValue& value) { return value.SplitDay().day; }

std::optional<int64_t> DayOf(int year, int month, int day) {
  DateTimeValue value;
  if (!value.SetDateTime(year, month, day, 0, 0, 0)) return std::nullopt;
  return DayOf(value);
}

DateTimeValue MomentOf(int64_t day) { return DateTimeValue(static_cast<double>(day)); }

std::string DayText(int64_t day) { return IsoDateText(MomentOf(day)); }

std::optional<int64_t> ParseDayText(const std::string& text) {
  int year = 0;
  int month = 0;
  int day = 0;
  char end = 0;
  // Digits only where digits belong: scanf alone would take " 7" or "+7".
  for (std::size_t i = 0; i < text.size(); ++i)
    if (i != 4 && i != 7 && !std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
  if (text.size() != 10 || text[4] != '-' || text[7] != '-' ||
      std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &year, &month, &day, &end) != 3)
    return std::nullopt;
  return DayOf(year, month, day);
}

}  // namespace vimbo
