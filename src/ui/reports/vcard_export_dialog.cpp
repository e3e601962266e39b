#include "ui/reports/vcard_export_dialog.h"

#include <QCheckBox>

namespace vimbo {

VCardExportDialog::VCardExportDialog(const Persons& persons, Prompter& prompter, HelpSystem& help, QWidget* parent)
    : PersonChoiceDialog(
          persons,
          {QStringLiteral("Export vCard"), QStringLiteral("Select &All"),
           QStringLiteral("You must select at least one person to export."), QStringLiteral("vcard.htm")},
          prompter, help, parent) {
  Arrange(nullptr, QSize(199, 129), help::VCardExportDialog());
  // Most exports take the whole address book along: the box starts ticked,
  // and ticking it selects every person.
  SelectAllBox()->setChecked(true);
}

}  // namespace vimbo
