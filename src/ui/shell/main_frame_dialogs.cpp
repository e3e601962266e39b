// The commands that open an editor, the transfer wizard or a report dialog
// over the document: each turns the dialog's result into a document
// operation, an export, or the report selection the preview prints.

#include <QDialog>
#include <QFile>
#include <new>

#include "core/document/file_io.h"
#include "core/editing/document_editor.h"
#include "core/transfer/column_names.h"
#include "core/transfer/person_text_reader.h"
#include "core/transfer/text_export.h"
#include "core/transfer/vcard_reader.h"
#include "core/transfer/vcard_writer.h"
#include "gfx/display_text.h"
#include "gfx/name_order.h"
#include "ui/editors/contact_types_dialog.h"
#include "ui/editors/user_info_sheet.h"
#include "ui/form/main_view.h"
#include "ui/kit/command_ids.h"
#include "ui/kit/prompter.h"
#include "ui/reports/activity_report_dialog.h"
#include "ui/reports/address_book_dialog.h"
#include "ui/reports/contacts_report_dialog.h"
#include "ui/reports/envelope_dialog.h"
#include "ui/reports/vcard_export_dialog.h"
#include "ui/shell/main_frame.h"
#include "ui/transfer/text_transfer_wizard.h"

namespace vimbo {

using namespace command;

// ---- editors ----------------------------------------------------------------------

void MainFrame::EditUser() {
  UserInfoSheet sheet(document_.Data().user, help_, this);
  if (prompter_.RunDialog(sheet) != QDialog::Accepted) return;
  document_.Run(&DocumentEditor::UpdateUser, sheet.Result());
}

void MainFrame::EditContactTypes() {
  ContactTypesDialog dialog(document_, prompter_, help_, this);
  prompter_.RunDialog(dialog);
}

// ---- text transfers ---------------------------------------------------------------

void MainFrame::ImportTextFile() {
  TextTransferSettings settings = PersonsImportSettings();
  TextTransferWizard wizard(settings, TransferDirection::kImport,
                            QStringLiteral("Import Person Information From Text File"), prompter_, help_, this);
  if (prompter_.RunDialog(wizard) != QDialog::Accepted) return;

  // One operation, and one refill of the form, for the whole file.
  TextImport<Person> import = ReadTextImport(settings);
  const int added = document_.Run(&DocumentEditor::ImportPersons, std::move(import.persons)).count;
  QString message = QStringLiteral("%1 names added to current database.").arg(added);
  // Columns left out that held values are named, so nothing goes missing
  // unnoticed.
  if (!import.columnsNotImported.empty())
    message += QStringLiteral("\n") + ToDisplay(ColumnsNotImportedText(import.columnsNotImported));
  prompter_.Message(view_, message, QStringLiteral("Imported Names"), Prompter::Icon::kInformation,
                    Prompter::Buttons::kOk);
}

void MainFrame::Export(CommandId id) {
  const bool persons = id == kExportPersons;
  TextTransferSettings settings = persons ? PersonsExportSettings() : ContactsExportSettings();
  const QString title = persons ? QStringLiteral("Export Person Information To Text File")
                                : QStringLiteral("Export Contact Information To Text File");
  TextTransferWizard wizard(settings, TransferDirection::kExport, title, prompter_, help_, this);
  if (prompter_.RunDialog(wizard) != QDialog::Accepted) return;

  const DocumentData& data = document_.Data();
  const Outcome outcome = persons ? ExportPersons(data, settings) : ExportContacts(data, settings);
  if (outcome.IsFailed())
    prompter_.Message(view_, QFile::decodeName(QByteArray::fromStdString(outcome.message)), QStringLiteral("Vimbo"),
                      Prompter::Icon::kError, Prompter::Buttons::kOk);
}

// ---- vCard ------------------------------------------------------------------------

void MainFrame::ImportVCard() {
  const std::optional<QString> path =
      prompter_.OpenFileName(this, QStringLiteral("vCard Files (*.vcf *.vcard);;All Files (*)"), QStringLiteral("vcf"));
  if (!path) return;
  const auto fail = [&](const QString& message) {
    prompter_.Message(view_, message, QStringLiteral("Vimbo"), Prompter::Icon::kError, Prompter::Buttons::kOk);
  };
  // A card too large for the memory left is refused whole: the document and
  // its unsaved edits stay as they were.
  int added = 0;
  VCardImport cards;
  try {
    const std::optional<std::string> text = ReadFileText(LocalPath(*path));
    if (!text) {
      fail(QStringLiteral("Unable to open file %1.").arg(*path));
      return;
    }
    cards = ReadVCards(*text);
    if (!cards.foundCard) {
      fail(QStringLiteral("No vCard found in %1.").arg(*path));
      return;
    }
    added = document_.Run(&DocumentEditor::ImportPersons, std::move(cards.persons)).count;
  } catch (const std::bad_alloc&) {
    fail(QStringLiteral("Out of memory."));
    return;
  }
  QString message = QStringLiteral("%1 names added to current database.").arg(added);
  if (cards.unreadable > 0) message += QStringLiteral(" %1 cards could not be read.").arg(cards.unreadable);
  // What was left out, by line, so the file can be mended; a long list is
  // cut to what a message box can show.
  constexpr std::size_t kProblemsShown = 10;
  for (std::size_t i = 0; i < cards.problems.size() && i < kProblemsShown; ++i)
    message += QLatin1Char('\n') + QString::fromStdString(cards.problems[i]);
  if (cards.problems.size() > kProblemsShown)
    message += QStringLiteral("\n... and %1 more.").arg(cards.problems.size() - kProblemsShown);
  prompter_.Message(view_, message, QStringLiteral("Imported Names"), Prompter::Icon::kInformation,
                    Prompter::Buttons::kOk);
}

void MainFrame::ExportVCard() {
  VCardExportDialog dialog(document_.Data().persons, prompter_, help_, this);
  if (prompter_.RunDialog(dialog) != QDialog::Accepted) return;
  const std::optional<QString> path = prompter_.SaveFileName(this, QStringLiteral("vCard Files (*.vcf);;All Files (*)"),
                                                             QStringLiteral("vcf"), QStringLiteral("Contacts.vcf"));
  if (!path) return;
  // In the order of the person list, as the dialog showed them.
  std::vector<int32_t> ids;
  ids.reserve(dialog.Result().size());
  for (const auto& [id, person] : dialog.Result()) ids.push_back(id);
  SortPersonIdsByName(document_.Data().persons, ids);
  std::vector<const Person*> persons;
  persons.reserve(ids.size());
  for (const int32_t id : ids) persons.push_back(&dialog.Result().at(id));
  const Outcome outcome = WriteVCardFile(LocalPath(*path), persons);
  if (outcome.IsFailed())
    prompter_.Message(view_, QStringLiteral("Error saving %1.").arg(*path), QStringLiteral("Vimbo"),
                      Prompter::Icon::kError, Prompter::Buttons::kOk);
  else
    prompter_.Message(view_, QStringLiteral("%1 cards written.").arg(outcome.count), QStringLiteral("Export vCard"),
                      Prompter::Icon::kInformation, Prompter::Buttons::kOk);
}

// ---- reports ----------------------------------------------------------------------

// The confirmed choice goes to the printing state and the preview opens; a
// cancelled dialog keeps the previous choice.
void MainFrame::ChooseReport(CommandId id) {
  ReportSelection selection = printing_.Selection();
  const Persons& persons = document_.Data().persons;
  if (id == kReportAddressBook) {
    AddressBookDialog dialog(persons, prompter_, help_, this);
    if (prompter_.RunDialog(dialog) != QDialog::Accepted) return;
    selection.chosenPersons = dialog.Result();
    selection.kind = ReportKind::kAddressBook;
  } else if (id == kReportContacts) {
    ContactsReportDialog dialog(persons, prompter_, help_, this);
    if (prompter_.RunDialog(dialog) != QDialog::Accepted) return;
    selection.kind = ReportKind::kContacts;
    selection.chosenPersons = dialog.Result();
    selection.beginDate = dialog.BeginDate();
    selection.endDate = dialog.EndDate();
  } else if (id == kReportActivity) {
    ActivityReportDialog dialog(persons, prompter_, help_, this);
    if (prompter_.RunDialog(dialog) != QDialog::Accepted) return;
    selection.kind = ReportKind::kActivity;
    // Everyone chosen is counted as everyone: the report then walks the
    // contacts once instead of looking up each person's.
    selection.allPersons = dialog.Result().size() == persons.Size();
    selection.chosenPersons = selection.allPersons ? std::map<int32_t, Person>() : dialog.Result();
    selection.beginDate = dialog.BeginDate();
    selection.endDate = dialog.EndDate();
  } else {
    EnvelopeDialog dialog(persons, selection.envelopeOptions, prompter_, help_, this);
    if (prompter_.RunDialog(dialog) != QDialog::Accepted) return;
    selection.envelopePersons.clear();
    for (const auto& [personId, person] : dialog.Result()) selection.envelopePersons.push_back(person);
    selection.kind = ReportKind::kEnvelopes;
    selection.envelopeOptions = dialog.Options();
  }
  printing_.SetSelection(std::move(selection));
  OnCommand(kPrintPreview);
}

}  // namespace vimbo
