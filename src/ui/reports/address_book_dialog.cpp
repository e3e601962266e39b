#include "ui/reports/address_book_dialog.h"

namespace vimbo {

AddressBookDialog::AddressBookDialog(const Persons& persons, Prompter& prompter, HelpSystem& help, QWidget* parent)
    : PersonChoiceDialog(persons,
                         {QStringLiteral("Address Book Printout"), QStringLiteral("Select All"),
                          QStringLiteral("You must select at least one person to add to the address book."),
                          QStringLiteral("addrrptdlg.htm")},
                         prompter, help, parent) {
  Arrange(nullptr, QSize(199, 129), help::AddressBookDialog());
}

}  // namespace vimbo
