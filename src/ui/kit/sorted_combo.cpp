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

int InsertSorted(QComboBox& combo, const ComboEntry& entry) {
  int position = 0;
  while (position < combo.count() &&
         !ListedBefore(entry, {combo.itemText(position), combo.itemData(position).toInt()}))
    ++position;
  const QSignalBlocker blocker(combo);
  combo.insertItem(position, entry.text, entry.id);
  return position;
}

}  // namespace vimbo
