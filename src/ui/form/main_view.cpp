#include "ui/form/main_view.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTimeEdit>
#include <QTreeView>
#include <algorithm>
#include <utility>

#include "core/records/document_data.h"
#include "gfx/display_text.h"
#include "ui/document/document.h"
#include "ui/form/contacts_list_model.h"
#include "ui/form/find_bar.h"
#include "ui/form/person_list_model.h"
#include "ui/kit/control_id.h"
#include "ui/kit/form_text.h"
#include "ui/kit/sorted_combo.h"

namespace vimbo {

MainView::MainView(QWidget* parent) : QWidget(parent), units_(fontMetrics()) {
  BuildForm();
  BuildEditKeys();
  SetEditMode(EditMode::Browsing);
  ShowContact(0);

  connect(personSelector_, &QComboBox::activated, this, &MainView::OnPersonPicked);
  connect(contactsList_->selectionModel(), &QItemSelectionModel::selectionChanged, this, &MainView::OnContactSelected);
}

void MainView::SetDocument(TouchDocument& document) {
  document_ = &document;
  document.Attach(*this);
}

void MainView::Detach() {
  DocumentView::Detach();
  document_ = nullptr;
  // The lists read their rows from the document, which may go away now.
  contacts_->Clear();
  findBar_->Refresh();
}

const DocumentData& MainView::Data() const {
  static const DocumentData kNoDocument;
  return document_ ? document_->Data() : kNoDocument;
}

void MainView::OnUpdate() {
  RefreshContactTypes();
  RefreshPersons();
  findBar_->Refresh();
}

void MainView::OnContentReplaced() {
  if (editMode_ != EditMode::Browsing) SetEditMode(EditMode::Browsing);
}

// Only what the step touched is refilled: the form shows nothing of the
// user, and contact type names appear in the selector and the list.
void MainView::OnHistoryStep(const DocumentChanges& changes) {
  if (changes.contactTypes) RefreshContactTypes();
  if (changes.persons)
    RefreshPersons();
  else if (changes.contacts || changes.contactTypes)
    FillContacts(currentPersonId_);
  SelectPerson(changes.personId);
  SelectContact(changes.contactId);
  findBar_->Refresh();
}

void MainView::SelectPerson(int32_t id) {
  const int position = id > 0 ? persons_->RowOf(id) : -1;
  if (position < 0 || id == currentPersonId_) return;
  personPosition_ = position;
  personSelector_->setCurrentIndex(position);
  currentPersonId_ = id;
  ShowPerson(id);
  FillContacts(id);
}

void MainView::GoTo(int32_t personId, int32_t contactId) {
  if (editMode_ != EditMode::Browsing) return;
  SelectPerson(personId);
  SelectContact(contactId);
  if (contactId == 0)
    personSelector_->setFocus(Qt::OtherFocusReason);
  else
    contactsList_->setFocus(Qt::OtherFocusReason);
}

void MainView::SelectContact(int32_t id) {
  const int row = id > 0 ? contacts_->RowOf(id) : -1;
  if (row < 0) return;
  contactsList_->setCurrentIndex(contacts_->index(row, 0));
  contactsList_->scrollTo(contacts_->index(row, 0));
}

void MainView::RefreshContactTypes() {
  // A contact being edited keeps the type chosen for it, under its new name
  // if the type was renamed meanwhile.
  const QVariant chosen = contactTypeSelector_->currentData();
  std::vector<ComboEntry> entries;
  for (const auto& [id, type] : Data().contactTypes) entries.push_back({ToDisplay(type.Description), id});
  FillSorted(*contactTypeSelector_, std::move(entries));
  FitContactColumns();
  if (IsContactMode(editMode_) && chosen.isValid())
    contactTypeSelector_->setCurrentIndex(contactTypeSelector_->findData(chosen));
}

void MainView::RefreshPersons() {
  std::vector<NamedEntry> entries;
  entries.reserve(Data().persons.Size());
  for (const auto& [id, person] : Data().persons) entries.push_back({ToDisplay(person.DisplayName()), id});
  {
    // Refilling is not a choice of the user's, so nobody hears of it.
    const QSignalBlocker blocker(personSelector_);
    persons_->Fill(std::move(entries));
    personSelector_->setCurrentIndex(-1);
  }

  const int count = persons_->rowCount();
  ShowEmptyHint();
  if (editMode_ != EditMode::Browsing) {
    // An import or the contact types editor may run during an edit: the
    // record being edited stays the one the next Update stores, wherever the
    // refill put its entry, and what the user typed stays in the boxes.
    const int position = persons_->RowOf(currentPersonId_);
    if (position >= 0) {
      personPosition_ = position;
      personSelector_->setCurrentIndex(position);
    }
    FillContacts(currentPersonId_);
    return;
  }
  if (count > 0) {
    // After another document was opened the remembered position may lie
    // past its last person; the last one is then the nearest.
    personPosition_ = std::clamp(personPosition_, 0, count - 1);
    personSelector_->setCurrentIndex(personPosition_);
    currentPersonId_ = persons_->IdAt(personPosition_);
  } else {
    currentPersonId_ = 0;
  }
  ShowPerson(currentPersonId_);
  FillContacts(currentPersonId_);
}

void MainView::ShowPerson(int32_t id) {
  const Person* person = id > 0 ? Data().persons.Find(id) : nullptr;
  for (const PersonBox& box : personBoxes_) {
    const std::string_view bytes = person ? (person->*box.field).view() : std::string_view();
    if (box.line) {
      box.line->setText(ToDisplay(bytes));
      // A long value is shown from its beginning, not scrolled to its end.
      box.line->setCursorPosition(0);
    } else {
      box.lines->setPlainText(MultiLineToDisplay(bytes));
    }
  }
}

void MainView::FillContacts(int32_t personId) {
  // The refill's own selection changes are not the user's choice.
  fillingContacts_ = true;
  contacts_->Fill(Data(), personId);
  // While a contact is edited its panel holds the user's typing: the list is
  // refilled around it, and the contact stays the one being edited.
  const bool keepContact = IsContactMode(editMode_);
  if (keepContact) {
    const int kept = contacts_->RowOf(currentContactId_);
    if (kept >= 0) {
      contactsList_->setCurrentIndex(contacts_->index(kept, 0));
      contactPosition_ = kept;
    }
  } else if (contacts_->rowCount() > 0) {
    contactsList_->setCurrentIndex(contacts_->index(0, 0));
    contactsList_->scrollTo(contacts_->index(0, 0));
    currentContactId_ = contacts_->ContactIdAt(0);
    contactPosition_ = 0;
  } else {
    currentContactId_ = 0;
  }
  fillingContacts_ = false;
  if (!keepContact) ShowContact(currentContactId_);
}

// The type is selected by its ID rather than by its name, so that of two
// types whose names differ only in case the contact's own one is shown, and
// a later edit of the contact keeps it.
void MainView::ShowContact(int32_t contactId) {
  const Contact* contact = contactId > 0 ? Data().contacts.Find(contactId) : nullptr;
  if (!contact) {
    notesBox_->clear();
    SetPickers(clock_());
    contactTypeSelector_->setCurrentIndex(-1);
    return;
  }
  notesBox_->setPlainText(MultiLineToDisplay(contact->Description));
  SetPickers(contact->DateTime.IsValid() ? contact->DateTime : clock_());
  contactTypeSelector_->setCurrentIndex(contactTypeSelector_->findData(contact->ContactTypeID));
}

void MainView::SetPickers(const DateTimeValue& value) {
  const SystemTime time = value.ToSystemTime();
  datePicker_->setDate(QDate(time.year, time.month, time.day));
  timePicker_->setTime(QTime(time.hour, time.minute, time.second));
}

void MainView::SetPersonFieldsReadOnly(bool readOnly) {
  LockPersonBoxes(readOnly);
  LockNotes(readOnly);
  EnableContactFields(false);
}

void MainView::OnPersonPicked(int position) {
  if (leavingSelectorText_) return;
  personPosition_ = position;
  currentPersonId_ = persons_->IdAt(position);
  ShowPerson(currentPersonId_);
  FillContacts(currentPersonId_);
}

// After the selector's text field was left: the entry of the person shown
// is selected again, and the typed text left as it is. Enter instead makes
// the person current whose entry the text names, or else shows the current
// person's name again, so that the selector and the form never disagree.
void MainView::KeepPersonSelection() {
  leavingSelectorText_ = false;
  const bool returned = std::exchange(selectorReturn_, false);
  if (persons_->rowCount() == 0) return;
  if (returned) {
    const QString typed = personSelector_->lineEdit()->text();
    QModelIndexList named = persons_->match(persons_->index(0), Qt::DisplayRole, typed, 2, Qt::MatchFixedString);
    if (named.size() != 1) named = persons_->match(persons_->index(0), Qt::DisplayRole, typed, 2, Qt::MatchStartsWith);
    const int row = named.size() == 1 && !typed.isEmpty() ? named.front().row() : personPosition_;
    {
      const QSignalBlocker blocker(personSelector_);
      personSelector_->setCurrentIndex(row);
      personSelector_->setEditText(personSelector_->itemText(row));
    }
    if (row != personPosition_) OnPersonPicked(row);
    return;
  }
  if (personSelector_->currentIndex() == personPosition_) return;
  const QString typed = personSelector_->lineEdit()->text();
  const QSignalBlocker blocker(personSelector_);
  personSelector_->setCurrentIndex(personPosition_);
  personSelector_->lineEdit()->setText(typed);
}

void MainView::OnContactSelected(const QItemSelection& selected) {
  if (fillingContacts_ || selected.isEmpty()) return;
  const int position = selected.indexes().front().row();
  contactPosition_ = position;
  currentContactId_ = contacts_->ContactIdAt(position);
  ShowContact(currentContactId_);
}

int MainView::GroupBoxAt(const QPoint& globalPos) const {
  for (const QGroupBox* box : {personGroup_, contactGroup_, contactsGroup_}) {
    if (box->rect().contains(box->mapFromGlobal(globalPos))) return ControlId(box);
  }
  return 0;
}

}  // namespace vimbo
