#pragma once
// The reminders of a document as an iCalendar file that calendar programs
// import: a to-do for each follow-up not yet done, and a yearly all-day
// event for each birthday and anniversary. UTF-8, CRLF line ends, lines
// folded at 75 octets without splitting a character, text escaped.
//
// Each entry's UID is made of what it is, its record's ID and a name for
// the document, so a calendar that imports the file again updates the
// entries instead of adding them twice. IDs are never given twice within a
// document; the document's name keeps two documents' entries apart.

#include <string>
#include <string_view>

#include "core/records/date_time_value.h"
#include "core/records/document_data.h"

namespace vimbo {

struct IcsCalendar {
  std::string text;
  int toDos = 0;
  int events = 0;
};

// The calendar of `data`, the document at `documentPath`, whose name goes
// into every UID; `stamp` is the moment of the export in UTC (DTSTAMP).
// The to-dos come oldest first, then each person's birthday and anniversary
// in the order of the person IDs.
IcsCalendar IcsText(const DocumentData& data, std::string_view documentPath, const DateTimeValue& stamp);

// The document's name for the UIDs: the file name of `path` without its
// folder, each byte other than a letter, digit, ".", "-" or "_" written as
// %XX; "vimbo" when nothing is left.
std::string IcsDocumentName(std::string_view path);

// The year an event starts in when the date has none: a leap year, so that
// 29 February starts on its own day.
inline constexpr int kIcsYearlessStart = 2000;

}  // namespace vimbo
