#pragma once
// The form's selectors keep their entries in alphabetical order, ignoring
// case, whatever order the records come in.

#include <QString>
#include <cstdint>
#include <vector>

class QComboBox;

namespace vimbo {

struct ComboEntry {
  QString text;
  int32_t id = 0;
};

// Replaces the entries of `combo` by `entries` in the locale's
// case-insensitive order of their texts (equal texts keep their given
// order), each carrying its id as item data, and leaves none selected.
void FillSorted(QComboBox& combo, std::vector<ComboEntry> entries);

// Inserts one entry where FillSorted would have put it among the present
// ones (equal texts in the order of their ids) and returns its position.
int InsertSorted(QComboBox& combo, const ComboEntry& entry);

}  // namespace vimbo
