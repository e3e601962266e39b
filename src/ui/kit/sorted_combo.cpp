#include "ui/kit/sorted_combo.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace vimbo {

void FillSorted(QComboBox& combo, std::vector<ComboEntry> entries) {
  SortByName(entries);
  // Refilling is not a choice of the user's, so nobody hears of it.
  const QSignalBlocker blocker(combo);
  combo.clear();
  for (const ComboEntry& entry : entries) combo.addItem(entry.text, entry.id);
  combo.setCurrentIndex(-1);
}

}  // namespace vimbo
