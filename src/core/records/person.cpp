#include "core/records/records.h"

#include <algorithm>

namespace vimbo {

std::string Person::DisplayName() const {
  std::string name;
  AppendDisplayName(name);
  return name;
}

std::array<const CompactText*, 2> Person::DisplayNameParts() const {
  if (!LName.empty()) return {&LName, FName.empty() ? nullptr : &FName};
  if (!FName.empty()) return {&FName, nullptr};
  // A card may name nobody and still give a way to reach someone; the
  // person is then listed by what there is.
  for (const CompactText* field : {&Company, &EMail, &CelPhone, &Phone, &WkPhone, &Pager, &Fax, &WebPage})
    if (!field->empty()) return {field, nullptr};
  return {&Company, nullptr};
}

void Person::AppendDisplayName(std::string& out) const {
  const auto [first, second] = DisplayNameParts();
  out.append(first->view());
  if (second) out.append(", ").append(second->view());
}

namespace {

bool HoldsOnlyACountry(const PersonDetail& detail) {
  return detail.kind == DetailKind::kAddress && detail.street.empty() && detail.city.empty() && detail.region.empty() &&
         detail.postalCode.empty() && detail.value.empty();
}

}  // namespace

std::string_view Person::Country() const {
  for (const PersonDetail& detail : Details)
    if (HoldsOnlyACountry(detail)) return detail.country;
  return {};
}

void Person::SetCountry(std::string_view country) {
  const auto held = std::find_if(Details.begin(), Details.end(), HoldsOnlyACountry);
  if (held != Details.end()) {
    if (country.empty())
      Details.erase(held);
    else
      held->country = country;
    return;
  }
  if (country.empty()) return;
  PersonDetail detail;
  detail.kind = DetailKind::kAddress;
  detail.country = country;
  Details.insert(Details.begin(), std::move(detail));
}

}  // namespace vimbo
