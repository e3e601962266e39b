#include "core/records/date_time_value.h"

#include <cmath>
#include <ctime>

namespace vimbo {

namespace {

constexpr int kSecondsPerDay = 24 * 60 * 60;
// Day 0 of our scale, 30 December 1899, lies this many days before 1 January 1970.
constexpr int64_t kDaysBefore1970 = 25569;

// Days from 1 January 1970 to the given proleptic Gregorian date. Counting in
// 400-year eras (146097 days each) keeps the arithmetic exact for any year
// the valid range allows, with March as the first month so that the leap day
// falls at the end of the counted year.
int64_t DaysFromCivil(int64_t year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t yearOfEra = year - era * 400;
  const int64_t monthFromMarch = month > 2 ? month - 3 : month + 9;
  const int64_t dayOfYear = (153 * monthFromMarch + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

// The inverse of DaysFromCivil.
void CivilFromDays(int64_t days, SystemTime& out) {
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const int64_t dayOfEra = days - era * 146097;
  const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
  out.day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
  out.month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
  out.year = static_cast<int>(yearOfEra + era * 400 + (out.month <= 2 ? 1 : 0));
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool FieldsInRange(int year, int month, int day, int hour, int minute, int second) {
  // The year test only keeps the day arithmetic well away from overflow; the
  // exact limits (1 January 100 and 31 December 9999, both at midnight) are
  // checked on the resulting number.
  return year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month) &&
         hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 && second >= 0 && second <= 59;
}

}  // namespace

DateTimeValue DateTimeValue::Now() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  const bool converted = localtime_s(&local, &now) == 0;
#else
  const bool converted = localtime_r(&now, &local) != nullptr;
#endif
  DateTimeValue value;
  if (converted) {
    // A leap second (tm_sec 60) would otherwise make the contact's time invalid.
    const int second = local.tm_sec > 59 ? 59 : local.tm_sec;
    value.SetDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, second);
  }
  return value;
}

bool DateTimeValue::SetDateTime(int year, int month, int day, int hour, int minute, int second) {
  value_ = kInvalid;
  if (!FieldsInRange(year, month, day, hour, minute, second)) return false;

  const double dayNumber = static_cast<double>(DaysFromCivil(year, month, day) + kDaysBefore1970);
  const double fraction = (hour * 3600 + minute * 60 + second) / double(kSecondsPerDay);
  // Before day 0 the time still counts forward from the day's midnight, so it
  // is subtracted from the (negative) day number.
  const double number = dayNumber >= 0 ? dayNumber + fraction : dayNumber - fraction;
  if (number >= kMin && number <= kMax) value_ = number;
  return IsValid();
}

bool DateTimeValue::FromSystemTime(const SystemTime& time) {
  return SetDateTime(time.year, time.month, time.day, time.hour, time.minute, time.second);
}

// An invalid value has no time to keep: its calendar fields read as zero, so
// the new date starts at midnight.
bool DateTimeValue::SetDate(int year, int month, int day) {
  const SystemTime now = ToSystemTime();
  return SetDateTime(year, month, day, now.hour, now.minute, now.second);
}

// An invalid value has no date to keep (year 0), so it stays invalid.
bool DateTimeValue::SetTime(int hour, int minute, int second) {
  const SystemTime now = ToSystemTime();
  return SetDateTime(now.year, now.month, now.day, hour, minute, second);
}

DateTimeValue::DayAndSecond DateTimeValue::SplitDay() const {
  // The integer part names the day, truncated toward zero; the fraction is
  // the time forward from that day's midnight whatever the sign.
  const double wholeDays = std::trunc(value_);
  DayAndSecond split{static_cast<int64_t>(wholeDays),
                     static_cast<int32_t>(std::llround(std::fabs(value_ - wholeDays) * kSecondsPerDay))};
  if (split.second >= kSecondsPerDay) {
    // 23:59:59.5 and later round up to the next day's midnight.
    split.second = 0;
    ++split.day;
  }
  return split;
}

SystemTime DateTimeValue::ToSystemTime() const {
  SystemTime fields;
  if (!IsValid()) return fields;  // also catches NaN

  const auto [dayNumber, seconds] = SplitDay();
  CivilFromDays(dayNumber - kDaysBefore1970, fields);
  // Day 0 was a Saturday.
  fields.dayOfWeek = static_cast<int>(((dayNumber + 6) % 7 + 7) % 7);
  fields.hour = static_cast<int>(seconds / 3600);
  fields.minute = static_cast<int>(seconds / 60 % 60);
  fields.second = static_cast<int>(seconds % 60);
  return fields;
}

int32_t DateTimeValue::Year() const { return IsValid() ? ToSystemTime().year : kErrorComponent; }

int32_t DateTimeValue::Month() const { return IsValid() ? ToSystemTime().month : kErrorComponent; }

int32_t DateTimeValue::Day() const { return IsValid() ? ToSystemTime().day : kErrorComponent; }

int32_t DateTimeValue::Hour() const { return IsValid() ? ToSystemTime().hour : kErrorComponent; }

int32_t DateTimeValue::Minute() const { return IsValid() ? ToSystemTime().minute : kErrorComponent; }

int32_t DateTimeValue::Second() const { return IsValid() ? ToSystemTime().second : kErrorComponent; }

int32_t DateTimeValue::DayOfWeek() const { return IsValid() ? ToSystemTime().dayOfWeek + 1 : kErrorComponent; }

double DateTimeValue::Linear() const {
  if (value_ >= 0) return value_;
  const double day = std::ceil(value_);
  return day - (value_ - day);
}

bool Less(const DateTimeValue& a, const DateTimeValue& b) { return a.Linear() < b.Linear(); }

bool Greater(const DateTimeValue& a, const DateTimeValue& b) { return a.Linear() > b.Linear(); }

DateTimeSpan Difference(const DateTimeValue& a, const DateTimeValue& b) {
  if (!a.IsValid() || !b.IsValid()) return DateTimeSpan();
  return DateTimeSpan(a.Linear() - b.Linear());
}

}  // namespace vimbo
