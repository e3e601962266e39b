#pragma once
// The labels of phones, e-mail addresses and postal addresses as address
// books' type columns write them ("Mobile", "* Work", "Home Fax") and as a
// person keeps them: the lower-case card type words ("cell", "work",
// "home,fax").

#include <string>
#include <string_view>

#include "core/records/records.h"

namespace vimbo {

// The label of a value whose type column says `type`. A leading "*" (the
// mark of the preferred value) and the case do not count.
std::string LabelOfType(std::string_view type);

// The type column's text for a label, as address books write it: "cell" is
// "Mobile", "work,fax" is "Work Fax"; a label without such a name as it is.
std::string TypeOfLabel(std::string_view label);

// The field of the seventeen that the first phone with the label goes to:
// Phone for a home phone or one without a type, WkPhone, CelPhone, Pager or
// Fax; null for a phone that is always a detail ("main", "other").
CompactText Person::*PhoneFieldOfLabel(std::string_view label);

// Whether the label holds the word ("home" in "home,fax").
bool LabelHas(std::string_view label, std::string_view word);

}  // namespace vimbo
