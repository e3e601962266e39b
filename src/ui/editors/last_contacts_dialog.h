#pragma once
// Every person with their last contact, the longest ago first: whom the
// owner has not been in touch with for a while. A click on a heading sorts
// by that column; Enter or a double click shows the person on the form.

#include <QDialog>
#include <cstdint>

class QTreeView;

namespace vimbo {

class LastContactsModel;
struct DocumentData;

class LastContactsDialog : public QDialog {
  Q_OBJECT

 public:
  LastContactsDialog(const DocumentData& data, int64_t today, QWidget* parent = nullptr);

  // The person picked; 0 for none.
  int32_t ChosenPerson() const { return chosen_; }
  QTreeView* List() const { return list_; }

 private:
  void Pick();

  QTreeView* list_;
  LastContactsModel* model_;
  int32_t chosen_ = 0;
};

}  // namespace vimbo
