#include "core/transfer/transfer_keys.h"

#include "core/records/date_time_text.h"

namespace vimbo {
namespace {

// A contact whose person or contact type has gone gets empty values in those
// columns rather than being left out, so every contact is written.
std::string PersonFirstName(const DocumentData& data, const Contact& c) {
  const Person* person = data.persons.Find(c.PersonID);
  return person ? person->FName : std::string();
}

std::string PersonLastName(const DocumentData& data, const Contact& c) {
  const Person* person = data.persons.Find(c.PersonID);
  return person ? person->LName : std::string();
}

std::string TypeDescription(const DocumentData& data, const Contact& c) {
  const ContactType* type = data.contactTypes.Find(c.ContactTypeID);
  return type ? type->Description : std::string();
}

template <typename Key, std::size_t N>
std::vector<std::string> Names(const std::array<Key, N>& keys) {
  std::vector<std::string> names;
  names.reserve(N);
  for (const Key& key : keys) names.emplace_back(key.key);
  return names;
}

}  // namespace

const std::array<ContactKey, 6> kContactKeys{{
    {"FirstName", PersonFirstName},
    {"LastName", PersonLastName},
    {"Date", [](const DocumentData&, const Contact& c) { return ShortDateText(c.DateTime); }},
    {"Time", [](const DocumentData&, const Contact& c) { return ShortTimeText(c.DateTime); }},
    {"Description", [](const DocumentData&, const Contact& c) { return c.Description; }},
    {"ContactType", TypeDescription},
}};

const PersonKey* FindPersonKey(std::string_view key) {
  for (const PersonKey& entry : kPersonKeys)
    if (entry.key == key) return &entry;
  return nullptr;
}

std::vector<std::string> PersonKeyNames() { return Names(kPersonKeys); }

std::vector<std::string> ContactKeyNames() { return Names(kContactKeys); }

}  // namespace vimbo
