#pragma once
// What the report dialogs hand over to the reports: the kind of report and
// the persons, dates and envelope options chosen.

#include <cstdint>
#include <map>
#include <vector>

#include "core/records/date_time_value.h"
#include "core/records/records.h"

namespace vimbo {

enum class ReportKind { kNone = 0, kAddressBook = 1, kContacts = 2, kEnvelopes = 3, kActivity = 4 };

// What to print with each address of an envelope.
struct EnvelopeOptions {
  bool recipientTitle = false;
  bool recipientCompany = false;
  bool recipientPosition = false;
  bool returnTitle = false;
  bool returnCompany = false;
  bool returnPosition = false;
  friend bool operator==(const EnvelopeOptions&, const EnvelopeOptions&) = default;
};

struct ReportSelection {
  ReportKind kind = ReportKind::kNone;
  std::map<int32_t, Person> chosenPersons;  // address book, contacts and activity
  // Activity: every person of the document, without copying them all into
  // chosenPersons; chosenPersons is then not read.
  bool allPersons = false;
  DateTimeValue beginDate;              // contacts and activity, inclusive
  DateTimeValue endDate;                // contacts and activity, inclusive
  std::vector<Person> envelopePersons;  // ascending ID
  EnvelopeOptions envelopeOptions;
};

}  // namespace vimbo
