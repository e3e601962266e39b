#pragma once
// What an import column holds beyond one of the seventeen person fields: the
// keys that the matching of column headings gives to the columns of address
// books. A key reads as the column does in the wizard: "Birthday",
// "Phone (work)", "Address (home) - City", "Phone 1 - Type",
// "Organization 1 - Name". Numbered columns and columns of one address block
// make one value together; each other value column is a value of its own.

#include <optional>
#include <string>
#include <string_view>

#include "core/records/person_detail.h"
#include "core/transfer/transfer_keys.h"

namespace vimbo {

enum class ColumnUse : uint8_t {
  kNone,
  kField,     // one of the seventeen fields, as the key names it
  kFullName,  // the whole name, used when no first or last name is given
  kNamePart,  // a name detail: the label says which
  kBirthday,
  kAnniversary,
  kNotes,
  kCountry,    // the country of the address in the fields
  kGroupType,  // the type of a numbered group's values: "Phone 1 - Type"
  kGroupPart,  // a group's value, or a part of its address or organisation
};

// The parts a group column may hold.
enum class GroupPart : uint8_t {
  kValue,
  kStreet,
  kCity,
  kRegion,
  kPostalCode,
  kCountry,
  kPoBox,
  kExtended,
  kFormatted,
  kName,
  kTitle,
  kDepartment,
};

struct ColumnRole {
  ColumnUse use = ColumnUse::kNone;
  const PersonKey* field = nullptr;  // kField
  DetailKind kind = DetailKind::kCustom;
  GroupPart part = GroupPart::kValue;
  // A name part's label, or the label every value of the group has; empty
  // for a numbered group, whose type column gives it.
  std::string label;
  // Columns with the same group make one value (or, split, several); empty
  // for a value column of its own.
  std::string group;
};

// The role of a key; kNone for a key that names nothing to import.
ColumnRole RoleOfKey(std::string_view key);

// The key of a group column: "Phone 1 - Value" or "Phone 1 - Type" (no
// part) for a number, else "Phone (work)" or "Address (home) - City".
std::string GroupKey(DetailKind kind, int number, std::string_view label, std::optional<GroupPart> part);

// The key of a numbered heading ("phone2type", "address1postalcode": the
// heading as column matching compares it, in lower case without spaces and
// punctuation); empty for any other heading. "Label" stands for "Type".
std::string KeyOfNumberedHeading(std::string_view comparable);

}  // namespace vimbo
