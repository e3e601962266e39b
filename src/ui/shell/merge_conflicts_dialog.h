#pragma once
// What a merge could not join by itself, one row a conflict: the record
// and whom it is about, the field, the value kept and the other one. The document already holds
// the kept values; the list tells the user where to look.

#include <QDialog>
#include <vector>

#include "core/editing/merge_conflict.h"
#include "core/records/document_data.h"

class QTreeWidget;

namespace vimbo {

class MergeConflictsDialog : public QDialog {
  Q_OBJECT
 public:
  // `merged` is the document after the merge, which names the records.
  MergeConflictsDialog(const std::vector<MergeConflict>& conflicts, const DocumentData& merged,
                       QWidget* parent = nullptr);

  QTreeWidget* List() const { return list_; }

 private:
  QTreeWidget* list_;
};

}  // namespace vimbo
