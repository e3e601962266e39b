#pragma once
// The four record kinds of a document. Plain values: copied into and out of
// the collections, never shared. Text fields hold bytes exactly as the file
// or the editors gave them.

#include <cstdint>
#include <string>

#include "core/records/date_time_value.h"

namespace vimbo {

struct Person {
  int32_t ID = 0;
  std::string Title;
  std::string FName;
  std::string LName;
  std::string Company;
  std::string Position;
  std::string Address;
  std::string City;
  std::string State;
  std::string Zip;
  std::string Phone;
  std::string WkPhone;
  std::string WkExt;
  std::string CelPhone;
  std::string Pager;
  std::string Fax;
  std::string EMail;
  std::string WebPage;

  // The name under which the person is listed and printed.
  std::string DisplayName() const;
};

// The owner of the document: one per document, without an identifier.
struct User {
  std::string Title;
  std::string FName;
  std::string LName;
  std::string Company;
  std::string Position;
  std::string Address;
  std::string City;
  std::string State;
  std::string Zip;
  std::string HmPhone;
  std::string WkPhone;
  std::string WkExt;
  std::string CelPhone;
  std::string Fax;
  std::string EMail;
  std::string WebPage;
};

struct Contact {
  int32_t ID = 0;
  int32_t PersonID = 0;
  // No moment until one is given: whoever makes a contact passes the time
  // from their clock.
  DateTimeValue DateTime;
  std::string Description;
  int32_t ContactTypeID = 0;
};

struct ContactType {
  int32_t ID = 0;
  std::string Description;
};

}  // namespace vimbo
