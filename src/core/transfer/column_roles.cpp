#include "core/transfer/column_roles.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <iterator>

namespace vimbo {
namespace {

struct GroupKind {
  std::string_view name;
  std::string_view comparable;
  DetailKind kind;
};

// An event ("Anniversary") is read as a custom value, which the import
// turns into the date it names.
constexpr std::array<GroupKind, 8> kGroupKinds = {{
    {"Phone", "phone", DetailKind::kPhone},
    {"E-mail", "email", DetailKind::kEmail},
    {"Website", "website", DetailKind::kUrl},
    {"Address", "address", DetailKind::kAddress},
    {"Organization", "organization", DetailKind::kOrg},
    {"IM", "im", DetailKind::kIm},
    {"Custom Field", "customfield", DetailKind::kCustom},
    {"Event", "event", DetailKind::kCustom},
}};

struct PartName {
  std::string_view name;
  std::string_view comparable;
  GroupPart part;
};

constexpr std::array<PartName, 12> kPartNames = {{
    {"Value", "value", GroupPart::kValue},
    {"Street", "street", GroupPart::kStreet},
    {"City", "city", GroupPart::kCity},
    {"Region", "region", GroupPart::kRegion},
    {"Postal Code", "postalcode", GroupPart::kPostalCode},
    {"Country", "country", GroupPart::kCountry},
    {"PO Box", "pobox", GroupPart::kPoBox},
    {"Extended Address", "extendedaddress", GroupPart::kExtended},
    {"Formatted", "formatted", GroupPart::kFormatted},
    {"Name", "name", GroupPart::kName},
    {"Title", "title", GroupPart::kTitle},
    {"Department", "department", GroupPart::kDepartment},
}};

constexpr std::string_view kTypeName = "Type";

struct SimpleKey {
  std::string_view key;
  ColumnUse use;
  std::string_view label;
};

constexpr std::array<SimpleKey, 8> kSimpleKeys = {{
    {"Name", ColumnUse::kFullName, {}},
    {"Middle Name", ColumnUse::kNamePart, kMiddleLabel},
    {"Name Suffix", ColumnUse::kNamePart, kSuffixLabel},
    {"Nickname", ColumnUse::kNamePart, kNicknameLabel},
    {"Birthday", ColumnUse::kBirthday, {}},
    {"Anniversary", ColumnUse::kAnniversary, {}},
    {"Notes", ColumnUse::kNotes, {}},
    {"Country", ColumnUse::kCountry, {}},
}};

// Whether a group of the kind has the part: an address its parts, an
// organisation its name, title and department, the others a value.
bool KindHasPart(DetailKind kind, GroupPart part) {
  switch (kind) {
    case DetailKind::kAddress: return part >= GroupPart::kStreet && part <= GroupPart::kFormatted;
    case DetailKind::kOrg: return part >= GroupPart::kName;
    default: return part == GroupPart::kValue;
  }
}

const GroupKind* KindOf(DetailKind kind) {
  const auto found =
      std::find_if(kGroupKinds.begin(), kGroupKinds.end(), [&](const GroupKind& entry) { return entry.kind == kind; });
  return found == kGroupKinds.end() ? nullptr : &*found;
}

const PartName& NameOf(GroupPart part) { return kPartNames[static_cast<std::size_t>(part)]; }

// The number at the end of `text` after a space, taken off it; 0 for none.
int TakeNumber(std::string_view& text) {
  const std::size_t space = text.rfind(' ');
  if (space == std::string_view::npos) return 0;
  int number = 0;
  const char* end = text.data() + text.size();
  const auto [at, error] = std::from_chars(text.data() + space + 1, end, number);
  if (error != std::errc() || at != end || number <= 0) return 0;
  text = text.substr(0, space);
  return number;
}

std::string KeyOf(const GroupKind& group, int number, std::string_view label, std::optional<GroupPart> part) {
  std::string key(group.name);
  if (number > 0) key += " " + std::to_string(number);
  if (!label.empty()) key.append(" (").append(label).append(")");
  if (!part) {
    key.append(" - ").append(kTypeName);
  } else if (number > 0 || *part != GroupPart::kValue) {
    key.append(" - ").append(NameOf(*part).name);
  }
  return key;
}

}  // namespace

std::string GroupKey(DetailKind kind, int number, std::string_view label, std::optional<GroupPart> part) {
  const GroupKind* group = KindOf(kind);
  return group ? KeyOf(*group, number, label, part) : std::string();
}

ColumnRole RoleOfKey(std::string_view key) {
  ColumnRole role;
  if (const PersonKey* field = FindPersonKey(key)) {
    role.use = ColumnUse::kField;
    role.field = field;
    return role;
  }
  for (const SimpleKey& simple : kSimpleKeys) {
    if (simple.key != key) continue;
    role.use = simple.use;
    role.label = simple.label;
    return role;
  }
  // KIND [NUMBER] [(LABEL)] [- PART]
  std::string_view head = key;
  std::string_view partName = "Value";
  if (const std::size_t dash = key.rfind(" - "); dash != std::string_view::npos) {
    head = key.substr(0, dash);
    partName = key.substr(dash + 3);
  }
  if (head.ends_with(')')) {
    const std::size_t open = head.rfind(" (");
    if (open == std::string_view::npos) return {};
    role.label = head.substr(open + 2, head.size() - open - 3);
    head = head.substr(0, open);
  }
  const std::string_view kindName = head;
  const int number = TakeNumber(head);
  const auto kind =
      std::find_if(kGroupKinds.begin(), kGroupKinds.end(), [&](const GroupKind& entry) { return entry.name == head; });
  if (kind == kGroupKinds.end()) return {};
  role.kind = kind->kind;
  if (partName == kTypeName) {
    // Only a numbered group takes its type from a column.
    if (number == 0 || !role.label.empty()) return {};
    role.use = ColumnUse::kGroupType;
  } else {
    const auto part = std::find_if(kPartNames.begin(), kPartNames.end(),
                                   [&](const PartName& entry) { return entry.name == partName; });
    if (part == kPartNames.end() || !KindHasPart(role.kind, part->part)) return {};
    role.use = ColumnUse::kGroupPart;
    role.part = part->part;
  }
  // A labelled value of a phone, e-mail or web address is a value of its
  // own; the parts of an address or an organisation go together.
  const bool together = number > 0 || role.kind == DetailKind::kAddress || role.kind == DetailKind::kOrg;
  if (together) role.group = std::string(kindName) + (role.label.empty() ? "" : " (" + role.label + ")");
  return role;
}

std::string KeyOfNumberedHeading(std::string_view comparable) {
  for (const GroupKind& kind : kGroupKinds) {
    if (!comparable.starts_with(kind.comparable)) continue;
    std::string_view rest = comparable.substr(kind.comparable.size());
    int number = 0;
    const auto [at, error] = std::from_chars(rest.data(), rest.data() + rest.size(), number);
    if (error != std::errc() || number <= 0) continue;
    rest = rest.substr(static_cast<std::size_t>(at - rest.data()));
    if (rest == "type" || rest == "label") return KeyOf(kind, number, {}, std::nullopt);
    for (const PartName& part : kPartNames)
      if (rest == part.comparable && KindHasPart(kind.kind, part.part)) return KeyOf(kind, number, {}, part.part);
  }
  return {};
}

}  // namespace vimbo
