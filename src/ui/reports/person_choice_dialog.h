#pragma once
// What the report dialogs share: the list of persons to include with
// its "Select All" box, the OK, Cancel and Help buttons, and the rule that
// OK needs at least one selected person. A report adds its own column of
// choices between the persons and the buttons.

#include <QDialog>
#include <QString>
#include <cstdint>
#include <map>

#include "core/records/document_data.h"
#include "ui/kit/dialog_units.h"
#include "ui/kit/help_maps.h"

class QCheckBox;
class QGroupBox;
class QListWidget;
class QPushButton;

namespace vimbo {

class HelpSystem;
class Prompter;

class PersonChoiceDialog : public QDialog {
  Q_OBJECT
 public:
  // The chosen persons in ascending ID, whatever their order in the list.
  const std::map<int32_t, Person>& Result() const { return result_; }

  QListWidget* List() const { return list_; }
  QCheckBox* SelectAllBox() const { return selectAll_; }
  QGroupBox* PersonsGroup() const { return personsGroup_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }
  QPushButton* HelpButton() const { return helpButton_; }

  void accept() override;

 protected:
  struct Texts {
    QString title;
    QString selectAll;    // the box's text, with or without a mnemonic
    QString noSelection;  // what OK says when nobody is selected
    QString helpPage;     // the page the Help button opens
  };

  PersonChoiceDialog(const Persons& persons, const Texts& texts, Prompter& prompter, HelpSystem& help, QWidget* parent);

  // Puts the persons, `choices` (may be null) and the buttons side by side,
  // sizes the dialog to at least `size` dialog units and installs the F1
  // help of `map`. Call once, after the report's own controls exist, so the
  // tab order runs from the list through the choices to the buttons.
  void Arrange(QWidget* choices, QSize size, help::HelpMap map);

  // Takes over the report's own choices once OK is accepted.
  virtual void ReadChoices() {}

  const DialogUnits& Units() const { return units_; }

 private:
  void FillList();

  const Persons persons_;
  const Texts texts_;
  Prompter& prompter_;
  HelpSystem& help_;
  const DialogUnits units_;
  std::map<int32_t, Person> result_;
  QGroupBox* personsGroup_ = nullptr;
  QListWidget* list_ = nullptr;
  QCheckBox* selectAll_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QPushButton* helpButton_ = nullptr;
};

}  // namespace vimbo
