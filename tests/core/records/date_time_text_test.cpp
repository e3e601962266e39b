#include "core/records/date_time_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

namespace vimbo {
namespace {

DateTimeValue Make(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
  DateTimeValue value;
  value.SetDateTime(year, month, day, hour, minute, second);
  return value;
}

TEST(DateTimeTextTest, DocumentTextByteForByte) {
  struct Case {
    DateTimeValue value;
    const char* text;
  };
  const Case cases[] = {
      {Make(2004, 3, 7, 14, 5, 9), "3/7/2004 2:05:09 PM"},
      {Make(2004, 3, 7), "3/7/2004"},
      {Make(2004, 3, 7, 0, 0, 1), "3/7/2004 12:00:01 AM"},
      {Make(2004, 3, 7, 0, 59, 59), "3/7/2004 12:59:59 AM"},
      {Make(2004, 3, 7, 1, 0, 0), "3/7/2004 1:00:00 AM"},
      {Make(2004, 3, 7, 11, 59, 59), "3/7/2004 11:59:59 AM"},
      {Make(2004, 3, 7, 12, 0, 0), "3/7/2004 12:00:00 PM"},
      {Make(2004, 3, 7, 13, 0, 0), "3/7/2004 1:00:00 PM"},
      {Make(2004, 3, 7, 23, 59, 59), "3/7/2004 11:59:59 PM"},
      {Make(2004, 12, 31, 10, 10, 10), "12/31/2004 10:10:10 AM"},
      {Make(1776, 7, 4, 6, 30, 0), "7/4/1776 6:30:00 AM"},
      {Make(9999, 12, 31), "12/31/9999"},
      {Make(100, 1, 1), "1/1/0100"},
      {Make(999, 5, 6, 7, 8, 9), "5/6/0999 7:08:09 AM"},
      {DateTimeValue(0.0), "12:00:00 AM"},
      {DateTimeValue(0.5), "12:00:00 PM"},
      {DateTimeValue(-0.5), "12:00:00 PM"},
      {DateTimeValue(0.75), "6:00:00 PM"},
      {DateTimeValue(1.0), "12/31/1899"},
      {DateTimeValue(-1.25), "12/29/1899 6:00:00 AM"},
      {DateTimeValue(-1.75), "12/29/1899 6:00:00 PM"},
      // Rounded to the second before the parts are chosen.
      {DateTimeValue(Make(2004, 3, 7).Number() + 86399.6 / 86400), "3/8/2004"},
      {DateTimeValue(Make(2004, 3, 7).Number() + 1.0 / 86400 + 0.3 / 86400), "3/7/2004 12:00:01 AM"},
      {DateTimeValue(0.2 / 86400), "12:00:00 AM"},
      {DateTimeValue(-1.0 - 86399.7 / 86400), "12:00:00 AM"},
      {DateTimeValue(), ""},
      {DateTimeValue(std::numeric_limits<double>::quiet_NaN()), ""},
      {DateTimeValue(std::numeric_limits<double>::infinity()), ""},
      {DateTimeValue(2958465.5), ""},
      // The writer's kept date of a day must not serve another day.
      {DateTimeValue(Make(2004, 3, 7).Number() + 8192 + 0.5), "8/11/2026 12:00:00 PM"},
  };
  DocumentDateWriter writer;
  for (int pass = 0; pass < 2; ++pass) {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.value.Number());
      EXPECT_EQ(DocumentDateText(c.value), c.text);
      EXPECT_EQ(writer.Text(c.value), c.text);
    }
  }
}

void ExpectRoundTrip(const DateTimeValue& value) {
  const std::string text = DocumentDateText(value);
  DateTimeValue back(123.0);
  ASSERT_TRUE(ParseDocumentDateText(text, back)) << text;
  ASSERT_EQ(back.Number(), value.Number()) << text;
}

