#include "core/records/records.h"

namespace vimbo {

std::string Person::DisplayName() const {
  if (!LName.empty()) return FName.empty() ? LName : LName + ", " + FName;
  if (!FName.empty()) return FName;
  return Company;
}

}  // namespace vimbo
