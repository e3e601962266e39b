#pragma once
// "Export vCard": the persons to write as vCard cards, all chosen at first.

#include "ui/reports/person_choice_dialog.h"

namespace vimbo {

class VCardExportDialog : public PersonChoiceDialog {
  Q_OBJECT

 public:
  VCardExportDialog(const Persons& persons, Prompter& prompter, HelpSystem& help, QWidget* parent = nullptr);
};

}  // namespace vimbo