// What is saved must load as exactly the same number.
TEST(DateTimeTextTest, DocumentTextRoundTrip) {
  for (int year : {100, 1752, 1800, 1899, 1900, 1929, 1930, 2000, 2004, 2029, 2030, 2100, 9999}) {
    SCOPED_TRACE(year);
    int dayIndex = 0;
    for (int month = 1; month <= 12; ++month) {
      for (int day = 1; day <= 31; ++day) {
        const DateTimeValue midnight = Make(year, month, day);
        if (!midnight.IsValid()) continue;
        ExpectRoundTrip(midnight);
        const int secondOfDay = (++dayIndex * 7919) % 86400;
        const DateTimeValue timed = Make(year, month, day, secondOfDay / 3600, secondOfDay / 60 % 60, secondOfDay % 60);
        if (timed.IsValid()) ExpectRoundTrip(timed);
      }
    }
  }
  // Every second of a day, on day 0 (time alone) and on a day before it.
  for (int second = 0; second < 86400; ++second) {
    ExpectRoundTrip(Make(1899, 12, 30, second / 3600, second / 60 % 60, second % 60));
    ExpectRoundTrip(Make(1850, 6, 1, second / 3600, second / 60 % 60, second % 60));
  }
}

TEST(DateTimeTextTest, LenientForms) {
  struct Case {
    const char* text;
    int year, month, day, hour, minute, second;
  };
  const Case cases[] = {
      // The document form and its spacing and letter-case variants.
      {"3/7/2004 2:05:09 PM", 2004, 3, 7, 14, 5, 9},
      {"  3/7/2004 2:05:09 PM\t\r\n", 2004, 3, 7, 14, 5, 9},
      {"3/7/2004 2:05:09PM", 2004, 3, 7, 14, 5, 9},
      {"3/7/2004 2:05:09 pm", 2004, 3, 7, 14, 5, 9},
      {"3/7/2004 2:05:09 aM", 2004, 3, 7, 2, 5, 9},
      {"3/7/2004   2:05:09   PM", 2004, 3, 7, 14, 5, 9},
      {"03/07/2004 02:05:09 PM", 2004, 3, 7, 14, 5, 9},
      {"3/7/2004 12:05:09 AM", 2004, 3, 7, 0, 5, 9},
      {"3/7/2004 12:05:09 PM", 2004, 3, 7, 12, 5, 9},
      {"3/7/2004 11:59:59 PM", 2004, 3, 7, 23, 59, 59},
      // A date alone is midnight; a time alone is on 30 December 1899.
      {"3/7/2004", 2004, 3, 7, 0, 0, 0},
      {"12:00:00 AM", 1899, 12, 30, 0, 0, 0},
      {"2:05:09 PM", 1899, 12, 30, 14, 5, 9},
      {"14:05", 1899, 12, 30, 14, 5, 0},
      {"2:05 am", 1899, 12, 30, 2, 5, 0},
      // Two-digit years pivot between 29 and 30.
      {"3/7/04", 2004, 3, 7, 0, 0, 0},
      {"3/7/00", 2000, 3, 7, 0, 0, 0},
      {"3/7/29", 2029, 3, 7, 0, 0, 0},
      {"3/7/30", 1930, 3, 7, 0, 0, 0},
      {"3/7/99", 1999, 3, 7, 0, 0, 0},
      {"3/7/4", 2004, 3, 7, 0, 0, 0},
      {"3/7/0100", 100, 3, 7, 0, 0, 0},
      {"3/7/999", 999, 3, 7, 0, 0, 0},
      // Day first when the first number cannot be a month.
      {"13/7/2004", 2004, 7, 13, 0, 0, 0},
      {"31/12/99 23:59", 1999, 12, 31, 23, 59, 0},
      {"12/7/2004", 2004, 12, 7, 0, 0, 0},
      // Dotted dates are always day first.
      {"7.3.2004", 2004, 3, 7, 0, 0, 0},
      {"07.03.2004 14:05:09", 2004, 3, 7, 14, 5, 9},
      {"7.3.04", 2004, 3, 7, 0, 0, 0},
      // ISO dates, with a blank or a T before the time.
      {"2004-03-07", 2004, 3, 7, 0, 0, 0},
      {"2004-3-7", 2004, 3, 7, 0, 0, 0},
      {"2004-03-07 14:05:09", 2004, 3, 7, 14, 5, 9},
      {"2004-03-07T14:05:09", 2004, 3, 7, 14, 5, 9},
      {"2004-03-07T14:05", 2004, 3, 7, 14, 5, 0},
      {"2004-03-07T02:05 PM", 2004, 3, 7, 14, 5, 0},
      // 24-hour times, with and without seconds.
      {"3/7/2004 14:05:09", 2004, 3, 7, 14, 5, 9},
      {"3/7/2004 0:00:01", 2004, 3, 7, 0, 0, 1},
      {"3/7/2004 00:00", 2004, 3, 7, 0, 0, 0},
      {"3/7/2004 23:59", 2004, 3, 7, 23, 59, 0},
      {"3/7/2004 2:05 PM", 2004, 3, 7, 14, 5, 0},
      // The ends of the range.
      {"12/31/9999", 9999, 12, 31, 0, 0, 0},
      {"1/1/0100", 100, 1, 1, 0, 0, 0},
      {"2/29/2000", 2000, 2, 29, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    DateTimeValue value;
    EXPECT_TRUE(ParseDocumentDateText(c.text, value));
    EXPECT_EQ(value, Make(c.year, c.month, c.day, c.hour, c.minute, c.second));
  }
}

TEST(DateTimeTextTest, Rejections) {
  // Grouped by kind, several texts a line.
  // clang-format off
  const char* const texts[] = {
      // Empty and garbage.
      "", "   ", "\t", "hello", "AM", "3", "/", ":", "-",
      // Incomplete forms.
      "3/7", "3/7/", "3/", "/7/2004", "3//2004", "2004-03", "2004-03-", "14", "14:", "14:05:",
      "3/7/2004 14", "3/7/2004 14:", "2004-03-07T", "3/7/2004T14:05",
      "2004-03-07 T14:05", "2004-03-07T 14:05", "7.3.2004T14:05",
      // Trailing junk.
      "3/7/2004x", "3/7/2004 2:05:09 PMX", "3/7/2004 2:05:09 P", "3/7/2004 2:05:09 PM PM",
      "3/7/2004 2:05:09 XM", "2:05:09 PM 3/7/2004", "3/7/2004 2:05:09.5", "2004-03-07T14:05:09Z",
      // Too many digits, signs and other separators.
      "003/7/2004", "3/007/2004", "3/7/02004", "3/7/2004 002:05", "3/7/2004 2:5", "3/7/2004 2:005",
      "3/7/2004 2:05:9", "04-03-07", "20040-03-07", "2004/03/07", "-3/7/2004", "+3/7/2004",
      "3-7-2004", "3/7.2004", "3.7/2004", "12:00:00 AM 12:00:00 AM",
      // Out-of-range fields.
      "13/13/2004", "0/7/2004", "3/0/2004", "2/30/2004", "2/29/1900", "2/29/2100", "32/1/2004",
      "3/7/2004 24:00", "3/7/2004 23:60", "3/7/2004 23:59:60", "2004-13-07", "2004-02-30",
      "3/7/0099", "3/7/0000", "12/31/9999 0:00:01", "1/1/0100 12:00:01 AM",
      // A 12-hour clock has hours 1 to 12.
      "3/7/2004 13:05 PM", "3/7/2004 14:05:09 AM", "3/7/2004 0:05 AM", "0:00 PM",
  };
  // clang-format on
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    DateTimeValue value = Make(2010, 6, 15);  // a failed parse must not keep this
    EXPECT_FALSE(ParseDocumentDateText(text, value));
    EXPECT_EQ(value.Number(), DateTimeValue::kInvalid);
  }
}

