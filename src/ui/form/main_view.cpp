#include "ui/form/main_view.h"

#include "ui/kit/follow_up_edit.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTimeEdit>
#include <QTreeView>
#include <utility>

#include "core/records/document_data.h"
#include "gfx/display_text.h"
#include "ui/document/log_document.h"
#include "ui/form/contacts_list_model.h"
#include "ui/form/edit_keys.h"
#include "ui/form/find_bar.h"
#include "ui/form/form_help_mode.h"
#include "ui/form/person_details_panel.h"
#include "ui/form/person_list_model.h"
#include "ui/kit/control_id.h"
#include "ui/kit/form_text.h"
#include "ui/kit/sorted_combo.h"

namespace vimbo {

MainView::MainView(QWidget* parent) : QWidget(parent), units_(fontMetrics()) {
  helpMode_ = new FormHelpMode(*this);
  connect(helpMode_, &FormHelpMode::HelpRequested, this, &MainView::HelpRequested);
  BuildForm();
  editKeys_ = new EditKeys(*this);
  connect(editKeys_, &EditKeys::CommandKeyPressed, this, &MainView::CommandKeyPressed);
  SetEditMode(EditMode::kBrowsing);
  ShowContact(0);

  connect(personSelector_, &QComboBox::activated, this, &MainView::OnPersonPicked);
  connect(contactsList_->selectionModel(), &QItemSelectionModel::selectionChanged, this, &MainView::OnContactSelected);
}

void MainView::SetDocument(LogDocument& document) {
  document_ = &document;
  connect(&document, &LogDocument::replaced, this, &MainView::OnReplaced);
  connect(&document, &LogDocument::changed, this, &MainView::OnChanged);
  connect(&document, &LogDocument::reloaded, this, &MainView::OnReloaded);
  // The lists read their rows from the document: they let go of it first.
  connect(&document, &QObject::destroyed, this, [this] {
    document_ = nullptr;
    contacts_->Clear();
    findBar_->Refresh();
  });
  OnReplaced();
}

const DocumentData& MainView::Data() const {
  static const DocumentData kNoDocument;
  return document_ ? document_->Data() : kNoDocument;
}

FormState MainView::State() const {
  return {editMode_, person_.id, contact_.id, !Data().persons.Empty(), !Data().contacts.Empty()};
}

// The commands' enabling is told only when something it reads changed.
void MainView::NoteState() {
  const FormState state = State();
  if (state.mode == noted_.mode && state.currentPersonId == noted_.currentPersonId &&
      state.currentContactId == noted_.currentContactId && state.hasPersons == noted_.hasPersons &&
      state.hasContacts == noted_.hasContacts)
    return;
  noted_ = state;
  emit StateChanged();
}

bool MainView::InHelpMode() const { return helpMode_->IsOn(); }

void MainView::EnterHelpMode() { helpMode_->Enter(); }

void MainView::SetHelpOutsideForm(std::function<bool(const QPoint& globalPos)> pick) {
  helpMode_->SetOutsidePick(std::move(pick));
}

// An edit in progress belongs to the content it began in: when that content
// is thrown away, the edit ends as Cancel ends it.
void MainView::OnReplaced() {
  if (editMode_ != EditMode::kBrowsing) SetEditMode(EditMode::kBrowsing);
  Refill(true, true, true, FormChange::kRefill, 0, 0);
}

// An edit under way goes on: its record is found again by ID, and the
// panel keeps what the user typed.
void MainView::OnReloaded() { Refill(true, true, true, FormChange::kReloaded, 0, 0); }

// Only what the change touched is refilled: the form shows nothing of the
// user, and contact type names appear in the selector and the list.
void MainView::OnChanged(const DocumentChanges& changes) {
  const FormChange how = std::exchange(pending_, FormChange::kStep);
  Refill(changes.persons, changes.contacts, changes.contactTypes, how, changes.personId, changes.contactId);
}

void MainView::Refill(bool persons, bool contacts, bool types, FormChange how, int32_t stepPerson,
                      int32_t stepContact) {
  if (types) RefreshContactTypes();
  if (contacts) contacts_->ForgetOrders();
  if (persons) RefillPersons(stepPerson);
  const CurrentRecord person = PersonAfter(how, person_, stepPerson, PersonRows(), editMode_ != EditMode::kBrowsing);
  // The form's own Update and Delete show the first contact, as a new
  // person does; an import or the owner's details leave the list alone.
  const bool formEdit = how == FormChange::kStored || how == FormChange::kPersonDeleted;
  if (persons || person.id != person_.id || contacts || types)
    MakePersonCurrent(person, how, stepContact, contacts || types || formEdit);
  ShowEmptyHint();
  if (persons || contacts) findBar_->Refresh();
  NoteState();
}

// A change to one person moves that one entry; any other change lists the
// document's persons anew.
void MainView::RefillPersons(int32_t onlyPerson) {
  // Refilling is not a choice of the user's, so nobody hears of it.
  const QSignalBlocker blocker(personSelector_);
  if (onlyPerson > 0) {
    const int row = persons_->RowOf(onlyPerson);
    if (row >= 0) persons_->Remove(row);
    if (const Person* person = Data().persons.Find(onlyPerson))
      persons_->Insert({ToDisplay(person->DisplayName()), onlyPerson});
  } else {
    std::vector<NamedEntry> entries;
    entries.reserve(Data().persons.Size());
    for (const auto& [id, person] : Data().persons) entries.push_back({ToDisplay(person.DisplayName()), id});
    persons_->Fill(std::move(entries));
  }
  personSelector_->setCurrentIndex(-1);
}

ListRows MainView::PersonRows() const {
  return {persons_->rowCount(), [this](int32_t id) { return persons_->RowOf(id); },
          [this](int row) { return persons_->IdAt(row); }};
}

ListRows MainView::ContactRows() const {
  return {contacts_->rowCount(), [this](int32_t id) { return contacts_->RowOf(id); },
          [this](int row) { return contacts_->ContactIdAt(row); }};
}

void MainView::MakePersonCurrent(CurrentRecord person, FormChange how, int32_t stepContact, bool contactsChanged) {
  const bool editing = editMode_ != EditMode::kBrowsing;
  const bool samePerson = person.id == person_.id;
  {
    const QSignalBlocker blocker(personSelector_);
    personSelector_->setCurrentIndex(person.row);
  }
  if (person.row < 0 && persons_->rowCount() == 0) personSelector_->clearEditText();
  // While an edit is under way the boxes hold the user's typing.
  if (!editing) ShowPerson(person.id);
  person_ = person;
  if (samePerson && !contactsChanged) return;

  // The refill's own selection changes are not the user's choice.
  fillingContacts_ = true;
  contacts_->Fill(Data(), person.id);
  fillingContacts_ = false;
  MakeContactCurrent(ContactAfter(how, contact_, stepContact, ContactRows(), IsContactMode(editMode_)));
}

void MainView::MakeContactCurrent(CurrentRecord contact) {
  contact_ = contact;
  if (contact.row >= 0) {
    fillingContacts_ = true;
    contactsList_->setCurrentIndex(contacts_->index(contact.row, 0));
    contactsList_->scrollTo(contacts_->index(contact.row, 0));
    fillingContacts_ = false;
  }
  if (!IsContactMode(editMode_)) ShowContact(contact.id);
  NoteState();
}

void MainView::GoTo(int32_t personId, int32_t contactId) {
  if (editMode_ != EditMode::kBrowsing) return;
  const CurrentRecord person = PersonAfter(FormChange::kStep, person_, personId, PersonRows(), false);
  if (person.id != person_.id)
    MakePersonCurrent(person, FormChange::kStep, contactId, false);
  else if (contactId > 0)
    MakeContactCurrent(ContactAfter(FormChange::kStep, contact_, contactId, ContactRows(), false));
  if (contactId == 0)
    personSelector_->setFocus(Qt::OtherFocusReason);
  else
    contactsList_->setFocus(Qt::OtherFocusReason);
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

void MainView::ShowPerson(int32_t id) {
  const Person* person = id > 0 ? Data().persons.Find(id) : nullptr;
  for (const PersonBox& box : personBoxes_) {
    const std::string_view bytes = person ? (person->*box.field).view() : std::string_view();
    // A box that already shows the text is left alone: most persons leave
    // most boxes empty, and each new text is laid out and announced.
    if (box.line) {
      const QString text = ToDisplay(bytes);
      if (box.line->text() != text) box.line->setText(text);
      // A long value is shown from its beginning, not scrolled to its end.
      box.line->setCursorPosition(0);
    } else {
      const QString text = MultiLineToDisplay(bytes);
      if (box.lines->toPlainText() != text) box.lines->setPlainText(text);
    }
  }
  details_->Show(person);
}

// The type is selected by its ID rather than by its name, so that of two
// types whose names differ only in case the contact's own one is shown, and
// a later edit of the contact keeps it.
void MainView::ShowContact(int32_t contactId) {
  const Contact* contact = contactId > 0 ? Data().contacts.Find(contactId) : nullptr;
  if (!contact) {
    notesBox_->clear();
    followUp_->SetFollowUp({});
    SetPickers(clock_());
    contactTypeSelector_->setCurrentIndex(-1);
    return;
  }
  notesBox_->setPlainText(MultiLineToDisplay(contact->Description));
  followUp_->SetFollowUp(contact->FollowUp);
  SetPickers(contact->DateTime.IsValid() ? contact->DateTime : clock_());
  contactTypeSelector_->setCurrentIndex(contactTypeSelector_->findData(contact->ContactTypeID));
}

void MainView::SetPickers(const DateTimeValue& value) {
  const SystemTime time = value.ToSystemTime();
  datePicker_->setDate(QDate(time.year, time.month, time.day));
  timePicker_->setTime(QTime(time.hour, time.minute, time.second));
}

void MainView::OnPersonPicked(int position) {
  if (leavingSelectorText_) return;
  MakePersonCurrent({position, persons_->IdAt(position)}, FormChange::kRefill, 0, false);
  // While a person is edited, the boxes show the person picked, and Update
  // stores into that one.
  if (editMode_ != EditMode::kBrowsing) ShowPerson(person_.id);
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
    const int row = named.size() == 1 && !typed.isEmpty() ? named.front().row() : person_.row;
    {
      const QSignalBlocker blocker(personSelector_);
      personSelector_->setCurrentIndex(row);
      personSelector_->setEditText(personSelector_->itemText(row));
    }
    if (row != person_.row) OnPersonPicked(row);
    return;
  }
  if (personSelector_->currentIndex() == person_.row) return;
  const QString typed = personSelector_->lineEdit()->text();
  const QSignalBlocker blocker(personSelector_);
  personSelector_->setCurrentIndex(person_.row);
  personSelector_->lineEdit()->setText(typed);
}

void MainView::OnContactSelected(const QItemSelection& selected) {
  if (fillingContacts_ || selected.isEmpty()) return;
  const int row = selected.indexes().front().row();
  contact_ = {row, contacts_->ContactIdAt(row)};
  ShowContact(contact_.id);
  NoteState();
}

int MainView::GroupBoxAt(const QPoint& globalPos) const {
  for (const QGroupBox* box : {personGroup_, contactGroup_, contactsGroup_}) {
    if (box->rect().contains(box->mapFromGlobal(globalPos))) return ControlId(box);
  }
  return 0;
}

}  // namespace vimbo
