#pragma once
// The four record kinds of a document. Plain values: copied into and out of
// the collections, never shared. Text fields hold bytes exactly as the file
// or the editors gave them, each in a compact form that reads as a view.

#include <array>
#include <cstdint>
#include <string>

#include "core/records/compact_text.h"
#include "core/records/date_time_value.h"

namespace vimbo {

struct Person {
  int32_t ID = 0;
  CompactText Title;
  CompactText FName;
  CompactText LName;
  CompactText Company;
  CompactText Position;
  CompactText Address;
  CompactText City;
  CompactText State;
  CompactText Zip;
  CompactText Phone;
  CompactText WkPhone;
  CompactText WkExt;
  CompactText CelPhone;
  CompactText Pager;
  CompactText Fax;
  CompactText EMail;
  CompactText WebPage;

  // The name under which the person is listed and printed: "Last, First",
  // or the one of them given, or else the company.
  std::string DisplayName() const;
  // The fields that name holds, in its order; the second may be null.
  std::array<const CompactText*, 2> DisplayNameParts() const;
  // The same, appended to `out`, for loops over many persons.
  void AppendDisplayName(std::string& out) const;
};

// The owner of the document: one per document, without an identifier.
struct User {
  CompactText Title;
  CompactText FName;
  CompactText LName;
  CompactText Company;
  CompactText Position;
  CompactText Address;
  CompactText City;
  CompactText State;
  CompactText Zip;
  CompactText HmPhone;
  CompactText WkPhone;
  CompactText WkExt;
  CompactText CelPhone;
  CompactText Fax;
  CompactText EMail;
  CompactText WebPage;
};

struct Contact {
  int32_t ID = 0;
  int32_t PersonID = 0;
  // No moment until one is given: whoever makes a contact passes the time
  // from their clock.
  DateTimeValue DateTime;
  CompactText Description;
  int32_t ContactTypeID = 0;
};

struct ContactType {
  int32_t ID = 0;
  CompactText Description;
};

}  // namespace vimbo
