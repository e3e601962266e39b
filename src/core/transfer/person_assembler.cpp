#include "core/transfer/person_assembler.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>

#include "core/records/date_time_text.h"
#include "core/records/text_rules.h"
#include "core/transfer/contact_labels.h"

namespace vimbo {
namespace {

// Address books write several values of one type into one cell.
constexpr std::string_view kMultiValueSeparator = " ::: ";

constexpr std::size_t kPartCount = static_cast<std::size_t>(GroupPart::kDepartment) + 1;
using Parts = std::array<std::string, kPartCount>;

std::string& PartOf(Parts& parts, GroupPart part) { return parts[static_cast<std::size_t>(part)]; }

void SplitMultiValue(std::string_view text, std::vector<std::string_view>& pieces) {
  pieces.clear();
  while (true) {
    const std::size_t at = text.find(kMultiValueSeparator);
    pieces.push_back(TrimView(text.substr(0, at)));
    if (at == std::string_view::npos) break;
    text.remove_prefix(at + kMultiValueSeparator.size());
  }
}

// The wizard shows these labels for empty columns of the first line.
std::string_view ValueOf(const std::vector<std::string>& values, std::size_t column) {
  if (column >= values.size()) return {};
  const std::string_view value = values[column];
  return value == "EMPTY FIELD" || value == "EOF" ? std::string_view() : value;
}

// A date as address books write it: "1980-04-12", "--04-12", or a regional
// form ("4/12/1980", "12.04.1980"). "0/0/00" is how some write no date at
// all. Nothing for text that is no date.
std::optional<PartialDate> DateOf(std::string_view text, bool& empty) {
  empty = text.find_first_not_of("0/.- ") == std::string_view::npos;
  if (empty) return std::nullopt;
  if (const auto date = PartialDate::Parse(text)) return date;
  DateTimeValue value;
  if (text.find_first_of("/.") == std::string_view::npos || !ParseDocumentDateText(text, value)) return std::nullopt;
  const SystemTime fields = value.ToSystemTime();
  return PartialDate{static_cast<int16_t>(fields.year), static_cast<uint8_t>(fields.month),
                     static_cast<uint8_t>(fields.day)};
}

// "555 0100 x12" or "555 0100 ext. 12": the number and the extension.
std::pair<std::string_view, std::string_view> SplitExtension(std::string_view phone) {
  const std::size_t digits = phone.find_last_not_of("0123456789");
  if (digits == std::string_view::npos || digits + 1 == phone.size()) return {phone, {}};
  std::string_view before = TrimView(phone.substr(0, digits + 1));
  for (const std::string_view mark : {"ext.", "ext", "x"}) {
    if (!before.ends_with(mark)) continue;
    const std::string_view number = TrimView(before.substr(0, before.size() - mark.size()));
    if (number.size() + mark.size() == before.size() || number.empty()) break;  // no space before the mark
    return {number, phone.substr(digits + 1)};
  }
  return {phone, {}};
}

// The street of an address with its further lines.
std::string StreetOf(const Parts& parts) {
  std::string street;
  for (const GroupPart part : {GroupPart::kStreet, GroupPart::kExtended, GroupPart::kPoBox}) {
    const std::string& line = parts[static_cast<std::size_t>(part)];
    if (line.empty()) continue;
    if (!street.empty()) street += '\n';
    street += line;
  }
  return street.empty() ? parts[static_cast<std::size_t>(GroupPart::kFormatted)] : street;
}

struct Address {
  std::string label;
  Parts parts;
};

}  // namespace

// Where each value of a record goes, one record at a time.
class PersonAssembler::Placement {
 public:
  explicit Placement(Person& person) : person_(person) {}

  bool contactNamed = false;

  void Put(DetailKind kind, const std::string& label, Parts& parts) {
    const std::string& value = PartOf(parts, GroupPart::kValue);
    switch (kind) {
      case DetailKind::kPhone: PutPhone(label, value); break;
      case DetailKind::kEmail: PutFirstOrDetail(&Person::EMail, kind, label, value); break;
      case DetailKind::kUrl: PutFirstOrDetail(&Person::WebPage, kind, label, value); break;
      case DetailKind::kAddress:
        if (!std::all_of(parts.begin(), parts.end(), [](const std::string& part) { return part.empty(); }))
          addresses_.push_back({label, std::move(parts)});
        break;
      case DetailKind::kOrg: PutOrganization(label, parts); break;
      case DetailKind::kCustom:
        if (!PutEvent(label, value) && !value.empty()) person_.Details.push_back(PersonDetail::Of(kind, label, value));
        break;
      default:
        if (!value.empty()) person_.Details.push_back(PersonDetail::Of(kind, label, value));
        break;
    }
  }

