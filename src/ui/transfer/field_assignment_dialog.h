#pragma once
// "Fields": which field of the record one column of an imported file goes
// into, or that the column is left out.

#include <QDialog>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QPushButton;

namespace vimbo {

class HelpSystem;

class FieldAssignmentDialog : public QDialog {
  Q_OBJECT

 public:
  // `assigned` is the column's current key, empty for none: it is
  // preselected and the box checked.
  FieldAssignmentDialog(const std::vector<std::string>& keys, const std::string& assigned, HelpSystem& help,
                        QWidget* parent = nullptr);

  // The chosen key's position in `keys`, -1 for none.
  int SelectedIndex() const;
  bool ImportField() const;

  QComboBox* Keys() const { return keys_; }
  QCheckBox* ImportBox() const { return import_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }

 private:
  QComboBox* keys_;
  QCheckBox* import_;
  QPushButton* ok_;
  QPushButton* cancel_;
};

}  // namespace vimbo
