#include "views/sorted_combo.h"

#include <QCollator>
#include <QComboBox>
#include <QSignalBlocker>
#include <algorithm>

namespace vimbo {

void FillSorted(QComboBox& combo, std::vector<ComboEntry> entries) {
  QCollator collator;
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  std::stable_sort(entries.begin(), entries.end(), [&](const ComboEntry& a, const ComboEntry& b) {
    return collator.compare(a.text, b.text) < 0;
  });

  // Refilling is not a choice of the user's, so nobody hears of it.
  const QSignalBlocker blocker(combo);
  combo.clear();
  for (const ComboEntry& entry : entries) combo.addItem(entry.text, entry.id);
  combo.setCurrentIndex(-1);
}

}  // namespace vimbo
