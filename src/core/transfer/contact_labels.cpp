#include "core/transfer/contact_labels.h"

#include <array>

#include "core/records/text_rules.h"

namespace vimbo {
namespace {

struct TypeName {
  std::string_view label;
  std::string_view type;
};

// The first type for a label is the one written; the others are read too.
constexpr std::array<TypeName, 13> kTypeNames = {{
    {"cell", "Mobile"},
    {"cell", "Cell"},
    {"work,fax", "Work Fax"},
    {"work,fax", "Business Fax"},
    {"home,fax", "Home Fax"},
    {"other,fax", "Other Fax"},
    {"work", "Work"},
    {"work", "Business"},
    {"home", "Home"},
    {"pager", "Pager"},
    {"other", "Other"},
    {"main", "Main"},
    {"fax", "Fax"},
}};

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

}  // namespace

std::string LabelOfType(std::string_view type) {
  type = TrimView(type);
  while (type.starts_with('*')) type = TrimView(type.substr(1));
  for (const TypeName& name : kTypeNames)
    if (SameIgnoringCase(name.type, type)) return std::string(name.label);
  std::string lower(type);
  for (char& c : lower) c = Lower(c);
  return lower;
}

std::string TypeOfLabel(std::string_view label) {
  for (const TypeName& name : kTypeNames)
    if (name.label == label) return std::string(name.type);
  return std::string(label);
}

bool LabelHas(std::string_view label, std::string_view word) {
  while (!label.empty()) {
    const std::size_t comma = label.find(',');
    if (TrimView(label.substr(0, comma)) == word) return true;
    if (comma == std::string_view::npos) break;
    label.remove_prefix(comma + 1);
  }
  return false;
}

CompactText Person::*PhoneFieldOfLabel(std::string_view label) {
  if (LabelHas(label, "fax")) return &Person::Fax;
  if (LabelHas(label, "pager")) return &Person::Pager;
  if (LabelHas(label, "cell") || LabelHas(label, "mobile")) return &Person::CelPhone;
  if (LabelHas(label, "work")) return &Person::WkPhone;
  if (TrimView(label).empty() || LabelHas(label, "home") || LabelHas(label, "voice")) return &Person::Phone;
  return nullptr;
}

}  // namespace vimbo
