#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/records/date_time_text.h"
#include "core/transfer/date_text_cache.h"

namespace vimbo {
namespace {

struct Picture {
  const char* name;
  DateTextCache::Part part;
  DateTextCache::Format format;
};

// Locale forms of other countries as pictures, and forms the cache must not
// take apart (names of months and weekdays, the day of the year), which it
// keeps value by value instead.
const Picture kPictures[] = {
    {"%x", DateTextCache::Part::kDate, ShortDateText},
    {"%X", DateTextCache::Part::kTime, ShortTimeText},
    {"%d.%m.%Y", DateTextCache::Part::kDate, [](const DateTimeValue& v) { return FormatDateTime(v, "%d.%m.%Y"); }},
    {"%Y-%m-%d", DateTextCache::Part::kDate, [](const DateTimeValue& v) { return FormatDateTime(v, "%Y-%m-%d"); }},
    {"%e/%-m/%y", DateTextCache::Part::kDate, [](const DateTimeValue& v) { return FormatDateTime(v, "%e/%-m/%y"); }},
    {"%Y%m%d", DateTextCache::Part::kDate, [](const DateTimeValue& v) { return FormatDateTime(v, "%Y%m%d"); }},
    {"%A %d %B %Y", DateTextCache::Part::kDate,
     [](const DateTimeValue& v) { return FormatDateTime(v, "%A %d %B %Y"); }},
    {"%j/%y", DateTextCache::Part::kDate, [](const DateTimeValue& v) { return FormatDateTime(v, "%j/%y"); }},
    {"%m/%Y", DateTextCache::Part::kDate, [](const DateTimeValue& v) { return FormatDateTime(v, "%m/%Y"); }},
    {"%I:%M:%S %p", DateTextCache::Part::kTime,
     [](const DateTimeValue& v) { return FormatDateTime(v, "%I:%M:%S %p"); }},
    {"%-H.%M", DateTextCache::Part::kTime, [](const DateTimeValue& v) { return FormatDateTime(v, "%-H.%M"); }},
    {"%H%M%S", DateTextCache::Part::kTime, [](const DateTimeValue& v) { return FormatDateTime(v, "%H%M%S"); }},
    {"%S:%M %k", DateTextCache::Part::kTime, [](const DateTimeValue& v) { return FormatDateTime(v, "%S:%M %k"); }},
};

// Every text the cache gives is the one the formatting gives, over years,
// months, days and times whose digits meet the probes' in every way, with
// values repeated and interleaved as a contacts export meets them.
TEST(DateTextCache, GivesTheFormattedTextOfEveryValue) {
  std::vector<DateTimeValue> values;
  for (int year : {100, 999, 1899, 1911, 1999, 2000, 2011, 2027, 2028, 9999}) {
    for (int month : {1, 2, 5, 10, 11, 12}) {
      for (int day : {1, 9, 10, 11, 12, 23, 27, 28}) {
        for (int hour : {0, 1, 9, 11, 12, 13, 23}) {
          DateTimeValue value;
          value.SetDateTime(year, month, day, hour, (day * 7 + hour) % 60, (month * 13 + day) % 60);
          values.push_back(value);
          if (day == 27) values.push_back(values.front());
        }
      }
    }
  }
  values.push_back(DateTimeValue(0.0));  // 30 December 1899, midnight
  values.push_back(DateTimeValue(-1.75));
  values.push_back(DateTimeValue(2958465.0 - 1e-9));  // rounds up to the last day
  values.push_back(DateTimeValue());                  // invalid: the empty text

  for (const Picture& picture : kPictures) {
    DateTextCache cache(picture.part, picture.format);
    for (const DateTimeValue& value : values) {
      ASSERT_EQ(cache.Text(value, value.ToSystemTime()), picture.format(value))
          << picture.name << " of " << DocumentDateText(value);
    }
  }
}

}  // namespace
}  // namespace vimbo
