#include "views/sorted_combo.h"

#include <QCollator>
#include <QComboBox>
#include <QSignalBlocker>
#include <algorithm>

namespace vimbo {

namespace {

QCollator CaseInsensitiveCollator() {
  QCollator collator;
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  return collator;
}

}  // namespace

void FillSorted(QComboBox& combo, std::vector<ComboEntry> entries) {
  const QCollator collator = CaseInsensitiveCollator();
  std::stable_sort(entries.begin(), entries.end(), [&](const ComboEntry& a, const ComboEntry& b) {
    return collator.compare(a.text, b.text) < 0;
  });

  // Refilling is not a choice of the user's, so nobody hears of it.
  const QSignalBlocker blocker(combo);
  combo.clear();
  for (const ComboEntry& entry : entries) combo.addItem(entry.text, entry.id);
  combo.setCurrentIndex(-1);
}

int InsertSorted(QComboBox& combo, const ComboEntry& entry) {
  const QCollator collator = CaseInsensitiveCollator();
  int position = 0;
  while (position < combo.count()) {
    const int order = collator.compare(combo.itemText(position), entry.text);
    if (order > 0 || (order == 0 && combo.itemData(position).toInt() > entry.id)) break;
    ++position;
  }
  const QSignalBlocker blocker(combo);
  combo.insertItem(position, entry.text, entry.id);
  return position;
}

}  // namespace vimbo
