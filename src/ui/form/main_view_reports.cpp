// The Reports commands of the main form: each dialog records the choice in
// the form's report selection, and the main window then opens the preview.

#include <QDialog>

#include "core/records/document_data.h"
#include "ui/document/document.h"
#include "ui/form/main_view.h"
#include "ui/kit/prompter.h"
#include "ui/reports/address_book_dialog.h"
#include "ui/reports/contacts_report_dialog.h"
#include "ui/reports/envelope_dialog.h"

namespace vimbo {

void MainView::AddressBookCommand() {
  AddressBookDialog dialog(document_->Data().persons, *prompter_, *help_, window());
  if (prompter_->RunDialog(dialog) != QDialog::Accepted) return;
  reportSelection_.chosenPersons = dialog.Result();
  reportSelection_.kind = ReportKind::AddressBook;
  emit PrintPreviewRequested();
}

void MainView::ContactsReportCommand() {
  ContactsReportDialog dialog(document_->Data().persons, *prompter_, *help_, window());
  if (prompter_->RunDialog(dialog) != QDialog::Accepted) return;
  reportSelection_.kind = ReportKind::Contacts;
  reportSelection_.chosenPersons = dialog.Result();
  reportSelection_.beginDate = dialog.BeginDate();
  reportSelection_.endDate = dialog.EndDate();
  emit PrintPreviewRequested();
}

void MainView::EnvelopesCommand() {
  EnvelopeDialog dialog(document_->Data().persons, reportSelection_.envelopeOptions, *prompter_, *help_, window());
  if (prompter_->RunDialog(dialog) != QDialog::Accepted) return;
  reportSelection_.envelopePersons.clear();
  for (const auto& [id, person] : dialog.Result()) reportSelection_.envelopePersons.push_back(person);
  reportSelection_.kind = ReportKind::Envelopes;
  reportSelection_.envelopeOptions = dialog.Options();
  emit PrintPreviewRequested();
}

}  // namespace vimbo
