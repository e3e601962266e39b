#pragma once
// The columns of the text transfers under their keys, in the order the
// wizard offers them. Export, the wizard's settings, the import and
// vimbo-cli all take their keys from here. The person keys cover every
// person field: the first eleven are the ones files of earlier versions
// hold, in their order; the rest come after them, so those files and the
// scripts that read them keep their columns.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/records/document_data.h"

namespace vimbo {

struct PersonKey {
  std::string_view key;
  CompactText Person::*member;
  // A non-empty first name, last name or company is what makes an imported
  // line a person.
  bool namesPerson;
};

inline constexpr std::array<PersonKey, 17> kPersonKeys{{
    {"FirstName", &Person::FName, true},
    {"LastName", &Person::LName, true},
    {"Address", &Person::Address, false},
    {"City", &Person::City, false},
    {"State", &Person::State, false},
    {"ZipCode", &Person::Zip, false},
    {"Phone", &Person::Phone, false},
    {"Fax", &Person::Fax, false},
    {"E-Mail", &Person::EMail, false},
    {"Company", &Person::Company, true},
    {"Position", &Person::Position, false},
    {"Title", &Person::Title, false},
    {"WorkPhone", &Person::WkPhone, false},
    {"Extension", &Person::WkExt, false},
    {"CelPhone", &Person::CelPhone, false},
    {"Pager", &Person::Pager, false},
    {"WebPage", &Person::WebPage, false},
}};

// What a contact column holds: a field of the contact, of its person or of
// its type.
enum class ContactField { kFirstName, kLastName, kDate, kTime, kDescription, kContactType };

struct ContactKey {
  std::string_view key;
  ContactField field;
};

inline constexpr std::array<ContactKey, 6> kContactKeys{{
    {"FirstName", ContactField::kFirstName},
    {"LastName", ContactField::kLastName},
    {"Date", ContactField::kDate},
    {"Time", ContactField::kTime},
    {"Description", ContactField::kDescription},
    {"ContactType", ContactField::kContactType},
}};

// The person key named `key`; none for a key no person column has.
const PersonKey* FindPersonKey(std::string_view key);

std::vector<std::string> PersonKeyNames();
std::vector<std::string> ContactKeyNames();

}  // namespace vimbo
