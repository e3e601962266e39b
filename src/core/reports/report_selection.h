#pragma once
// What the report dialogs hand over to the reports: the kind of report and
// the persons, dates and envelope options chosen.

#include <cstdint>
#include <map>
#include <vector>

#include "core/records/date_time_value.h"
#include "core/records/records.h"

namespace vimbo {

enum class ReportKind { kNone = 0, kAddressBook = 1, kContacts = 2, kEnvelopes = 3 };

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
  std::map<int32_t, Person> chosenPersons;  // address book and contacts
  DateTimeValue beginDate;                  // contacts, inclusive
  DateTimeValue endDate;                    // contacts, inclusive
  std::vector<Person> envelopePersons;      // ascending ID
  EnvelopeOptions envelopeOptions;
};

}  // namespace vimbo
