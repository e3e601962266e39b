#pragma once
// The rows of the form's contacts list: one person's contacts, latest first.
// A person may have logged tens of thousands of contacts, so the model keeps
// only their IDs in display order and formats a row when the view asks for
// it, which it does for the rows on screen.

#include <QAbstractTableModel>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "ui/kit/form_text.h"

namespace vimbo {

struct DocumentData;

class ContactsListModel : public QAbstractTableModel {
 public:
  // The item data of every cell: the contact's ID.
  static constexpr int kContactIdRole = Qt::UserRole;

  using QAbstractTableModel::QAbstractTableModel;

  // Lists the contacts of `personId` in `data`, which must outlive the
  // model or the next Fill or Clear: latest first, and contacts of the same
  // moment in the order of their IDs.
  void Fill(const DocumentData& data, int32_t personId);
  // Lists nothing and forgets the document.
  void Clear();
  // The document's contacts changed: the orders worked out before no
  // longer hold.
  void ForgetOrders() { orders_.clear(); }

  // 0 for a row that is not there.
  int32_t ContactIdAt(int row) const;
  // -1 when the contact is not listed.
  int RowOf(int32_t contactId) const;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

 private:
  const DocumentData* data_ = nullptr;
  std::vector<int32_t> ids_;
  // The display order of each long list shown since the contacts last
  // changed, so that going back to a person with thousands of contacts
  // does not sort them again.
  std::unordered_map<int32_t, std::vector<int32_t>> orders_;
  FormDateTimeText dateTimeText_;
};

}  // namespace vimbo
