#include "core/records/records.h"

namespace vimbo {

std::string Person::DisplayName() const {
  std::string name;
  AppendDisplayName(name);
  return name;
}

void Person::AppendDisplayName(std::string& out) const {
  if (!LName.empty()) {
    out.append(LName.view());
    if (!FName.empty()) out.append(", ").append(FName.view());
  } else {
    out.append(FName.empty() ? Company.view() : FName.view());
  }
}

}  // namespace vimbo
