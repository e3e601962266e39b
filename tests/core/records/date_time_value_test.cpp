#include "core/records/date_time_value.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <ctime>
#include <limits>
#include <string>

namespace vimbo {
namespace {

constexpr int32_t kError = DateTimeValue::kErrorComponent;

DateTimeValue Make(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
  DateTimeValue value;
  value.SetDateTime(year, month, day, hour, minute, second);
  return value;
}

// The calendar fields as one readable text, so a failure shows the whole date.
std::string Stamp(const SystemTime& t) {
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d wd%d", t.year, t.month, t.day, t.hour, t.minute,
                t.second, t.dayOfWeek);
  return text;
}

std::string Stamp(double number) { return Stamp(DateTimeValue(number).ToSystemTime()); }

void ExpectAllComponentsError(const DateTimeValue& value) {
  EXPECT_EQ(value.Year(), kError);
  EXPECT_EQ(value.Month(), kError);
  EXPECT_EQ(value.Day(), kError);
  EXPECT_EQ(value.Hour(), kError);
  EXPECT_EQ(value.Minute(), kError);
  EXPECT_EQ(value.Second(), kError);
  EXPECT_EQ(value.DayOfWeek(), kError);
  EXPECT_EQ(value.ToSystemTime(), SystemTime{});
}

TEST(DateTimeValueTest, NewValueIsInvalidAndReadsAsErrors) {
  DateTimeValue value;
  EXPECT_FALSE(value.IsValid());
  EXPECT_EQ(value.Number(), -657435.0);
  ExpectAllComponentsError(value);

  DateTimeSpan span;
  EXPECT_FALSE(span.IsValid());
  EXPECT_EQ(span.Days(), -3615898.0);
}

TEST(DateTimeValueTest, NotANumberAndInfinitiesAreInvalid) {
  for (double number : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                        -std::numeric_limits<double>::infinity()}) {
    SCOPED_TRACE(number);
    DateTimeValue value(number);
    EXPECT_FALSE(value.IsValid());
    ExpectAllComponentsError(value);
    EXPECT_FALSE(Difference(value, Make(2004, 3, 7)).IsValid());
  }
}

TEST(DateTimeValueTest, KnownDayNumbers) {
  EXPECT_EQ(Make(1899, 12, 30).Number(), 0.0);
  EXPECT_EQ(Make(1899, 12, 31).Number(), 1.0);
  EXPECT_EQ(Make(1900, 1, 1).Number(), 2.0);
  EXPECT_EQ(Make(1900, 3, 1).Number(), 61.0);  // 1900 had no 29 February
  EXPECT_EQ(Make(1970, 1, 1).Number(), 25569.0);
  EXPECT_EQ(Make(2000, 1, 1).Number(), 36526.0);
  EXPECT_EQ(Make(2004, 3, 7, 12).Number(), 38053.5);
  EXPECT_EQ(Make(1899, 12, 29, 6).Number(), -1.25);
  EXPECT_EQ(Make(1899, 12, 29, 18).Number(), -1.75);
  EXPECT_EQ(Make(1899, 12, 30, 18).Number(), 0.75);
  EXPECT_EQ(Make(100, 1, 1).Number(), -657434.0);
  EXPECT_EQ(Make(9999, 12, 31).Number(), 2958465.0);
  EXPECT_EQ(Make(2004, 3, 7, 14, 5, 9).Number(), 38053.0 + (14 * 3600 + 5 * 60 + 9) / 86400.0);
}

TEST(DateTimeValueTest, ValidRangeIsTestedOnTheNumber) {
  EXPECT_TRUE(Make(9999, 12, 31).IsValid());
  EXPECT_FALSE(Make(9999, 12, 31, 0, 0, 1).IsValid());
  EXPECT_TRUE(Make(9999, 12, 30, 23, 59, 59).IsValid());
  EXPECT_TRUE(Make(100, 1, 1).IsValid());
  // On the first day the time makes the number more negative, below the range.
  EXPECT_FALSE(Make(100, 1, 1, 0, 0, 1).IsValid());
  EXPECT_TRUE(Make(100, 1, 2, 23, 59, 59).IsValid());
  EXPECT_FALSE(Make(99, 12, 31).IsValid());
  EXPECT_FALSE(Make(10000, 1, 1).IsValid());

  EXPECT_TRUE(DateTimeValue(2958465.0).IsValid());
  EXPECT_FALSE(DateTimeValue(std::nextafter(2958465.0, 3e6)).IsValid());
  EXPECT_TRUE(DateTimeValue(-657434.0).IsValid());
  EXPECT_FALSE(DateTimeValue(std::nextafter(-657434.0, -1e6)).IsValid());
}

