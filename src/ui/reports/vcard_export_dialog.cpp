#include "ui/reports/vcard_export_dialog.h"

#include <QCheckBox>
#include <QListWidget>

namespace vimbo {

VCardExportDialog::VCardExportDialog(const Persons& persons, Prompter& prompter, HelpSystem& help, QWidget* parent)
    : PersonChoiceDialog(persons,
                         {QStringLiteral("Export vCard"), QStringLiteral("Select &All"),
                          QStringLiteral("You must select at least one person to export."),
                          QStringLiteral("vcard.htm")},
                         prompter, help, parent) {
  Arrange(nullptr, QSize(199, 129), help::VCardExportDialog());
  // Most exports take the whole address book along.
  List()->selectAll();
  SelectAllBox()->setChecked(true);
}

}  // namespace vimbo