TEST(DateTimeTextTest, ParsingStopsAtTheEndOfTheView) {
  // The view ends before the junk that follows in memory.
  const std::string_view text = std::string_view("3/7/2004 2:05:09 PM!!", 19);
  DateTimeValue value;
  EXPECT_TRUE(ParseDocumentDateText(text, value));
  EXPECT_EQ(value, Make(2004, 3, 7, 14, 5, 9));

  // A view that ends mid-form fails instead of reading on.
  EXPECT_FALSE(ParseDocumentDateText(std::string_view("3/7/2004 2:05:09 PM", 18), value));
  EXPECT_FALSE(ParseDocumentDateText(std::string_view("3/7/2004", 4), value));
  EXPECT_FALSE(ParseDocumentDateText(std::string_view(), value));
  // A zero byte inside the view is an ordinary character, not the end.
  EXPECT_FALSE(ParseDocumentDateText(std::string_view("3/7/2004\0", 9), value));
}

class DateTimeLocaleTest : public testing::Test {
 protected:
  void SetUp() override {
    saved_ = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "C");
  }
  void TearDown() override { std::setlocale(LC_ALL, saved_.c_str()); }

 private:
  std::string saved_;
};

TEST_F(DateTimeLocaleTest, ShortFormsFollowTheLocale) {
  const DateTimeValue value = Make(2004, 3, 7, 14, 5, 9);
  EXPECT_EQ(ShortDateText(value), "03/07/04");
  EXPECT_EQ(ShortTimeText(value), "14:05:09");
  EXPECT_EQ(ShortDateText(Make(1776, 7, 4, 6, 30, 0)), "07/04/76");
  EXPECT_EQ(ShortTimeText(Make(1776, 7, 4, 6, 30, 0)), "06:30:00");
  EXPECT_EQ(ShortTimeText(DateTimeValue(0.0)), "00:00:00");
  // The carried second reaches the date too.
  EXPECT_EQ(ShortDateText(DateTimeValue(Make(2003, 12, 31).Number() + 86399.6 / 86400)), "01/01/04");

  EXPECT_EQ(ShortDateText(DateTimeValue()), "");
  EXPECT_EQ(ShortTimeText(DateTimeValue()), "");
  EXPECT_EQ(ShortDateText(DateTimeValue(std::nan(""))), "");
}

