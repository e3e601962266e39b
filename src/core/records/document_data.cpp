#include "core/records/document_data.h"

namespace vimbo {
namespace {

template <typename Records>
void ClearCollection(Records& collection) {
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

}  // namespace vimbo
