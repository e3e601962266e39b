#pragma once
// The rows of the find bar's results: the persons found, in the selector's
// order, then the contacts found, the newest first. A query may find a
// million contacts, so the model keeps their IDs and formats a row only
// when the view shows it.

#include <QAbstractListModel>
#include <cstdint>

#include "core/find/find.h"
#include "ui/kit/form_text.h"

namespace vimbo {

struct DocumentData;

class FindResultsModel : public QAbstractListModel {
 public:
  using QAbstractListModel::QAbstractListModel;

  // Lists `results` of `data`, which must outlive the model or the next Show
  // or Clear; the persons already in the order to list.
  void Show(const DocumentData& data, FindResults results);
  void Clear();

  // What a row stands for: a person alone, or a contact and its person.
  struct Target {
    int32_t personId = 0;
    int32_t contactId = 0;
  };
  // Zeros for a row that is not there or whose record has gone.
  Target TargetAt(int row) const;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  QString PersonName(int32_t personId) const;

  const DocumentData* data_ = nullptr;
  FindResults results_;
  FormDateTimeText dateTimeText_;
};

}  // namespace vimbo
