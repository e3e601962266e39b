#pragma once
// The text fields of the person and user records under their names in the
// document file, in the order the file writes them. The loader, the writer
// and the undo history's size count all walk these tables, so a field is
// named in one place.

#include <string>
#include <string_view>

#include "core/records/records.h"

namespace vimbo {

template <typename Record>
struct RecordField {
  std::string_view fileName;
  CompactText Record::*member;
};

inline constexpr RecordField<User> kUserFields[] = {
    {"Title", &User::Title},       {"FName", &User::FName},     {"LName", &User::LName},
    {"Address", &User::Address},   {"City", &User::City},       {"State", &User::State},
    {"Zip", &User::Zip},           {"HmPhone", &User::HmPhone}, {"CelPhone", &User::CelPhone},
    {"WkPhone", &User::WkPhone},   {"WkExt", &User::WkExt},     {"Fax", &User::Fax},
    {"EMail", &User::EMail},       {"WebPage", &User::WebPage}, {"Company", &User::Company},
    {"Position", &User::Position},
};

inline constexpr RecordField<Person> kPersonFields[] = {
    {"Title", &Person::Title},     {"FName", &Person::FName},       {"LName", &Person::LName},
    {"Address", &Person::Address}, {"City", &Person::City},         {"State", &Person::State},
    {"Zip", &Person::Zip},         {"Phone", &Person::Phone},       {"WkPhone", &Person::WkPhone},
    {"WkExt", &Person::WkExt},     {"Pager", &Person::Pager},       {"CelPhone", &Person::CelPhone},
    {"Fax", &Person::Fax},         {"EMail", &Person::EMail},       {"WebPage", &Person::WebPage},
    {"Company", &Person::Company}, {"Position", &Person::Position},
};

}  // namespace vimbo
