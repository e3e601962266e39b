// The text transfer commands of the main form: Import Persons and the two
// exports, each through the transfer wizard.

#include <QDialog>
#include <QFile>

#include "core/records/document_data.h"
#include "core/transfer/person_import.h"
#include "core/transfer/text_export.h"
#include "ui/document/document.h"
#include "ui/form/main_view.h"
#include "ui/kit/prompter.h"
#include "ui/transfer/text_transfer_wizard.h"

namespace vimbo {

void MainView::ImportPersonsCommand() {
  TextTransferSettings settings = PersonsImportSettings();
  TextTransferWizard wizard(settings, true, QStringLiteral("Import Person Information From Text File"), *prompter_,
                            *help_, window());
  if (prompter_->RunDialog(wizard) != QDialog::Accepted) return;

  const int added = ImportPersons(document_->Data(), settings);
  // One refresh for the whole file, the RefreshPersons below: a thousand
  // lines must not mean a thousand refills of the form, nor two.
  if (added > 0) document_->SetModified(true, false);
  prompter_->Message(this, QStringLiteral("%1 names added to current database.").arg(added),
                     QStringLiteral("Imported Names"), Prompter::Icon::Information, Prompter::Buttons::Ok);
  RefreshPersons();
}

void MainView::ExportCommand(bool persons) {
  TextTransferSettings settings = persons ? PersonsExportSettings() : ContactsExportSettings();
  const QString title = persons ? QStringLiteral("Export Person Information To Text File")
                                : QStringLiteral("Export Contact Information To Text File");
  TextTransferWizard wizard(settings, false, title, *prompter_, *help_, window());
  if (prompter_->RunDialog(wizard) != QDialog::Accepted) return;

  const DocumentData& data = document_->Data();
  const int lines = persons ? ExportPersons(data, settings) : ExportContacts(data, settings);
  // The command runs only while there is something to export, so no line
  // written means the file could not be written; the user must hear of it.
  if (lines == 0)
    prompter_->Message(this, QStringLiteral("Error saving %1.").arg(QFile::decodeName(QByteArray::fromStdString(settings.FileName))),
                       QStringLiteral("Vimbo"), Prompter::Icon::Error, Prompter::Buttons::Ok);
}

}  // namespace vimbo
