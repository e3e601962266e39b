#pragma once
// "Address Book Printout": the persons whose addresses to print.

#include "ui/reports/person_choice_dialog.h"

namespace vimbo {

class AddressBookDialog : public PersonChoiceDialog {
  Q_OBJECT
 public:
  AddressBookDialog(const Persons& persons, Prompter& prompter, HelpSystem& help, QWidget* parent = nullptr);
};

}  // namespace vimbo
