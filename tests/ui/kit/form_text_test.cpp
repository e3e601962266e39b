#include "ui/kit/form_text.h"

#include <gtest/gtest.h>

#include <QLocale>

#include "core/records/date_time_value.h"

namespace vimbo {
namespace {

TEST(PickerFormats, DateYearAlwaysHasFourDigits) {
  EXPECT_EQ(PickerDateFormat(QLocale(QStringLiteral("en_US"))), QStringLiteral("M/d/yyyy"));
  EXPECT_EQ(PickerDateFormat(QLocale(QStringLiteral("de_DE"))), QStringLiteral("dd.MM.yyyy"));
  EXPECT_EQ(PickerDateFormat(QLocale(QStringLiteral("en_GB"))), QStringLiteral("dd/MM/yyyy"));
  EXPECT_EQ(PickerDateFormat(QLocale(QStringLiteral("ja_JP"))), QStringLiteral("yyyy/MM/dd"));
  // A stored number that is no date shows nothing rather than a made-up day.
  EXPECT_EQ(FormDateTimeText(QLocale(QStringLiteral("en_US"))).Date(DateTimeValue(1e9)), QString());
}

TEST(PickerFormats, TimeKeepsSecondsAndDropsTheZone) {
  EXPECT_EQ(PickerTimeFormat(QLocale(QStringLiteral("en_US"))), QStringLiteral("h:mm:ss AP"));
  EXPECT_EQ(PickerTimeFormat(QLocale(QStringLiteral("de_DE"))), QStringLiteral("HH:mm:ss"));
  EXPECT_EQ(PickerTimeFormat(QLocale::c()), QStringLiteral("HH:mm:ss"));
}

TEST(FormText, EveryStoredLineBreakShowsAsOne) {
  EXPECT_EQ(MultiLineToDisplay("1 Main St\r\r\nApt 2"), QStringLiteral("1 Main St\nApt 2"));
  EXPECT_EQ(MultiLineToDisplay("a\r\nb\nc\rd"), QStringLiteral("a\nb\nc\nd"));
  // Empty lines survive.
  EXPECT_EQ(MultiLineToDisplay("a\r\n\r\nb\n\n"), QStringLiteral("a\n\nb\n\n"));
  EXPECT_EQ(MultiLineToDisplay(""), QString());
  EXPECT_EQ(SingleLineToDisplay("call back\r\ntomorrow\r\r\n"), QStringLiteral("call back tomorrow "));
  // Bytes that are not UTF-8 are read as Windows-1252.
  EXPECT_EQ(MultiLineToDisplay("M\xfcller\r\n\x80"), QStringLiteral(u"Müller\n€"));
}

}  // namespace
}  // namespace vimbo
