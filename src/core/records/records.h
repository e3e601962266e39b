#pragma once
// The four record kinds of a document. Plain values: copied into and out of
// the collections, never shared. Text fields hold bytes exactly as the file
// or the editors gave them, each in a compact form that reads as a view.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/records/compact_text.h"
#include "core/records/date_time_value.h"
#include "core/records/partial_date.h"
#include "core/records/person_detail.h"

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
  // Beyond the seventeen fields, each kept in the file only when present.
  PartialDate Birthday;
  PartialDate Anniversary;
  // How often, in days, the owner means to be in touch; 0 for no interval.
  int32_t KeepInTouch = 0;
  CompactText Notes;
  std::vector<PersonDetail> Details;

  // The country of the address in the seventeen fields, which has no field
  // of its own: kept as an address detail that holds nothing but a country.
  std::string_view Country() const;
  void SetCountry(std::string_view country);

  // Whether the person has anything beyond the seventeen fields.
  bool HasExtras() const {
    return Birthday.IsSet() || Anniversary.IsSet() || KeepInTouch > 0 || !Notes.empty() || !Details.empty();
  }

  // The name under which the person is listed and printed: "Last, First",
  // or the one of them given, or else the company; a person with neither is
  // listed by e-mail address, else by a phone number or web page.
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

// When the owner means to act on a contact (a date, and a time unless it is
// midnight), and whether that is done.
struct ContactFollowUp {
  DateTimeValue When;  // invalid: no follow-up
  bool Done = false;

  bool IsSet() const { return When.IsValid(); }
  friend bool operator==(const ContactFollowUp&, const ContactFollowUp&) = default;
};

struct Contact {
  int32_t ID = 0;
  int32_t PersonID = 0;
  // No moment until one is given: whoever makes a contact passes the time
  // from their clock.
  DateTimeValue DateTime;
  CompactText Description;
  int32_t ContactTypeID = 0;
  ContactFollowUp FollowUp;
};

struct ContactType {
  int32_t ID = 0;
  CompactText Description;
};

}  // namespace vimbo
