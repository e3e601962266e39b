#pragma once
// A person with an ID and a name, and a contact with one, for test data.

#include <cstdint>
#include <string>

#include "core/records/document_data.h"
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

inline Contact PersonContact(int32_t id, int32_t personId, int32_t typeId, std::string notes = {}) {
  Contact contact;
  contact.ID = id;
  contact.PersonID = personId;
  contact.ContactTypeID = typeId;
  contact.Description = std::move(notes);
  return contact;
}

// A document with the default contact types and `persons` persons named
// Smith, numbered from 1.
inline DocumentData SmithsDocument(int persons) {
  DocumentData data;
  data.AddDefaultContactTypes();
  for (int i = 0; i < persons; ++i) data.persons.Insert(NamedPerson(data.persons.NextID(), {}, "Smith"));
  return data;
}

}  // namespace vimbo::testing