  // A birthday or anniversary that a typed column holds goes to its date
  // while that is free.
  bool PutEvent(std::string_view label, std::string_view value) {
    const std::string type = LabelOfType(label);
    PartialDate* field = type == "anniversary" ? &person_.Anniversary
                         : type == "birthday"  ? &person_.Birthday
                                               : nullptr;
    if (!field || field->IsSet()) return false;
    bool noDate = false;
    const std::optional<PartialDate> date = DateOf(value, noDate);
    if (date) *field = *date;
    return date || noDate;
  }

  // The home address, or one without a type, else the first, fills the
  // address fields unless a column of its own filled them; the others
  // become details.
  void PutAddresses() {
    const bool fieldsFree =
        person_.Address.empty() && person_.City.empty() && person_.State.empty() && person_.Zip.empty();
    std::size_t main = addresses_.size();
    if (fieldsFree && !addresses_.empty()) {
      const auto home = std::find_if(addresses_.begin(), addresses_.end(), [](const Address& address) {
        return address.label.empty() || LabelHas(address.label, "home");
      });
      main = home == addresses_.end() ? 0 : static_cast<std::size_t>(home - addresses_.begin());
    }
    for (std::size_t i = 0; i < addresses_.size(); ++i) {
      Parts& parts = addresses_[i].parts;
      if (i == main) {
        person_.Address = StreetOf(parts);
        person_.City = PartOf(parts, GroupPart::kCity);
        person_.State = PartOf(parts, GroupPart::kRegion);
        person_.Zip = PartOf(parts, GroupPart::kPostalCode);
        person_.SetCountry(PartOf(parts, GroupPart::kCountry));
        continue;
      }
      PersonDetail detail = PersonDetail::Of(DetailKind::kAddress, addresses_[i].label, {});
      detail.street = StreetOf(parts);
      detail.city = PartOf(parts, GroupPart::kCity);
      detail.region = PartOf(parts, GroupPart::kRegion);
      detail.postalCode = PartOf(parts, GroupPart::kPostalCode);
      detail.country = PartOf(parts, GroupPart::kCountry);
      person_.Details.push_back(std::move(detail));
    }
  }

 private:
  void PutFirstOrDetail(CompactText Person::*field, DetailKind kind, std::string_view label, std::string_view value) {
    if (value.empty()) return;
    contactNamed = true;
    if (field && (person_.*field).empty()) {
      person_.*field = value;
    } else {
      person_.Details.push_back(PersonDetail::Of(kind, label, value));
    }
  }

  void PutPhone(std::string_view label, std::string_view value) {
    CompactText Person::*field = PhoneFieldOfLabel(label);
    if (field == &Person::WkPhone && person_.WkPhone.empty() && person_.WkExt.empty()) {
      const auto [number, extension] = SplitExtension(value);
      person_.WkExt = extension;
      value = number;
    }
    PutFirstOrDetail(field, DetailKind::kPhone, label, value);
  }

  void PutOrganization(std::string_view label, const Parts& parts) {
    const std::string& name = parts[static_cast<std::size_t>(GroupPart::kName)];
    const std::string& title = parts[static_cast<std::size_t>(GroupPart::kTitle)];
    const std::string& unit = parts[static_cast<std::size_t>(GroupPart::kDepartment)];
    if (!name.empty()) {
      if (person_.Company.empty()) {
        person_.Company = name;
      } else {
        person_.Details.push_back(PersonDetail::Of(DetailKind::kOrg, label, name));
      }
    }
    if (!title.empty()) {
      if (person_.Position.empty()) {
        person_.Position = title;
      } else {
        person_.Details.push_back(PersonDetail::Of(DetailKind::kCustom, "TITLE", title));
      }
    }
    if (!unit.empty()) person_.Details.push_back(PersonDetail::Of(DetailKind::kOrg, kUnitLabel, unit));
  }

