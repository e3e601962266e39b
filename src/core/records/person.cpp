#include "core/records/records.h"

namespace vimbo {

std::string Person::DisplayName() const {
  std::string name;
  AppendDisplayName(name);
  return name;
}

std::array<const CompactText*, 2> Person::DisplayNameParts() const {
  if (!LName.empty()) return {&LName, FName.empty() ? nullptr : &FName};
  return {FName.empty() ? &Company : &FName, nullptr};
}

void Person::AppendDisplayName(std::string& out) const {
  const auto [first, second] = DisplayNameParts();
  out.append(first->view());
  if (second) out.append(", ").append(second->view());
}

}  // namespace vimbo
