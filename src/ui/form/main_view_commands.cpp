// The Person and Contact commands of the main form: the edit modes they
// enter and leave, and the document operations they run. What a done
// operation changed comes back through the document, which refills the
// form; a refused one changes nothing, on screen either.

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimeEdit>
#include <QTreeView>

#include "core/editing/document_operations.h"
#include "core/records/document_data.h"
#include "gfx/display_text.h"
#include "ui/document/log_document.h"
#include "ui/form/edit_keys.h"
#include "ui/form/find_bar.h"
#include "ui/form/main_view.h"

#include "core/records/record_sameness.h"
#include "ui/form/person_details_panel.h"
#include "ui/form/person_list_model.h"
#include "ui/kit/control_ids.h"
#include "ui/kit/follow_up_edit.h"
#include "ui/kit/form_text.h"
#include "ui/kit/prompter.h"

namespace vimbo {

void MainView::OpenFindBar() { findBar_->Open(); }

// ---- modes ------------------------------------------------------------------------

void MainView::SetEditMode(EditMode mode) {
  editMode_ = mode;
  // Results are chosen in browse mode only; an edit takes the focus itself.
  if (mode != EditMode::kBrowsing) findBar_->hide();
  const FormLocks locks = LocksFor(mode);
  LockPersonBoxes(!locks.personBoxesWritable);
  LockNotes(!locks.notesWritable);
  EnableContactFields(locks.contactFieldsEnabled);
  personSelector_->setEnabled(locks.pickingEnabled);
  contactsList_->setEnabled(locks.pickingEnabled);
  ShowEmptyHint();
  editKeys_->SetMode(mode);
  NoteState();
}

// ---- persons ----------------------------------------------------------------------

void MainView::PersonAdd() {
  ShowPerson(0);
  SetEditMode(EditMode::kAddingPerson);
  Control(main_form::kTitle)->setFocus();
}

void MainView::PersonEdit() {
  SetEditMode(EditMode::kEditingPerson);
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
  details_->ApplyTo(person, original);
  return person;
}

void MainView::PersonUpdate() {
  const bool adding = editMode_ == EditMode::kAddingPerson;
  // The boxes show the current person: the one being edited, or another one
  // picked while editing.
  const int32_t shownId = adding ? 0 : person_.id;
  const Person* shown = shownId > 0 ? Data().persons.Find(shownId) : nullptr;
  details_->CommitEdit();
  Person person = PersonFromBoxes(shown ? *shown : Person());
  person.ID = shownId;

  // The edit ends before the document is changed, so the refill that
  // follows shows the stored record rather than keeping the typing.
  SetEditMode(EditMode::kBrowsing);
  pending_ = FormChange::kStored;
  const OperationResult result = adding ? document_->Run(&DocumentEditor::AddPerson, std::move(person))
                                        : document_->Run(&DocumentEditor::UpdatePerson, std::move(person));
  pending_ = FormChange::kStep;
  if (result.status == OperationStatus::kNoIdentifiers) {
    // Identifiers are never reused; with the counter spent there is none to
    // give, and a person under 0 could never be picked again. The edit
    // stays, with everything typed, so the user can still cancel.
    SetEditMode(EditMode::kAddingPerson);
    RefuseForNoIdentifiers(
        QStringLiteral("The person cannot be added: this document has no "
                       "identifiers left for new persons."));
  } else if (!result.Done()) {
    ShowPerson(person_.id);
  }
}

void MainView::PersonCancel() {
  ShowPerson(person_.id);
  SetEditMode(EditMode::kBrowsing);
}

void MainView::PersonDelete() {
  pending_ = FormChange::kPersonDeleted;
  document_->Run(&DocumentEditor::DeletePerson, person_.id);
  pending_ = FormChange::kStep;
}

// ---- contacts ---------------------------------------------------------------------

void MainView::ContactAdd() {
  ShowContact(0);
  SetPickers(clock_());
  contactTypeSelector_->setCurrentIndex(contactTypeSelector_->count() > 0 ? 0 : -1);
  SetEditMode(EditMode::kAddingContact);
  datePicker_->setFocus();
}

void MainView::ContactEdit() {
  SetEditMode(EditMode::kEditingContact);
  datePicker_->setFocus();
}

Contact MainView::ContactFromPanel(const Contact* original) const {
  Contact contact;
  contact.ID = original ? original->ID : 0;
  contact.PersonID = person_.id;
  contact.Description =
      MultiLineFromDisplay(MultiLineBoxText(*notesBox_), original ? original->Description.view() : std::string_view());
  const QDate date = datePicker_->date();
  const QTime time = timePicker_->time();
  contact.DateTime.SetDate(date.year(), date.month(), date.day());
  contact.DateTime.SetTime(time.hour(), time.minute(), time.second());
  const int typeIndex = contactTypeSelector_->currentIndex();
  contact.ContactTypeID = typeIndex >= 0 ? contactTypeSelector_->itemData(typeIndex).toInt() : -1;
  // A follow-up left alone keeps its moment to the fraction of a second.
  contact.FollowUp = followUp_->FollowUp();
  if (original && SameFollowUp(original->FollowUp, contact.FollowUp)) contact.FollowUp = original->FollowUp;
  return contact;
}

void MainView::ContactUpdate() {
  const EditMode mode = editMode_;
  const bool adding = mode == EditMode::kAddingContact;
  const Contact* original = adding ? nullptr : Data().contacts.Find(contact_.id);
  Contact contact = ContactFromPanel(original);
  SetEditMode(EditMode::kBrowsing);
  pending_ = FormChange::kStored;
  const OperationResult result = adding ? document_->Run(&DocumentEditor::AddContact, std::move(contact))
                                        : document_->Run(&DocumentEditor::UpdateContact, std::move(contact));
  pending_ = FormChange::kStep;
  if (result.status == OperationStatus::kNoIdentifiers) {
    SetEditMode(mode);
    RefuseForNoIdentifiers(
        QStringLiteral("The contact cannot be added: this document has no "
                       "identifiers left for new contacts."));
  } else if (!result.Done()) {
    ShowContact(contact_.id);
  }
}

void MainView::RefuseForNoIdentifiers(const QString& text) {
  document_->GetPrompter().Message(this, text, QStringLiteral("Vimbo"), Prompter::Icon::kError, Prompter::Buttons::kOk);
}

void MainView::ContactCancel() {
  ShowContact(contact_.id);
  SetEditMode(EditMode::kBrowsing);
}

void MainView::ContactDelete() {
  pending_ = FormChange::kContactDeleted;
  document_->Run(&DocumentEditor::DeleteContact, contact_.id);
  pending_ = FormChange::kStep;
}

}  // namespace vimbo
