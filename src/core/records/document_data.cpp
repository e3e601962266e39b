#include "core/records/document_data.h"

namespace vimbo {
namespace {

template <typename Record>
void ClearCollection(Collection<Record>& collection) {
  if (collection.Empty()) return;
  collection.Clear();
  collection.LastID = 0;
}

}  // namespace

void DocumentData::Clear() {
  ClearCollection(persons);
  ClearCollection(contacts);
  ClearCollection(contactTypes);
}

void DocumentData::AddDefaultContactTypes() {
  for (const char* name : {"Telephone", "E-Mail", "Personal", "Correspondence"}) {
    ContactType type;
    type.ID = contactTypes.NextID();
    if (type.ID == 0) return;  // no identifiers left
    type.Description = name;
    contactTypes.Insert(std::move(type));
  }
}

void DocumentData::DeletePerson(int32_t personId) {
  persons.Erase(personId);
  for (auto it = contacts.begin(); it != contacts.end();) {
    if (it->second.PersonID == personId)
      it = contacts.Erase(it);
    else
      ++it;
  }
}

bool DocumentData::DeleteContactType(int32_t contactTypeId) {
  for (const auto& [id, contact] : contacts)
    if (contact.ContactTypeID == contactTypeId) return false;
  contactTypes.Erase(contactTypeId);
  return true;
}

}  // namespace vimbo
