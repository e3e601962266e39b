#pragma once
// The one form inside the main window: the person selector and the person's
// fields, the panel of one logged contact, and the list of that person's
// contacts. It reads the document it is attached to and refills itself
// whenever the document tells it to.

#include <QHash>
#include <QWidget>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/records/date_time_value.h"
#include "core/records/records.h"
#include "ui/document/document_view.h"
#include "ui/form/command_state.h"
#include "ui/form/edit_mode.h"
#include "ui/kit/dialog_units.h"

class QComboBox;
class QDateEdit;
class QDateTimeEdit;
class QGroupBox;
class QGridLayout;
class QItemSelection;
class QLineEdit;
class QPlainTextEdit;
class QShortcut;
class QTimeEdit;
class QTreeView;

namespace vimbo {

struct Contact;
struct DocumentData;
class ContactsListModel;
class FindBar;
class HelpSystem;
class Prompter;
struct Person;
class PersonListModel;
class TouchDocument;

class MainView : public QWidget, public DocumentView {
  Q_OBJECT

 public:
  explicit MainView(QWidget* parent = nullptr);

  void SetDocument(TouchDocument& document);
  // The questions and help the form needs.
  void SetServices(Prompter& prompter, HelpSystem& help);
  // Where a new contact's date and time come from; the wall clock unless a
  // test fixes it.
  void SetClock(Clock clock) { clock_ = clock; }

  // Runs a Person or Contact command; false for a command the form does not
  // handle. The caller runs only enabled commands.
  bool OnCommand(CommandId id);
  // What the enabling of the form's commands depends on.
  FormState State() const;

  // Refills both selectors and shows the remembered person again.
  void OnUpdate() override;
  // An edit in progress belongs to the document it began in: when that
  // document is thrown away, the edit ends as Cancel ends it.
  void OnContentReplaced() override;
  // After an undo or redo: refills, and shows the person and contact the
  // step was about when they are still there.
  void OnHistoryStep(const DocumentChanges& changes) override;
  void Detach() override;
  void RefreshContactTypes();
  void RefreshPersons();
  void ShowPerson(int32_t id);
  void FillContacts(int32_t personId);
  void ShowContact(int32_t contactId);
  // The person boxes and the notes box follow the flag; the date and time
  // pickers and the contact type selector are disabled either way.
  void SetPersonFieldsReadOnly(bool readOnly);

  int32_t PersonPosition() const { return personPosition_; }
  int32_t CurrentPersonId() const { return currentPersonId_; }
  int32_t ContactPosition() const { return contactPosition_; }
  int32_t CurrentContactId() const { return currentContactId_; }
  EditMode GetEditMode() const { return editMode_; }

  QComboBox* PersonSelector() { return personSelector_; }
  QComboBox* ContactTypeSelector() { return contactTypeSelector_; }
  QTreeView* ContactsList() { return contactsList_; }
  FindBar* Finder() { return findBar_; }
  QDateEdit* DatePicker() { return datePicker_; }
  QTimeEdit* TimePicker() { return timePicker_; }
  QPlainTextEdit* NotesBox() { return notesBox_; }
  // Any control, label or group box of the form by its number; null if none.
  QWidget* Control(int id) const { return controls_.value(id, nullptr); }

  // main_form::kPersonGroup, kContactGroup or kContactsGroup when the point lies in that group box, else 0.
  int GroupBoxAt(const QPoint& globalPos) const;

  // The next left-button release picks a control to ask help for.
  void EnterHelpMode();
  bool InHelpMode() const { return helpMode_; }

  QSize sizeHint() const override;

 signals:
  void HelpRequested(int controlId, QPoint globalPos);
  // The find bar opened or closed, and the form needs that much more or less
  // height: `extra` is the bar's height with its spacing, or 0.
  void FindBarToggled(int extra);
  // A key of an edit asks for the command it stands for (Esc for Cancel,
  // Ctrl+Return for Update), to be run as the menu runs it.
  void CommandKeyPressed(CommandId id);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

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
  QGroupBox* BuildContactGroup();
  QGroupBox* BuildContactsGroup();
  // A label at the cell given, naming `control` and moving the focus to it.
  void AddLabel(QGridLayout& grid, int id, const char* text, QWidget* control, int row, int column);
  void Register(QWidget* control, int id);
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
  std::array<QDateTimeEdit*, 2> Pickers() const;
  // The keys of an edit, in main_view_keys.cpp; live only during an edit.
  void BuildEditKeys();
  void EnableEditKeys();

  // The commands, in main_view_commands.cpp.
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
  // The one place where the mode changes: every control's lock follows it.
  void SetEditMode(EditMode mode);
  void RefuseForNoIdentifiers(const QString& text);
  Person PersonFromBoxes(const Person& original) const;
  Contact ContactFromPanel(const Contact* original) const;
  void SelectPerson(int32_t id);
  void SelectContact(int32_t id);
  // Makes a result of the find bar current: its person, and its contact.
  void GoTo(int32_t personId, int32_t contactId);
  QWidget* BuildFindBar();

  const DocumentData& Data() const;
  void SetPickers(const DateTimeValue& value);
  void OnPersonPicked(int position);
  void KeepPersonSelection();
  void OnContactSelected(const QItemSelection& selected);
  void ReleaseHelpGrab();
  bool LetsHistoryKeysThrough(QEvent* event) const;
  int ControlAt(const QPoint& pos) const;

  TouchDocument* document_ = nullptr;
  Prompter* prompter_ = nullptr;
  HelpSystem* help_ = nullptr;
  int32_t personPosition_ = 0;
  int32_t currentPersonId_ = 0;
  int32_t contactPosition_ = 0;
  int32_t currentContactId_ = 0;
  EditMode editMode_ = EditMode::Browsing;
  Clock clock_ = &DateTimeValue::Now;
  bool helpMode_ = false;
  bool helpGrab_ = false;
  bool fillingContacts_ = false;
  bool leavingSelectorText_ = false;
  bool selectorReturn_ = false;

  DialogUnits units_;
  QHash<int, QWidget*> controls_;
  std::vector<QShortcut*> editKeys_;
  FindBar* findBar_ = nullptr;
  std::vector<PersonBox> personBoxes_;
  QGroupBox* personGroup_ = nullptr;
  QGroupBox* contactGroup_ = nullptr;
  QGroupBox* contactsGroup_ = nullptr;
  QComboBox* personSelector_ = nullptr;
  PersonListModel* persons_ = nullptr;
  QComboBox* contactTypeSelector_ = nullptr;
  QDateEdit* datePicker_ = nullptr;
  QTimeEdit* timePicker_ = nullptr;
  QPlainTextEdit* notesBox_ = nullptr;
  QTreeView* contactsList_ = nullptr;
  ContactsListModel* contacts_ = nullptr;
};

}  // namespace vimbo