TEST(DateTimeValueTest, FieldValidation) {
  struct Case {
    int year, month, day, hour, minute, second;
    bool valid;
  };
  const Case cases[] = {
      {2004, 2, 29, 0, 0, 0, true},
      {2000, 2, 29, 0, 0, 0, true},
      {1900, 2, 29, 0, 0, 0, false},
      {2100, 2, 29, 0, 0, 0, false},
      {2003, 2, 29, 0, 0, 0, false},
      {1600, 2, 29, 0, 0, 0, true},
      {2004, 4, 30, 0, 0, 0, true},
      {2004, 4, 31, 0, 0, 0, false},
      {2004, 12, 31, 23, 59, 59, true},
      {2004, 13, 1, 0, 0, 0, false},
      {2004, 0, 1, 0, 0, 0, false},
      {2004, 1, 0, 0, 0, 0, false},
      {2004, 1, 32, 0, 0, 0, false},
      {2004, 1, 1, 24, 0, 0, false},
      {2004, 1, 1, 0, 60, 0, false},
      {2004, 1, 1, 0, 0, 60, false},
      {2004, 1, 1, -1, 0, 0, false},
      {2004, 1, 1, 0, -1, 0, false},
      {2004, 1, 1, 0, 0, -1, false},
      {-2004, 1, 1, 0, 0, 0, false},
      {0, 1, 1, 0, 0, 0, false},
      {std::numeric_limits<int>::max(), 1, 1, 0, 0, 0, false},
      {std::numeric_limits<int>::min(), 1, 1, 0, 0, 0, false},
      {2004, std::numeric_limits<int>::max(), 1, 0, 0, 0, false},
      {2004, 1, std::numeric_limits<int>::min(), 0, 0, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << "-" << c.day << " " << c.hour << ":" << c.minute
                                    << ":" << c.second);
    // Start from a valid value: a failed build must not keep the old number.
    DateTimeValue value = Make(2010, 6, 15, 10, 0, 0);
    EXPECT_EQ(value.SetDateTime(c.year, c.month, c.day, c.hour, c.minute, c.second), c.valid);
    EXPECT_EQ(value.IsValid(), c.valid);
    if (!c.valid) {
      EXPECT_EQ(value.Number(), DateTimeValue::kInvalid);
    }
  }
}

TEST(DateTimeValueTest, MonthThirteenGivesErrorComponents) {
  DateTimeValue value = Make(2004, 3, 7);
  EXPECT_FALSE(value.SetDateTime(2004, 13, 7, 0, 0, 0));
  ExpectAllComponentsError(value);
}

TEST(DateTimeValueTest, ComponentReaders) {
  const DateTimeValue value = Make(2004, 3, 7, 14, 5, 9);
  EXPECT_EQ(value.Year(), 2004);
  EXPECT_EQ(value.Month(), 3);
  EXPECT_EQ(value.Day(), 7);
  EXPECT_EQ(value.Hour(), 14);
  EXPECT_EQ(value.Minute(), 5);
  EXPECT_EQ(value.Second(), 9);
  EXPECT_EQ(value.DayOfWeek(), 1);  // a Sunday

  EXPECT_EQ(DateTimeValue(0.0).DayOfWeek(), 7);  // 30 December 1899, a Saturday
  EXPECT_EQ(Make(2000, 1, 1).DayOfWeek(), 7);
  EXPECT_EQ(Make(1776, 7, 4).DayOfWeek(), 5);  // a Thursday
  EXPECT_EQ(Make(100, 1, 1).DayOfWeek(), 6);   // a Friday
  EXPECT_EQ(Make(9999, 12, 31).DayOfWeek(), 6);
}

TEST(DateTimeValueTest, NegativeNumbersCountTheTimeForwardFromTheDay) {
  EXPECT_EQ(Stamp(-1.25), "1899-12-29 06:00:00 wd5");
  EXPECT_EQ(Stamp(-1.75), "1899-12-29 18:00:00 wd5");
  EXPECT_EQ(Stamp(-1.0), "1899-12-29 00:00:00 wd5");
  // The integer part of -0.5 is 0: noon on day 0, the same time as 0.5.
  EXPECT_EQ(Stamp(-0.5), "1899-12-30 12:00:00 wd6");
  EXPECT_EQ(Stamp(0.5), "1899-12-30 12:00:00 wd6");
  EXPECT_EQ(Stamp(-657434.0), "0100-01-01 00:00:00 wd5");
  EXPECT_EQ(Stamp(2958465.0), "9999-12-31 00:00:00 wd5");
}

