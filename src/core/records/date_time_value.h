#pragma once
// A date and time as a day number: whole days counted from 30 December 1899,
// midnight, plus the time of day as a fraction of 24 hours. For negative day
// numbers the fraction still counts forward from midnight of the day named by
// the integer part, so -1.25 is 29 December 1899, 06:00.

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace vimbo {

// Calendar fields of a date and time, as the pickers and the text forms use them.
struct SystemTime {
  int year = 0;
  int month = 0;      // 1..12
  int dayOfWeek = 0;  // 0 = Sunday .. 6 = Saturday
  int day = 0;        // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
  int milliseconds = 0;

  friend bool operator==(const SystemTime&, const SystemTime&) = default;
};

class DateTimeSpan {
 public:
  static constexpr double kMax = 3615897.0;
  static constexpr double kMin = -kMax;
  static constexpr double kInvalid = -3615898.0;

  DateTimeSpan() = default;
  explicit DateTimeSpan(double days) : days_(days) {}

  double Days() const { return days_; }
  bool IsValid() const { return days_ >= kMin && days_ <= kMax; }

 private:
  double days_ = kInvalid;
};

class DateTimeValue {
 public:
  static constexpr double kMin = -657434.0;  // 1 January 100, midnight
  static constexpr double kMax = 2958465.0;  // 31 December 9999, midnight
  static constexpr double kInvalid = -657435.0;
  // What the component readers answer for an invalid value.
  static constexpr int32_t kErrorComponent = std::numeric_limits<int32_t>::min();

  DateTimeValue() = default;
  explicit DateTimeValue(double number) : value_(number) {}

  // The local time, to the second.
  static DateTimeValue Now();

  // Builds the value from calendar fields; fields out of range (month 13,
  // 30 February, hour 24 ...) make it invalid. Returns IsValid().
  bool SetDateTime(int year, int month, int day, int hour, int minute, int second);
  bool FromSystemTime(const SystemTime& time);
  // Keep the current time, respectively the current date.
  bool SetDate(int year, int month, int day);
  bool SetTime(int hour, int minute, int second);

  double Number() const { return value_; }
  bool IsValid() const { return value_ >= kMin && value_ <= kMax; }

  // Calendar fields, the time rounded to the nearest second. All zero when
  // the number is not a representable date.
  SystemTime ToSystemTime() const;
  // The day number and the second of that day that ToSystemTime reads; only
  // for a valid value.
  struct DayAndSecond {
    int64_t day = 0;
    int32_t second = 0;
  };
  DayAndSecond SplitDay() const;
  int32_t Year() const;
  int32_t Month() const;
  int32_t Day() const;
  int32_t Hour() const;
  int32_t Minute() const;
  int32_t Second() const;
  int32_t DayOfWeek() const;  // 1 = Sunday .. 7 = Saturday

  // The number on a scale that runs continuously across day 0, for ordering.
  double Linear() const;

  friend bool operator==(const DateTimeValue&, const DateTimeValue&) = default;

 private:
  double value_ = kInvalid;
};

// Where the current moment comes from: DateTimeValue::Now, or a fixed moment
// in tests. Code that dates something takes the clock from its caller.
using Clock = DateTimeValue (*)();

bool Less(const DateTimeValue& a, const DateTimeValue& b);
bool Greater(const DateTimeValue& a, const DateTimeValue& b);
// a - b on the linear scale; the invalid span when either is invalid.
DateTimeSpan Difference(const DateTimeValue& a, const DateTimeValue& b);

}  // namespace vimbo
