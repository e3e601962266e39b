#pragma once
// The whole content of one document.

#include <cstdint>

#include "core/records/collection.h"
#include "core/records/contacts_by_person.h"
#include "core/records/records.h"

namespace vimbo {

using Persons = Collection<Person>;
using Contacts = Collection<Contact, ContactsByPerson>;
using ContactTypes = Collection<ContactType>;

struct DocumentData {
  static constexpr int32_t kInitialVersion = 11;
  static constexpr int32_t kWrittenVersion = 12;

  User user;
  Persons persons;
  Contacts contacts;
  ContactTypes contactTypes;
  int32_t version = kInitialVersion;

  // Empties each collection that holds records and resets its counter; an
  // already empty collection keeps its counter. The user and the version stay.
  void Clear();

  // "Telephone", "E-Mail", "Personal", "Correspondence", numbered from the
  // contact types' counter.
  void AddDefaultContactTypes();
};

}  // namespace vimbo