  Person& person_;
  std::vector<Address> addresses_;
};

namespace {

// What the columns of one value each leave for the end of a record.
struct Singles {
  bool named = false;
  std::string_view fullName;
  std::string_view country;
};

void PutDate(PartialDate& field, std::string_view value, std::string_view key, Person& person) {
  value = TrimView(value);
  if (value.empty()) return;
  bool noDate = false;
  const std::optional<PartialDate> date = DateOf(value, noDate);
  if (date && !field.IsSet()) {
    field = *date;
  } else if (!noDate) {
    // Text that is no date is kept under its column's name.
    person.Details.push_back(PersonDetail::Of(DetailKind::kCustom, key, value));
  }
}

void PutSingle(const ColumnRole& role, std::string_view key, std::string_view value, Person& person, Singles& singles) {
  switch (role.use) {
    case ColumnUse::kField: {
      const PersonKey& field = *role.field;
      // A non-empty first name, last name or company is what names a
      // person, even one of white space only.
      if (field.namesPerson && value.empty()) break;
      const bool trimmed = field.member == &Person::FName || field.member == &Person::LName;
      person.*field.member = trimmed ? TrimView(value) : value;
      singles.named |= field.namesPerson;
      break;
    }
    case ColumnUse::kFullName: singles.fullName = TrimView(value); break;
    case ColumnUse::kNamePart:
      value = TrimView(value);
      if (!value.empty()) person.Details.push_back(PersonDetail::Of(DetailKind::kName, role.label, value));
      break;
    case ColumnUse::kBirthday: PutDate(person.Birthday, value, key, person); break;
    case ColumnUse::kAnniversary: PutDate(person.Anniversary, value, key, person); break;
    case ColumnUse::kNotes:
      if (value.empty()) break;
      person.Notes = person.Notes.empty() ? std::string(value) : person.Notes + "\n" + std::string(value);
      break;
    case ColumnUse::kCountry: singles.country = TrimView(value); break;
    default: break;
  }
}

// A whole name stands in for missing first and last names: its last word
// is the last name.
void PutFullName(std::string_view fullName, Person& person) {
  if (fullName.empty() || !person.FName.empty() || !person.LName.empty()) return;
  const std::size_t space = fullName.find_last_of(" \t");
  if (space == std::string_view::npos) {
    person.LName = fullName;
  } else {
    person.FName = TrimView(fullName.substr(0, space));
    person.LName = fullName.substr(space + 1);
  }
}

}  // namespace

PersonAssembler::PersonAssembler(const std::vector<std::string>& keys) : keys_(keys) {
  roles_.reserve(keys.size());
  std::map<std::string, std::size_t> groupOf;
  for (std::size_t column = 0; column < keys.size(); ++column) {
    ColumnRole role = keys[column].empty() ? ColumnRole() : RoleOfKey(keys[column]);
    plain_ = plain_ && (role.use == ColumnUse::kNone || role.use == ColumnUse::kField);
    if (role.use == ColumnUse::kGroupPart || role.use == ColumnUse::kGroupType) {
      std::size_t index = groups_.size();
      const auto [at, added] = role.group.empty() ? std::pair{groupOf.end(), true} : groupOf.emplace(role.group, index);
      if (added) {
        groups_.push_back({role.kind, role.label, -1, {}});
      } else {
        index = at->second;
      }
      Group& group = groups_[index];
      if (role.use == ColumnUse::kGroupType)
        group.typeColumn = static_cast<int>(column);
      else
        group.parts.emplace_back(column, role.part);
    }
    roles_.push_back(std::move(role));
  }
}

bool PersonAssembler::Fill(const std::vector<std::string>& values, Person& person) {
  Singles singles;
  for (std::size_t column = 0; column < roles_.size(); ++column)
    PutSingle(roles_[column], keys_[column], ValueOf(values, column), person, singles);
  Placement placement(person);
  for (const Group& group : groups_) PutGroup(group, values, placement);
  placement.PutAddresses();
  if (!singles.country.empty() && person.Country().empty()) person.SetCountry(singles.country);
  PutFullName(singles.fullName, person);
  return singles.named || placement.contactNamed || !person.FName.empty() || !person.LName.empty() ||
         !person.Company.empty();
}

void PersonAssembler::PutGroup(const Group& group, const std::vector<std::string>& values, Placement& placement) {
  if (pieces_.size() < group.parts.size()) pieces_.resize(group.parts.size());
  std::size_t count = 0;
  for (std::size_t i = 0; i < group.parts.size(); ++i) {
    SplitMultiValue(ValueOf(values, group.parts[i].first), pieces_[i]);
    // A value left empty counts for nothing.
    if (pieces_[i].size() > 1 || !pieces_[i][0].empty()) count = std::max(count, pieces_[i].size());
  }
  if (group.typeColumn >= 0) SplitMultiValue(ValueOf(values, static_cast<std::size_t>(group.typeColumn)), types_);
  for (std::size_t item = 0; item < count; ++item) {
    std::string label = group.label;
    if (group.typeColumn >= 0) {
      // One type for every value, or one per value.
      const std::string_view type = item < types_.size() ? types_[item] : types_.back();
      label = group.kind == DetailKind::kCustom ? std::string(type) : LabelOfType(type);
    }
    Parts parts;
    for (std::size_t i = 0; i < group.parts.size(); ++i) {
      if (item >= pieces_[i].size() || pieces_[i][item].empty()) continue;
      std::string& part = PartOf(parts, group.parts[i].second);
      // Street lines of several columns make one street.
      if (!part.empty()) part += '\n';
      part += pieces_[i][item];
    }
    placement.Put(group.kind, label, parts);
  }
}

}  // namespace vimbo
