#include "ui/form/person_list_model.h"

#include <algorithm>
#include <utility>

namespace vimbo {

void PersonListModel::Fill(std::vector<NamedEntry> entries) {
  // Most refills follow a change that left every name as it was (a contact
  // added, a type renamed); the entries are then kept, as sorting a hundred
  // thousand names again would hold the form up for a noticeable moment.
  if (Lists(entries)) return;
  SortByName(entries);
  beginResetModel();
  entries_ = std::move(entries);
  endResetModel();
}

// Fill, Insert and Remove keep the entries in the one order a fill gives,
// so the same entries in ID order mean the same list.
bool PersonListModel::Lists(const std::vector<NamedEntry>& byId) const {
  if (byId.size() != entries_.size()) return false;
  std::vector<const NamedEntry*> present;
  present.reserve(entries_.size());
  for (const NamedEntry& entry : entries_) present.push_back(&entry);
  std::sort(present.begin(), present.end(), [](const NamedEntry* a, const NamedEntry* b) { return a->id < b->id; });
  for (std::size_t i = 0; i < present.size(); ++i)
    if (present[i]->id != byId[i].id || present[i]->text != byId[i].text) return false;
  return true;
}

int PersonListModel::Insert(NamedEntry entry) {
  // The entries are in name order, so the place is found by halving.
  const auto at = std::partition_point(entries_.begin(), entries_.end(),
                                       [&](const NamedEntry& present) { return !ListedBefore(entry, present); });
  const int row = static_cast<int>(at - entries_.begin());
  beginInsertRows(QModelIndex(), row, row);
  entries_.insert(at, std::move(entry));
  endInsertRows();
  return row;
}

void PersonListModel::Remove(int row) {
  if (row < 0 || row >= rowCount()) return;
  beginRemoveRows(QModelIndex(), row, row);
  entries_.erase(entries_.begin() + row);
  endRemoveRows();
}

int32_t PersonListModel::IdAt(int row) const {
  return row >= 0 && row < rowCount() ? entries_[static_cast<std::size_t>(row)].id : 0;
}

int PersonListModel::RowOf(int32_t id) const {
  const auto found =
      std::find_if(entries_.begin(), entries_.end(), [id](const NamedEntry& entry) { return entry.id == id; });
  return found == entries_.end() ? -1 : static_cast<int>(found - entries_.begin());
}

int PersonListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

// The editable combo box reads its entries' texts in the edit role.
QVariant PersonListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const NamedEntry& entry = entries_[static_cast<std::size_t>(index.row())];
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: return entry.text;
    case kPersonIdRole: return entry.id;
    default: return {};
  }
}

}  // namespace vimbo
