#pragma once
// The form's selectors keep their entries in the program's name order
// (gfx/name_order.h), whatever order the records come in.

#include <vector>

#include "gfx/name_order.h"

class QComboBox;

namespace vimbo {

using ComboEntry = NamedEntry;

// Replaces the entries of `combo` by `entries` (given in ascending id
// order) in name order, each carrying its id as item data, and leaves none
// selected.
void FillSorted(QComboBox& combo, std::vector<ComboEntry> entries);

}  // namespace vimbo
