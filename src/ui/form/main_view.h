#pragma once
// The one form inside the main window: the person selector and the person's
// fields, the panel of one logged contact, and the list of that person's
// contacts. It runs the Person and Contact commands as document operations
// and refills only what the document says a change touched.

#include <QHash>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <vector>

#include "core/records/date_time_value.h"
#include "core/records/records.h"
#include "ui/form/command_state.h"
#include "ui/form/current_records.h"
#include "ui/form/edit_mode.h"
#include "ui/kit/command_ids.h"
#include "ui/kit/dialog_units.h"

class QComboBox;
class QDateEdit;
class QDateTimeEdit;
class QGroupBox;
class QGridLayout;
class QItemSelection;
class QLineEdit;
class QPlainTextEdit;
class QTimeEdit;
class QTreeView;

namespace vimbo {

struct Contact;
struct DocumentChanges;
struct DocumentData;
class ContactsListModel;
class EditKeys;
class FindBar;
class FormHelpMode;
class LogDocument;
class Prompter;
class FollowUpEdit;
class PersonDetailsPanel;
class PersonListModel;

class MainView : public QWidget {
  Q_OBJECT

 public:
  explicit MainView(QWidget* parent = nullptr);

  // The document shown, and the questions the form asks, through the
  // document's prompter.
  void SetDocument(LogDocument& document);
  // Where a new contact's date and time come from; the wall clock unless a
  // test fixes it.
  void SetClock(Clock clock) { clock_ = clock; }

  // Runs a Person or Contact command. The caller runs only enabled commands.
  void PersonAdd();
  void PersonEdit();
  void PersonUpdate();
  void PersonCancel();
  void PersonDelete();
  void ContactAdd();
  void ContactEdit();
  void ContactUpdate();
  void ContactCancel();
  void ContactDelete();
  void OpenFindBar();
  // Makes a person current, and a contact of theirs when not 0, as a result
  // of the find bar or an entry of Today; nothing during an edit.
  void GoTo(int32_t personId, int32_t contactId);

  // What the enabling of the form's commands depends on.
  FormState State() const;

  // main_form::kPersonGroup, kContactGroup or kContactsGroup when the point
  // lies in that group box, else 0.
  int GroupBoxAt(const QPoint& globalPos) const;

  // The next left-button release picks a control to ask help for.
  void EnterHelpMode();
  bool InHelpMode() const;
  // A help-mode click outside the form is offered to `pick`; when it picks
  // something, help mode ends.
  void SetHelpOutsideForm(std::function<bool(const QPoint& globalPos)> pick);

  QSize sizeHint() const override;

 signals:
  void HelpRequested(int controlId, QPoint globalPos);
  // The find bar opened or closed, and the form needs that much more or less
  // height: `extra` is the bar's height with its spacing, or 0.
  void FindBarToggled(int extra);
  // A key of an edit asks for the command it stands for (Esc for Cancel,
  // Ctrl+Return for Update), to be run as the menu runs it.
  void CommandKeyPressed(CommandId id);
  // The edit mode or the current person or contact changed, so the
  // enabling of the commands may have.
  void StateChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // One of the seventeen person boxes and the field it shows; the Address
  // box is the only multi-line one.
  struct PersonBox {
    QLineEdit* line = nullptr;
    QPlainTextEdit* lines = nullptr;
    CompactText Person::*field = nullptr;
  };

  // Form construction, in main_view_form.cpp.
  void BuildForm();
  QGroupBox* BuildPersonGroup();
  QGroupBox* BuildDetailsPanel();
  QGroupBox* BuildContactGroup();
  QGroupBox* BuildContactsGroup();
  QWidget* BuildFindBar();
  // A label at the cell given, naming `control` and moving the focus to it.
  void AddLabel(QGridLayout& grid, int id, const char* text, QWidget* control, int row, int column);
  void Register(QWidget* control, int id);
  QWidget* Control(int id) const { return controls_.value(id, nullptr); }
  void SetTabOrder();
  void FitContactColumns();
  void FillNotesColumn();

  // The locks of the form's boxes, each with its look, in
  // main_view_look.cpp; and the hint of an empty document.
  void LockPersonBoxes(bool readOnly);
  void LockNotes(bool readOnly);
  void EnableContactFields(bool enabled);
  void ShowLocks();
  void ShowEmptyHint();

  // The one place where the mode changes: every control's lock follows it.
  void SetEditMode(EditMode mode);
  void RefuseForNoIdentifiers(const QString& text);
  Person PersonFromBoxes(const Person& original) const;
  Contact ContactFromPanel(const Contact* original) const;

  // What the document said: a new content, or a change to what `changes`
  // names. `how` is what the form itself did, for the choice of records.
  void OnReplaced();
  void OnReloaded();
  void OnChanged(const DocumentChanges& changes);
  void Refill(bool persons, bool contacts, bool types, FormChange how, int32_t stepPerson, int32_t stepContact);
  void RefreshContactTypes();
  void RefillPersons(int32_t onlyPerson);
  ListRows PersonRows() const;
  ListRows ContactRows() const;
  // Makes `person` current and shows it; for another person, or when its
  // contacts changed, fills them and makes the contact the rules choose
  // current.
  void MakePersonCurrent(CurrentRecord person, FormChange how, int32_t stepContact, bool contactsChanged);
  void MakeContactCurrent(CurrentRecord contact);
  void ShowPerson(int32_t id);
  void ShowContact(int32_t contactId);
  void NoteState();

  const DocumentData& Data() const;
  void SetPickers(const DateTimeValue& value);
  void OnPersonPicked(int position);
  void KeepPersonSelection();
  void OnContactSelected(const QItemSelection& selected);
  bool LetsHistoryKeysThrough(QEvent* event) const;

  LogDocument* document_ = nullptr;
  CurrentRecord person_;
  CurrentRecord contact_;
  // What the form is about to do to the document, while it does it; an
  // undo, a redo or another window's change is a step.
  FormChange pending_ = FormChange::kStep;
  EditMode editMode_ = EditMode::kBrowsing;
  FormState noted_;
  Clock clock_ = &DateTimeValue::Now;
  bool fillingContacts_ = false;
  bool leavingSelectorText_ = false;
  bool selectorReturn_ = false;

  DialogUnits units_;
  QHash<int, QWidget*> controls_;
  FormHelpMode* helpMode_ = nullptr;
  EditKeys* editKeys_ = nullptr;
  FindBar* findBar_ = nullptr;
  std::vector<PersonBox> personBoxes_;
  QGroupBox* personGroup_ = nullptr;
  PersonDetailsPanel* details_ = nullptr;
  QGroupBox* contactGroup_ = nullptr;
  QGroupBox* contactsGroup_ = nullptr;
  QComboBox* personSelector_ = nullptr;
  PersonListModel* persons_ = nullptr;
  QComboBox* contactTypeSelector_ = nullptr;
  QDateEdit* datePicker_ = nullptr;
  QTimeEdit* timePicker_ = nullptr;
  QPlainTextEdit* notesBox_ = nullptr;
  FollowUpEdit* followUp_ = nullptr;
  QTreeView* contactsList_ = nullptr;
  ContactsListModel* contacts_ = nullptr;
};

}  // namespace vimbo
