#include "core/records/records.h"

namespace vimbo {

std::string Person::DisplayName() const {
  if (!LName.empty()) {
    if (FName.empty()) return LName.str();
    std::string name;
    name.reserve(LName.size() + 2 + FName.size());
    return name.append(LName.view()).append(", ").append(FName.view());
  }
  if (!FName.empty()) return FName.str();
  return Company.str();
}

}  // namespace vimbo
