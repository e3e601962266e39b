// The Person and Contact commands of the main form: the edit modes they
// enter and leave, and the document operations they run.

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTimeEdit>
#include <QTreeView>
#include <algorithm>

#include "core/editing/document_operations.h"
#include "core/records/document_data.h"
#include "gfx/display_text.h"
#include "ui/document/document.h"
#include "ui/form/contacts_list_model.h"
#include "ui/form/find_bar.h"
#include "ui/form/main_view.h"
#include "ui/form/person_list_model.h"
#include "ui/kit/command_ids.h"
#include "ui/kit/control_ids.h"
#include "ui/kit/form_text.h"
#include "ui/kit/prompter.h"

namespace vimbo {

using namespace command;

void MainView::SetServices(Prompter& prompter, HelpSystem& help) {
  prompter_ = &prompter;
  help_ = &help;
}

FormState MainView::State() const {
  return {editMode_, currentPersonId_, currentContactId_, !Data().persons.Empty(), !Data().contacts.Empty()};
}

bool MainView::OnCommand(CommandId id) {
  if (!document_) return false;
  switch (id) {
    case kPersonAdd: PersonAdd(); return true;
    case kPersonEdit: PersonEdit(); return true;
    case kPersonUpdate: PersonUpdate(); return true;
    case kPersonCancel: PersonCancel(); return true;
    case kPersonDelete:
      PersonDelete();
      findBar_->Refresh();
      return true;
    case kContactAdd: ContactAdd(); return true;
    case kContactEdit: ContactEdit(); return true;
    case kContactUpdate: ContactUpdate(); return true;
    case kContactCancel: ContactCancel(); return true;
    case kContactDelete:
      ContactDelete();
      findBar_->Refresh();
      return true;
    case kPersonFind: findBar_->Open(); return true;
    default: return false;
  }
}

// ---- modes ------------------------------------------------------------------------

void MainView::SetEditMode(EditMode mode) {
  editMode_ = mode;
  // Results are chosen in browse mode only; an edit takes the focus itself.
  if (mode != EditMode::Browsing) findBar_->hide();
  const FormLocks locks = LocksFor(mode);
  LockPersonBoxes(!locks.personBoxesWritable);
  LockNotes(!locks.notesWritable);
  EnableContactFields(locks.contactFieldsEnabled);
  personSelector_->setEnabled(locks.pickingEnabled);
  contactsList_->setEnabled(locks.pickingEnabled);
  ShowEmptyHint();
  EnableEditKeys();
}

// ---- persons ----------------------------------------------------------------------

void MainView::PersonAdd() {
  ShowPerson(0);
  SetEditMode(EditMode::AddingPerson);
  Control(main_form::kTitle)->setFocus();
}

void MainView::PersonEdit() {
  SetEditMode(EditMode::EditingPerson);
  Control(main_form::kAddress)->setFocus();
}

// A field the user left alone keeps its bytes, whatever their encoding.
Person MainView::PersonFromBoxes(const Person& original) const {
  Person person;
  for (const PersonBox& box : personBoxes_) {
    const std::string_view before = original.*box.field;
    person.*box.field =
        box.line ? FromDisplay(box.line->text(), before) : MultiLineFromDisplay(MultiLineBoxText(*box.lines), before);
  }
  return person;
}

void MainView::PersonUpdate() {
  const bool adding = editMode_ == EditMode::AddingPerson;
  // The boxes show the person at the selector's position: the one being
  // edited, or another one picked while editing.
  const int32_t shownId = adding ? 0 : persons_->IdAt(personPosition_);
  const Person* shown = shownId > 0 ? Data().persons.Find(shownId) : nullptr;
  Person person = PersonFromBoxes(shown ? *shown : Person());
  person.ID = shownId;

  const OperationResult result =
      adding ? document_->Editor().AddPerson(std::move(person)) : document_->Editor().UpdatePerson(std::move(person));
  if (result.status == OperationStatus::kNoIdentifiers) {
    // Identifiers are never reused; with the counter spent there is none to
    // give, and a person under 0 could never be picked again.
    RefuseForNoIdentifiers(
        QStringLiteral("The person cannot be added: this document has no "
                       "identifiers left for new persons."));
    return;
  }
  if (result.Done()) {
    const QSignalBlocker blocker(personSelector_);
    if (!adding) persons_->Remove(personPosition_);
    const Person& stored = *Data().persons.Find(result.id);
    personPosition_ = persons_->Insert({ToDisplay(stored.DisplayName()), stored.ID});
    currentPersonId_ = stored.ID;
  }
  SetEditMode(EditMode::Browsing);
  if (result.Done()) document_->SetModified(true, ViewUpdate::kUpdateViews);
}

void MainView::PersonCancel() {
  ShowPerson(currentPersonId_);
  SetEditMode(EditMode::Browsing);
}

void MainView::PersonDelete() {
  bool deleted = false;
  if (personPosition_ >= 0) {
    deleted = document_->Editor().DeletePerson(currentPersonId_).Done();
    const QSignalBlocker blocker(personSelector_);
    persons_->Remove(personPosition_);
  }
  if (persons_->rowCount() > 0) {
    personPosition_ = std::max(personPosition_ - 1, 0);
    currentPersonId_ = persons_->IdAt(personPosition_);
  } else {
    personPosition_ = -1;
    currentPersonId_ = 0;
    personSelector_->clear();
  }
  if (deleted) document_->SetModified(true, ViewUpdate::kNone);
  {
    const QSignalBlocker blocker(personSelector_);
    personSelector_->setCurrentIndex(personPosition_);
  }
  ShowPerson(currentPersonId_);
  FillContacts(currentPersonId_);
  ShowEmptyHint();
}

// ---- contacts ---------------------------------------------------------------------

void MainView::ContactAdd() {
  ShowContact(0);
  SetPickers(clock_());
  contactTypeSelector_->setCurrentIndex(contactTypeSelector_->count() > 0 ? 0 : -1);
  SetEditMode(EditMode::AddingContact);
  datePicker_->setFocus();
}

void MainView::ContactEdit() {
  personPosition_ = personSelector_->currentIndex();
  SetEditMode(EditMode::EditingContact);
  datePicker_->setFocus();
}

Contact MainView::ContactFromPanel(const Contact* original) const {
  Contact contact;
  contact.ID = original ? original->ID : 0;
  contact.PersonID = currentPersonId_;
  contact.Description =
      MultiLineFromDisplay(MultiLineBoxText(*notesBox_), original ? original->Description.view() : std::string_view());
  const QDate date = datePicker_->date();
  const QTime time = timePicker_->time();
  contact.DateTime.SetDate(date.year(), date.month(), date.day());
  contact.DateTime.SetTime(time.hour(), time.minute(), time.second());
  const int typeIndex = contactTypeSelector_->currentIndex();
  contact.ContactTypeID = typeIndex >= 0 ? contactTypeSelector_->itemData(typeIndex).toInt() : -1;
  return contact;
}

void MainView::ContactUpdate() {
  const bool adding = editMode_ == EditMode::AddingContact;
  const Contact* original = adding ? nullptr : Data().contacts.Find(currentContactId_);
  Contact contact = ContactFromPanel(original);
  const OperationResult result = adding ? document_->Editor().AddContact(std::move(contact))
                                        : document_->Editor().UpdateContact(std::move(contact));
  if (result.status == OperationStatus::kNoIdentifiers) {
    RefuseForNoIdentifiers(
        QStringLiteral("The contact cannot be added: this document has no "
                       "identifiers left for new contacts."));
    return;
  }
  if (result.Done() && adding) currentContactId_ = result.id;
  SetEditMode(EditMode::Browsing);
  if (result.Done()) document_->SetModified(true, ViewUpdate::kUpdateViews);
}

// The edit mode stays, with everything typed, so the user can still cancel.
void MainView::RefuseForNoIdentifiers(const QString& text) {
  prompter_->Message(this, text, QStringLiteral("Vimbo"), Prompter::Icon::Error, Prompter::Buttons::Ok);
}

void MainView::ContactCancel() {
  ShowContact(currentContactId_);
  SetEditMode(EditMode::Browsing);
}

void MainView::ContactDelete() {
  // The list changes under the user's selection here; that is no choice of
  // theirs to react to.
  fillingContacts_ = true;
  bool deleted = false;
  if (contactPosition_ >= 0) {
    deleted = document_->Editor().DeleteContact(currentContactId_).Done();
    contacts_->RemoveRow(contactPosition_);
  }
  const int remaining = contacts_->rowCount();
  if (remaining > 0) {
    contactPosition_ = std::clamp(contactPosition_ - 1, 0, remaining - 1);
    currentContactId_ = contacts_->ContactIdAt(contactPosition_);
  } else {
    contactPosition_ = -1;
    currentContactId_ = 0;
  }
  fillingContacts_ = false;
  if (deleted) document_->SetModified(true, ViewUpdate::kNone);

  FillContacts(currentPersonId_);
  if (contactPosition_ >= 0 && contactPosition_ < contacts_->rowCount())
    contactsList_->setCurrentIndex(contacts_->index(contactPosition_, 0));
  ShowContact(currentContactId_);
}

}  // namespace vimbo