TEST(DateTimeValueTest, TimeRoundsToTheNearestSecondAndCarriesIntoTheNextDay) {
  const double day = Make(2003, 12, 31).Number();
  EXPECT_EQ(Stamp(day + 86399.4 / 86400), "2003-12-31 23:59:59 wd3");
  EXPECT_EQ(Stamp(day + 86399.6 / 86400), "2004-01-01 00:00:00 wd4");
  EXPECT_EQ(Stamp(day + 59.6 / 86400), "2003-12-31 00:01:00 wd3");
  EXPECT_EQ(Stamp(day + 0.4 / 86400), "2003-12-31 00:00:00 wd3");

  // Before day 0 the carry also goes to the following calendar day.
  EXPECT_EQ(Stamp(-1.0 - 86399.6 / 86400), "1899-12-30 00:00:00 wd6");
  EXPECT_EQ(Stamp(-2.0 - 86399.6 / 86400), "1899-12-29 00:00:00 wd5");
  EXPECT_EQ(Stamp(-0.0 - 86399.6 / 86400), "1899-12-31 00:00:00 wd0");
  // The last moments before the top of the range still read as its last day.
  EXPECT_EQ(Stamp(2958465.0 - 0.1 / 86400), "9999-12-31 00:00:00 wd5");

  const DateTimeValue carried(day + 86399.6 / 86400);
  EXPECT_EQ(carried.Year(), 2004);
  EXPECT_EQ(carried.Hour(), 0);
  EXPECT_EQ(carried.DayOfWeek(), 5);
}

// Every day of these years, at a time that changes from day to day, must come
// back from the number with the same fields, one day number after the other.
TEST(DateTimeValueTest, CalendarRoundTripOverWholeYears) {
  for (int year : {100, 1600, 1752, 1800, 1899, 1900, 1901, 1999, 2000, 2004, 2100, 9999}) {
    SCOPED_TRACE(year);
    double previousDay = 0;
    int previousWeekDay = -1;
    int daysInYear = 0;
    for (int month = 1; month <= 12; ++month) {
      for (int day = 1; day <= 31; ++day) {
        if (!Make(year, month, day).IsValid()) continue;  // past the month's end
        ++daysInYear;
        const int secondOfDay = (daysInYear * 7919) % 86400;
        const int hour = secondOfDay / 3600;
        const int minute = secondOfDay / 60 % 60;
        const int second = secondOfDay % 60;

        DateTimeValue value;
        if (!value.SetDateTime(year, month, day, hour, minute, second)) {
          // Only the range ends refuse a time of day.
          EXPECT_TRUE((year == 100 && month == 1 && day == 1) || (year == 9999 && month == 12 && day == 31));
          continue;
        }
        const SystemTime t = value.ToSystemTime();
        char expected[64];
        std::snprintf(expected, sizeof expected, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour, minute,
                      second);
        ASSERT_EQ(Stamp(t).substr(0, 19), expected);

        const double wholeDay = Make(year, month, day).Number();
        if (previousWeekDay >= 0) {
          EXPECT_EQ(wholeDay, previousDay + 1);
          EXPECT_EQ(t.dayOfWeek, (previousWeekDay + 1) % 7);
        }
        previousDay = wholeDay;
        previousWeekDay = t.dayOfWeek;

        DateTimeValue rebuilt;
        EXPECT_TRUE(rebuilt.FromSystemTime(t));
        EXPECT_EQ(rebuilt, value);
      }
    }
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    EXPECT_EQ(daysInYear, leap ? 366 : 365);
  }
}

TEST(DateTimeValueTest, SetDateKeepsTheTimeAndSetTimeKeepsTheDate) {
  DateTimeValue value = Make(2010, 6, 15, 14, 30, 15);
  EXPECT_TRUE(value.SetDate(2004, 3, 3));
  EXPECT_EQ(value, Make(2004, 3, 3, 14, 30, 15));
  EXPECT_TRUE(value.SetTime(8, 1, 2));
  EXPECT_EQ(value, Make(2004, 3, 3, 8, 1, 2));

  // Before day 0 too, where the time is subtracted from the day number.
  value = Make(1850, 1, 1, 6, 0, 0);
  EXPECT_TRUE(value.SetDate(1776, 7, 4));
  EXPECT_EQ(value, Make(1776, 7, 4, 6, 0, 0));
  EXPECT_TRUE(value.SetTime(18, 0, 0));
  EXPECT_EQ(value, Make(1776, 7, 4, 18, 0, 0));

  // A refused change leaves the value invalid, not half changed.
  value = Make(2004, 3, 3, 14, 30, 15);
  EXPECT_FALSE(value.SetTime(25, 0, 0));
  EXPECT_FALSE(value.IsValid());
  value = Make(2004, 3, 3, 14, 30, 15);
  EXPECT_FALSE(value.SetDate(2004, 2, 30));
  EXPECT_FALSE(value.IsValid());
}

