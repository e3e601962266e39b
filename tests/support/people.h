#pragma once
// A person with an ID and a name, for test data.

#include <cstdint>
#include <string>

#include "core/records/records.h"

namespace vimbo::testing {

inline Person NamedPerson(int32_t id, std::string first, std::string last, std::string company = {}) {
  Person person;
  person.ID = id;
  person.FName = std::move(first);
  person.LName = std::move(last);
  person.Company = std::move(company);
  return person;
}

}  // namespace vimbo::testing
