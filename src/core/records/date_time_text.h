#pragma once
// The text forms of a DateTimeValue.
//
// The document file uses one fixed form whatever the user's locale,
// "M/D/YYYY h:mm:ss AM", so a file survives a change of regional settings or a
// move to another machine. Lists, exports and reports use the user's regional
// formats through the C library (the program calls setlocale(LC_ALL, "") at
// start-up), or a picture the caller names.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "core/records/date_time_value.h"

namespace vimbo {

// "M/D/YYYY h:mm:ss AM": no leading zeros on month, day and hour; the time is
// left out at exactly midnight and the date on 30 December 1899 (0.0 gives
// "12:00:00 AM"). An invalid value gives the empty text.
std::string DocumentDateText(const DateTimeValue& value);

// The same text in a fixed buffer, for the writer's inner loop, where a heap
// string per contact would cost more than the formatting.
struct DocumentDateChars {
  // "12/31/9999 12:59:59 PM" is 22 characters; the year never exceeds 4 digits.
  char text[24];
  std::size_t length = 0;
  std::string_view View() const { return {text, length}; }
};
DocumentDateChars DocumentDateForm(const DateTimeValue& value);

// DocumentDateForm of many values in turn, as a save writes one per contact:
// each day's date is formatted once and kept for the values that follow.
class DocumentDateWriter {
 public:
  // Holds until the next call.
  std::string_view Text(const DateTimeValue& value);

 private:
  struct Day {
    int64_t number = std::numeric_limits<int64_t>::min();
    DocumentDateChars date;
  };
  // Direct-mapped by day number: twenty years of contacts take a slot each.
  std::vector<Day> days_;
  DocumentDateChars chars_;
};

// Reads the document form and, leniently, the forms an older file may hold:
// M/D/YY and M/D/YYYY (D/M/Y when the first number exceeds 12), D.M.YYYY,
// YYYY-MM-DD (with " " or "T" before the time), 12- or 24-hour times with or
// without seconds, a date alone, a time alone. Two-digit years 00-29 are
// 2000-2029, 30-99 are 1930-1999. Returns false, leaving `value` invalid, when
// the text is none of these or names no valid date.
bool ParseDocumentDateText(std::string_view text, DateTimeValue& value);

// The date as YYYY-MM-DD and the time as hh:mm:ss on the 24-hour clock,
// whatever the locale; empty for an invalid value.
std::string IsoDateText(const DateTimeValue& value);
std::string IsoTimeText(const DateTimeValue& value);

// The locale's short date (strftime "%x") and time ("%X"); empty when invalid.
std::string ShortDateText(const DateTimeValue& value);
std::string ShortTimeText(const DateTimeValue& value);

// The value formatted by strftime with `picture` into at most 4096 bytes;
// empty when the value is invalid.
std::string FormatDateTime(const DateTimeValue& value, const char* picture);

}  // namespace vimbo