TEST(DateTimeValueTest, SetDateAndSetTimeOnAnInvalidValue) {
  // No time to keep: the date starts at midnight.
  DateTimeValue value;
  EXPECT_TRUE(value.SetDate(2004, 3, 7));
  EXPECT_EQ(value, Make(2004, 3, 7));
  // No date to keep: the value stays invalid.
  DateTimeValue noDate;
  EXPECT_FALSE(noDate.SetTime(14, 0, 0));
  EXPECT_EQ(noDate.Number(), DateTimeValue::kInvalid);
}

TEST(DateTimeValueTest, LinearOrderRunsContinuouslyAcrossDayZero) {
  EXPECT_EQ(DateTimeValue(-1.25).Linear(), -0.75);
  EXPECT_EQ(DateTimeValue(-1.75).Linear(), -0.25);
  EXPECT_EQ(DateTimeValue(-1.0).Linear(), -1.0);
  EXPECT_EQ(DateTimeValue(0.25).Linear(), 0.25);
  EXPECT_EQ(DateTimeValue(-657435.0).Linear(), -657435.0);

  const DateTimeValue morning(-1.25);  // 29 December 1899, 06:00
  const DateTimeValue evening(-1.75);  // 29 December 1899, 18:00
  EXPECT_TRUE(Less(morning, evening));
  EXPECT_FALSE(Less(evening, morning));
  EXPECT_TRUE(Greater(evening, morning));
  EXPECT_FALSE(Greater(morning, evening));
  EXPECT_FALSE(Less(morning, morning));
  EXPECT_FALSE(Greater(morning, morning));

  // Times on consecutive days in ascending order, across day 0.
  const DateTimeValue ordered[] = {
      Make(1899, 12, 28, 23, 0, 0), Make(1899, 12, 29),   morning, evening, Make(1899, 12, 30),
      Make(1899, 12, 30, 6),        Make(1899, 12, 31, 1)};
  for (size_t i = 1; i < std::size(ordered); ++i) {
    SCOPED_TRACE(i);
    EXPECT_TRUE(Less(ordered[i - 1], ordered[i]));
    EXPECT_TRUE(Greater(ordered[i], ordered[i - 1]));
  }

  // Validity is not tested: the invalid value sorts below every valid one,
  // and a NaN is neither before nor after anything.
  EXPECT_TRUE(Less(DateTimeValue(), Make(100, 1, 1)));
  const DateTimeValue nan(std::numeric_limits<double>::quiet_NaN());
  EXPECT_FALSE(Less(nan, morning));
  EXPECT_FALSE(Greater(nan, morning));
  EXPECT_FALSE(Less(morning, nan));
}

TEST(DateTimeValueTest, Difference) {
  EXPECT_EQ(Difference(Make(1899, 12, 30), DateTimeValue(-1.25)).Days(), 0.75);
  EXPECT_EQ(Difference(DateTimeValue(-1.75), DateTimeValue(-1.25)).Days(), 0.5);
  EXPECT_EQ(Difference(Make(2004, 3, 1), Make(2004, 2, 1)).Days(), 29.0);
  EXPECT_EQ(Difference(Make(2004, 2, 1), Make(2004, 3, 1)).Days(), -29.0);
  EXPECT_EQ(Difference(Make(2004, 3, 7, 18), Make(1899, 12, 29, 6)).Days(), 38054.5);
  EXPECT_TRUE(Difference(Make(9999, 12, 29), Make(100, 1, 1)).IsValid());

  EXPECT_FALSE(Difference(DateTimeValue(), Make(2004, 3, 7)).IsValid());
  EXPECT_FALSE(Difference(Make(2004, 3, 7), DateTimeValue()).IsValid());
  EXPECT_EQ(Difference(Make(2004, 3, 7), DateTimeValue(3e6)).Days(), DateTimeSpan::kInvalid);
}

TEST(DateTimeValueTest, NowIsTheLocalTimeToTheSecond) {
  const std::time_t before = std::time(nullptr);
  const DateTimeValue now = DateTimeValue::Now();
  const std::time_t after = std::time(nullptr);
  ASSERT_TRUE(now.IsValid());

  bool matched = false;
  for (std::time_t moment = before; moment <= after; ++moment) {
    std::tm local{};
    ASSERT_NE(localtime_r(&moment, &local), nullptr);
    const int second = local.tm_sec > 59 ? 59 : local.tm_sec;
    matched = matched ||
              now == Make(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, second);
  }
  EXPECT_TRUE(matched) << Stamp(now.ToSystemTime());
}

}  // namespace
}  // namespace vimbo