TEST_F(DateTimeLocaleTest, FormatWithAPicture) {
  const DateTimeValue value = Make(2004, 3, 7, 14, 5, 9);
  EXPECT_EQ(FormatDateTime(value, "%m/%d/%y %I:%M%p"), "03/07/04 02:05PM");
  // Day of week and day of year are filled in, not left at zero.
  EXPECT_EQ(FormatDateTime(value, "%A %a %j %Y"), "Sunday Sun 067 2004");
  EXPECT_EQ(FormatDateTime(Make(2003, 12, 31), "%j %A"), "365 Wednesday");
  EXPECT_EQ(FormatDateTime(Make(2000, 12, 31), "%j"), "366");
  EXPECT_EQ(FormatDateTime(Make(1900, 3, 1), "%j %A"), "060 Thursday");
  EXPECT_EQ(FormatDateTime(Make(1776, 7, 4), "%Y-%m-%d %A"), "1776-07-04 Thursday");
  EXPECT_EQ(FormatDateTime(value, "plain text"), "plain text");

  EXPECT_EQ(FormatDateTime(DateTimeValue(), "%Y"), "");
  EXPECT_EQ(FormatDateTime(value, ""), "");
  EXPECT_EQ(FormatDateTime(value, nullptr), "");
  // 4095 characters fit with the terminator; one more does not.
  EXPECT_EQ(FormatDateTime(value, std::string(4095, 'x').c_str()).size(), 4095u);
  EXPECT_EQ(FormatDateTime(value, std::string(4096, 'x').c_str()), "");
}

}  // namespace
}  // namespace vimbo
