// The Person, Contact and Edit commands of the main form: the edit modes
// they enter and leave, and the records they change.

#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTimeEdit>
#include <QTreeWidget>
#include <algorithm>

#include "core/records/document_data.h"
#include "gfx/display_text.h"
#include "ui/document/document.h"
#include "ui/editors/contact_types_dialog.h"
#include "ui/editors/user_info_sheet.h"
#include "ui/form/main_view.h"
#include "ui/kit/command_ids.h"
#include "ui/kit/form_text.h"
#include "ui/kit/prompter.h"
#include "ui/kit/sorted_combo.h"

namespace vimbo {

using namespace command;

namespace {
constexpr int kContactIdRole = Qt::UserRole;
}

void MainView::SetServices(Prompter& prompter, HelpSystem& help) {
  prompter_ = &prompter;
  help_ = &help;
}

FormState MainView::State() const {
  return {editMode_, currentPersonId_, currentContactId_, !Data().persons.Empty(), !Data().contacts.Empty()};
}

bool MainView::OnCommand(int id) {
  if (!document_) return false;
  switch (id) {
    case kPersonAdd: PersonAdd(); return true;
    case kPersonEdit: PersonEdit(); return true;
    case kPersonUpdate: PersonUpdate(); return true;
    case kPersonCancel: PersonCancel(); return true;
    case kPersonDelete: PersonDelete(); return true;
    case kContactAdd: ContactAdd(); return true;
    case kContactEdit: ContactEdit(); return true;
    case kContactUpdate: ContactUpdate(); return true;
    case kContactCancel: ContactCancel(); return true;
    case kContactDelete: ContactDelete(); return true;
    case kEditUser: EditUser(); return true;
    case kEditContactTypes: EditContactTypes(); return true;
    case kImportPersons: ImportPersonsCommand(); return true;
    case kExportPersons: ExportCommand(true); return true;
    case kExportContacts: ExportCommand(false); return true;
    case kReportAddressBook: AddressBookCommand(); return true;
    case kReportContacts: ContactsReportCommand(); return true;
    case kReportEnvelopes: EnvelopesCommand(); return true;
    default: return false;
  }
}

// ---- persons ----------------------------------------------------------------------

void MainView::PersonAdd() {
  ShowPerson(0);
  Control(1015)->setFocus();
  SetPersonFieldsReadOnly(false);
  notesBox_->setReadOnly(true);
  editMode_ = EditMode::AddingPerson;
}

void MainView::PersonEdit() {
  Control(1010)->setFocus();
  SetPersonFieldsReadOnly(false);
  notesBox_->setReadOnly(true);
  editMode_ = EditMode::EditingPerson;
}

// A field the user left alone keeps its bytes, whatever their encoding.
Person MainView::PersonFromBoxes(const Person& original) const {
  Person person;
  for (const PersonBox& box : personBoxes_) {
    const std::string& before = original.*box.field;
    person.*box.field = box.line ? FromDisplay(box.line->text(), before)
                                 : MultiLineFromDisplay(MultiLineBoxText(*box.lines), before);
  }
  return person;
}

void MainView::PersonUpdate() {
  DocumentData& data = document_->Data();
  const bool adding = editMode_ == EditMode::AddingPerson;
  // The boxes show the person at the selector's position: the one being
  // edited, or another one picked while editing.
  const int32_t shownId = adding ? 0 : personSelector_->itemData(personPosition_).toInt();
  const Person* shown = shownId > 0 ? data.persons.Find(shownId) : nullptr;
  Person person = PersonFromBoxes(shown ? *shown : Person());

  if (adding) {
    person.ID = data.persons.NextID();
    // Identifiers are never reused; with the counter spent there is none to
    // give, and a person under 0 could never be picked again.
    if (person.ID == 0) {
      RefuseForNoIdentifiers(QStringLiteral("The person cannot be added: this document has no "
                                            "identifiers left for new persons."));
      return;
    }
  } else {
    person.ID = shownId;
    data.persons.Erase(person.ID);
    const QSignalBlocker blocker(personSelector_);
    personSelector_->removeItem(personPosition_);
  }
  personPosition_ = InsertSorted(*personSelector_, {ToDisplay(person.DisplayName()), person.ID});
  currentPersonId_ = person.ID;
  data.persons.Insert(std::move(person));

  EndPersonMode();
  document_->SetModified(true, true);
}

void MainView::PersonCancel() {
  ShowPerson(currentPersonId_);
  EndPersonMode();
}

void MainView::EndPersonMode() {
  editMode_ = EditMode::Browsing;
  SetPersonFieldsReadOnly(true);
  notesBox_->setReadOnly(true);
}

void MainView::PersonDelete() {
  if (personPosition_ >= 0) {
    document_->Data().DeletePerson(currentPersonId_);
    const QSignalBlocker blocker(personSelector_);
    personSelector_->removeItem(personPosition_);
  }
  if (personSelector_->count() > 0) {
    personPosition_ = std::max(personPosition_ - 1, 0);
    currentPersonId_ = personSelector_->itemData(personPosition_).toInt();
  } else {
    personPosition_ = -1;
    currentPersonId_ = 0;
    personSelector_->clear();
  }
  document_->SetModified(true, false);
  {
    const QSignalBlocker blocker(personSelector_);
    personSelector_->setCurrentIndex(personPosition_);
  }
  ShowPerson(currentPersonId_);
  FillContacts(currentPersonId_);
}

// ---- contacts ---------------------------------------------------------------------

void MainView::ContactAdd() {
  ShowContact(0);
  contactsList_->setEnabled(false);
  SetPickers(DateTimeValue::Now());
  datePicker_->setEnabled(true);
  timePicker_->setEnabled(true);
  datePicker_->setFocus();
  notesBox_->setReadOnly(false);
  personSelector_->setEnabled(false);
  contactTypeSelector_->setCurrentIndex(contactTypeSelector_->count() > 0 ? 0 : -1);
  contactTypeSelector_->setEnabled(true);
  editMode_ = EditMode::AddingContact;
}

void MainView::ContactEdit() {
  notesBox_->setReadOnly(false);
  datePicker_->setEnabled(true);
  datePicker_->setFocus();
  timePicker_->setEnabled(true);
  contactTypeSelector_->setEnabled(true);
  personPosition_ = personSelector_->currentIndex();
  personSelector_->setEnabled(false);
  contactsList_->setEnabled(false);
  editMode_ = EditMode::EditingContact;
}

void MainView::ContactUpdate() {
  DocumentData& data = document_->Data();
  const bool adding = editMode_ == EditMode::AddingContact;
  const int32_t newId = adding ? data.contacts.NextID() : 0;
  if (adding && newId == 0) {
    RefuseForNoIdentifiers(QStringLiteral("The contact cannot be added: this document has no "
                                          "identifiers left for new contacts."));
    return;
  }
  const Contact* original = adding ? nullptr : data.contacts.Find(currentContactId_);

  Contact contact;
  contact.Description = MultiLineFromDisplay(MultiLineBoxText(*notesBox_), original ? original->Description : std::string());
  const QDate date = datePicker_->date();
  const QTime time = timePicker_->time();
  contact.DateTime.SetDate(date.year(), date.month(), date.day());
  contact.DateTime.SetTime(time.hour(), time.minute(), time.second());
  datePicker_->setEnabled(false);
  timePicker_->setEnabled(false);
  const int typeIndex = contactTypeSelector_->currentIndex();
  contact.ContactTypeID = typeIndex >= 0 ? contactTypeSelector_->itemData(typeIndex).toInt() : -1;
  contactTypeSelector_->setEnabled(false);
  contact.PersonID = currentPersonId_;
  if (adding) {
    contact.ID = newId;
    currentContactId_ = contact.ID;
  } else {
    contact.ID = currentContactId_;
    data.contacts.Erase(contact.ID);
  }
  data.contacts.Insert(std::move(contact));
  editMode_ = EditMode::Browsing;

  document_->SetModified(true, true);
  notesBox_->setReadOnly(true);
  personSelector_->setEnabled(true);
  contactsList_->setEnabled(true);
}

// The edit mode stays, with everything typed, so the user can still cancel.
void MainView::RefuseForNoIdentifiers(const QString& text) {
  prompter_->Message(this, text, QStringLiteral("Vimbo"), Prompter::Icon::Error, Prompter::Buttons::Ok);
}

void MainView::ContactCancel() {
  ShowContact(currentContactId_);
  EndContactMode();
}

void MainView::EndContactMode() {
  editMode_ = EditMode::Browsing;
  notesBox_->setReadOnly(true);
  personSelector_->setEnabled(true);
  contactsList_->setEnabled(true);
  datePicker_->setEnabled(false);
  timePicker_->setEnabled(false);
  contactTypeSelector_->setEnabled(false);
}

void MainView::ContactDelete() {
  // The list changes under the user's selection here; that is no choice of
  // theirs to react to.
  fillingContacts_ = true;
  if (contactPosition_ >= 0) {
    document_->Data().contacts.Erase(currentContactId_);
    delete contactsList_->takeTopLevelItem(contactPosition_);
  }
  const int remaining = contactsList_->topLevelItemCount();
  if (remaining > 0) {
    contactPosition_ = std::clamp(contactPosition_ - 1, 0, remaining - 1);
    currentContactId_ = contactsList_->topLevelItem(contactPosition_)->data(0, kContactIdRole).toInt();
  } else {
    contactPosition_ = -1;
    currentContactId_ = 0;
  }
  fillingContacts_ = false;
  document_->SetModified(true, false);

  FillContacts(currentPersonId_);
  if (contactPosition_ >= 0 && contactPosition_ < contactsList_->topLevelItemCount())
    contactsList_->setCurrentItem(contactsList_->topLevelItem(contactPosition_));
  ShowContact(currentContactId_);
}

// ---- editors ----------------------------------------------------------------------

void MainView::EditUser() {
  UserInfoSheet sheet(document_->Data().user, *help_, window());
  if (prompter_->RunDialog(sheet) != QDialog::Accepted) return;
  document_->Data().user = sheet.Result();
  document_->SetModified(true, true);
}

void MainView::EditContactTypes() {
  ContactTypesDialog dialog(*document_, *prompter_, *help_, window());
  prompter_->RunDialog(dialog);
}

}  // namespace vimbo
