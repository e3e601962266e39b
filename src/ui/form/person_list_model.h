#pragma once
// The entries of the person selector: every person's display name with the
// person's ID, in the program's name order. The combo box reads them
// straight from here, so a refill of a hundred thousand persons is one
// sort and no widget call per person.

#include <QAbstractListModel>
#include <cstdint>
#include <vector>

#include "gfx/name_order.h"

namespace vimbo {

class PersonListModel : public QAbstractListModel {
 public:
  // The item data of an entry: the person's ID.
  static constexpr int kPersonIdRole = Qt::UserRole;

  using QAbstractListModel::QAbstractListModel;

  // Replaces the entries by `entries`, given in ascending ID order.
  void Fill(std::vector<NamedEntry> entries);
  // Puts one entry where Fill would have put it among the present ones and
  // returns its row.
  int Insert(NamedEntry entry);
  void Remove(int row);

  // 0 for a row that is not there.
  int32_t IdAt(int row) const;
  // -1 when the person has no entry.
  int RowOf(int32_t id) const;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  // Whether `byId`, in ascending ID order, holds the entries listed now.
  bool Lists(const std::vector<NamedEntry>& byId) const;

  std::vector<NamedEntry> entries_;
};

}  // namespace vimbo
