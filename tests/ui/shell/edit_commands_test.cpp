// The Person and Contact commands driven through the main window, as the
// menus and the toolbar run them.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTest>
#include <QTimeEdit>
#include <QTreeView>
#include <QTreeWidget>
#include <functional>
#include <limits>
#include <map>
#include <string>
#include <utility>

#include "core/document/document_loader.h"
#include "core/document/document_writer.h"
#include "core/records/date_time_text.h"
#include "gfx/display_text.h"
#include "support/dates.h"
#include "support/document_setup.h"
#include "support/form_widgets.h"
#include "support/people.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"
#include "ui/editors/contact_types_dialog.h"
#include "ui/editors/user_info_sheet.h"
#include "ui/form/main_view.h"
#include "ui/kit/command_ids.h"
#include "ui/shell/main_frame.h"
#include "ui/shell/settings_store.h"

namespace vimbo {
namespace {

using testing::ContactsList;
using testing::ContactTypeSelector;
using testing::DatePicker;
using testing::FormControl;
using testing::NotesBox;
using testing::PersonSelector;
using testing::TimePicker;

using namespace command;

using testing::At;

struct EditCommandsFixture : ::testing::Test {
  EditCommandsFixture() {
    OpenSettings()->clear();
    frame = std::make_unique<MainFrame>(prompter, MainFrame::Options{QString(), false});
    view = frame->View();
    frame->show();
  }

  DocumentData& Data() { return Records().Content(); }

  // Persons named by last name, given ids 1, 2, ...
  void AddPersons(std::initializer_list<const char*> lastNames) {
    for (const char* name : lastNames) {
      Person person;
      person.ID = Data().persons.NextID();
      person.LName = name;
      Data().persons.Insert(person);
    }
    Records().Apply();
  }

  void AddContact(int32_t personId, const DateTimeValue& when, const std::string& notes, int32_t typeId = 1) {
    Contact contact;
    contact.ID = Data().contacts.NextID();
    contact.PersonID = personId;
    contact.DateTime = when;
    contact.Description = notes;
    contact.ContactTypeID = typeId;
    Data().contacts.Insert(contact);
  }

  void Pick(const QString& displayName) {
    const int index = PersonSelector(view)->findText(displayName);
    ASSERT_GE(index, 0) << displayName.toStdString();
    PersonSelector(view)->setCurrentIndex(index);
    emit PersonSelector(view)->activated(index);
  }

  bool Enabled(CommandId id) {
    frame->UpdateCommandStates();
    return frame->Action(id)->isEnabled();
  }

  void Run(CommandId id) {
    ASSERT_TRUE(Enabled(id)) << "command " << static_cast<int>(id) << " is disabled";
    frame->Action(id)->trigger();
  }

  // Edit > Contact Types: the type in list row `row` renamed to `name`.
  void RenameType(int row, const char* name) {
    prompter.dialogs.push_back([this, row, name](QDialog& dialog) {
      auto& types = dynamic_cast<ContactTypesDialog&>(dialog);
      types.List()->setCurrentItem(types.List()->topLevelItem(row));
      prompter.dialogs.push_front([name](QDialog& details) {
        details.findChild<QLineEdit*>()->setText(QString::fromLatin1(name));
        details.accept();
        return int(QDialog::Accepted);
      });
      QTest::mouseClick(types.Button(1005), Qt::LeftButton);
      return 0;
    });
    Run(kEditContactTypes);
  }

  QLineEdit* Box(int id) { return qobject_cast<QLineEdit*>(FormControl(view, id)); }
  QPlainTextEdit* Address() { return qobject_cast<QPlainTextEdit*>(FormControl(view, 1010)); }
  QStringList SelectorTexts() {
    QStringList texts;
    for (int i = 0; i < PersonSelector(view)->count(); ++i) texts.append(PersonSelector(view)->itemText(i));
    return texts;
  }
  int ListedContacts() { return ContactsList(view)->model()->rowCount(); }
  QString ListCell(int row, int column) { return ContactsList(view)->model()->index(row, column).data().toString(); }
  void ChooseContact(int row) { ContactsList(view)->setCurrentIndex(ContactsList(view)->model()->index(row, 0)); }

  testing::TempDir dir;
  testing::ScriptedPrompter prompter;
  std::unique_ptr<MainFrame> frame;
  testing::WindowSetup<MainFrame> Records{frame};
  MainView* view = nullptr;
};

// A box that takes no typing shows the window's colour behind its text, and
// a locked picker no buttons, in every mode and after a change of scheme.
TEST_F(EditCommandsFixture, OnlyTheBoxesOpenForTypingLookEditable) {
  AddPersons({"Smith"});
  AddContact(1, At(2004, 3, 1, 9, 0, 0), "call");
  Records().Apply();
  const auto base = [](const QWidget* box) { return box->palette().color(QPalette::Active, QPalette::Base); };
  const auto lookReadOnly = [&](const QWidget* box) { return base(box) == box->palette().color(QPalette::Window); };
  const struct {
    CommandId enter, leave;
    bool personOpen, contactOpen;
  } modes[] = {{kPersonAdd, kPersonCancel, true, false},
               {kPersonEdit, kPersonCancel, true, false},
               {kContactAdd, kContactCancel, false, true},
               {kContactEdit, kContactCancel, false, true}};
  for (const auto& mode : modes) {
    Run(mode.enter);
    const std::vector<bool> locked = {lookReadOnly(Box(1001)),
                                      lookReadOnly(Address()),
                                      lookReadOnly(NotesBox(view)),
                                      lookReadOnly(TimePicker(view)),
                                      !DatePicker(view)->calendarPopup(),
                                      TimePicker(view)->buttonSymbols() == QAbstractSpinBox::NoButtons};
    const bool p = mode.personOpen, c = mode.contactOpen;
    EXPECT_EQ(locked, (std::vector<bool>{!p, !p, !c, !c, !c, !c})) << static_cast<int>(mode.enter);
    Run(mode.leave);
    EXPECT_TRUE(lookReadOnly(Address()) && lookReadOnly(NotesBox(view)) && lookReadOnly(TimePicker(view)));
  }
  QPalette dark = frame->palette();
  dark.setColor(QPalette::Window, Qt::darkGray);
  frame->setPalette(dark);
  EXPECT_EQ(base(Box(1001)), QColor(Qt::darkGray));
}

// The selector of an empty document tells how to begin, and only then.
TEST_F(EditCommandsFixture, AnEmptyDocumentHintsAtPersonAdd) {
  const QString hint = "No persons yet: use Person > Add";
  const auto shown = [this] { return PersonSelector(view)->lineEdit()->placeholderText(); };
  EXPECT_EQ(shown(), hint);
  Run(kPersonAdd);
  EXPECT_EQ(shown(), QString()) << "while the first person is typed";
  Run(kPersonUpdate);
  EXPECT_EQ(shown(), QString());
  Run(kPersonDelete);
  EXPECT_EQ(shown(), hint);
}

TEST_F(EditCommandsFixture, AddingAnEmptyPersonStoresItUnderANewId) {
  Run(kPersonAdd);
  EXPECT_EQ(view->State().mode, EditMode::kAddingPerson);
  EXPECT_EQ(frame->focusWidget(), FormControl(view, 1015));
  EXPECT_FALSE(Box(1001)->isReadOnly());
  EXPECT_TRUE(NotesBox(view)->isReadOnly());
  EXPECT_TRUE(PersonSelector(view)->isEnabled());
  EXPECT_FALSE(Enabled(kPersonAdd));
  EXPECT_FALSE(Enabled(kContactAdd));
  EXPECT_TRUE(Enabled(kPersonUpdate));

  Run(kPersonUpdate);
  EXPECT_EQ(view->State().mode, EditMode::kBrowsing);
  EXPECT_EQ(Data().persons.Size(), 1u);
  EXPECT_EQ(view->State().currentPersonId, 1);
  EXPECT_EQ(SelectorTexts(), QStringList({""}));
  EXPECT_TRUE(frame->Doc().IsModified());
  EXPECT_TRUE(Box(1001)->isReadOnly());
  EXPECT_TRUE(Enabled(kPersonEdit));
  EXPECT_TRUE(Enabled(kContactAdd));
}

TEST_F(EditCommandsFixture, EditingTheLastNameMovesTheEntryAndKeepsItSelected) {
  AddPersons({"Baker", "Carter", "Adams"});
  Pick("Adams");
  Run(kPersonEdit);
  EXPECT_EQ(frame->focusWidget(), FormControl(view, 1010));
  Box(1002)->setText(QStringLiteral("Zimmer"));
  Box(1001)->setText(QStringLiteral("Zoe"));
  Run(kPersonUpdate);
  EXPECT_EQ(SelectorTexts(), QStringList({"Baker", "Carter", "Zimmer, Zoe"}));
  EXPECT_EQ(PersonSelector(view)->currentIndex(), 2);
  EXPECT_EQ(PersonSelector(view)->currentIndex(), 2);
  EXPECT_EQ(view->State().currentPersonId, 3);
  EXPECT_EQ(Data().persons.Find(3)->LName, "Zimmer");
  EXPECT_EQ(Data().persons.Size(), 3u);
}

TEST_F(EditCommandsFixture, UpdateAfterPickingAnotherPersonStoresUnderThePickedId) {
  AddPersons({"Adams", "Baker"});
  Pick("Adams");
  Run(kPersonEdit);
  Pick("Baker");
  EXPECT_EQ(view->State().mode, EditMode::kEditingPerson);
  EXPECT_EQ(Box(1002)->text(), "Baker");
  Box(1003)->setText(QStringLiteral("Baker & Co"));
  Run(kPersonUpdate);
  EXPECT_EQ(Data().persons.Find(2)->Company, "Baker & Co");
  EXPECT_EQ(Data().persons.Find(1)->Company, "");
}

TEST_F(EditCommandsFixture, CancelRestoresTheStoredPerson) {
  AddPersons({"Adams"});
  Run(kPersonEdit);
  Box(1002)->setText(QStringLiteral("Changed"));
  Run(kPersonCancel);
  EXPECT_EQ(Box(1002)->text(), "Adams");
  EXPECT_FALSE(frame->Doc().IsModified());
  EXPECT_EQ(view->State().mode, EditMode::kBrowsing);

  Run(kPersonAdd);
  Run(kPersonCancel);
  EXPECT_EQ(Box(1002)->text(), "Adams");
  EXPECT_EQ(Data().persons.Size(), 1u);
}

TEST_F(EditCommandsFixture, DeletingAPersonMakesTheOneAboveCurrentAndTakesItsContacts) {
  AddPersons({"Adams", "Baker", "Carter", "Davis", "Evans"});
  AddContact(3, At(2004, 1, 1, 9, 0, 0), "about Carter");
  AddContact(2, At(2004, 1, 2, 9, 0, 0), "about Baker");
  Records().Apply();
  Pick("Carter");
  Run(kPersonDelete);
  EXPECT_EQ(SelectorTexts(), QStringList({"Adams", "Baker", "Davis", "Evans"}));
  EXPECT_EQ(view->State().currentPersonId, 2);
  EXPECT_EQ(PersonSelector(view)->currentIndex(), 1);
  EXPECT_EQ(Box(1002)->text(), "Baker");
  EXPECT_EQ(Data().contacts.Size(), 1u);
  EXPECT_EQ(ListedContacts(), 1);
  EXPECT_TRUE(frame->Doc().IsModified());

  Pick("Adams");
  Run(kPersonDelete);
  EXPECT_EQ(view->State().currentPersonId, 2) << "the first entry when the first was deleted";
}

TEST_F(EditCommandsFixture, DeletingTheOnlyPersonLeavesNothingCurrent) {
  AddPersons({"Adams"});
  AddContact(1, At(2004, 1, 1, 9, 0, 0), "note");
  Records().Apply();
  Run(kPersonDelete);
  EXPECT_EQ(PersonSelector(view)->count(), 0);
  EXPECT_EQ(PersonSelector(view)->currentIndex(), -1);
  EXPECT_EQ(view->State().currentPersonId, 0);
  EXPECT_TRUE(Data().contacts.Empty());
  EXPECT_FALSE(Enabled(kPersonEdit));
  EXPECT_FALSE(Enabled(kPersonDelete));
  EXPECT_FALSE(Enabled(kContactAdd));
  EXPECT_TRUE(Enabled(kPersonAdd));
}

TEST_F(EditCommandsFixture, AddingAContactTakesTheChosenDateTimeTypeAndNotes) {
  AddPersons({"Adams"});
  Run(kContactAdd);
  EXPECT_EQ(view->State().mode, EditMode::kAddingContact);
  EXPECT_EQ(frame->focusWidget(), DatePicker(view));
  EXPECT_FALSE(PersonSelector(view)->isEnabled());
  EXPECT_FALSE(ContactsList(view)->isEnabled());
  EXPECT_TRUE(ContactTypeSelector(view)->isEnabled());
  EXPECT_EQ(ContactTypeSelector(view)->currentText(), "Correspondence") << "the alphabetically first type";
  for (CommandId id : {kPersonAdd, kPersonEdit, kPersonDelete, kContactAdd, kContactEdit, kContactDelete})
    EXPECT_FALSE(Enabled(id)) << id;

  DatePicker(view)->setDate(QDate(2004, 2, 29));
  TimePicker(view)->setTime(QTime(13, 5, 9, 700));
  ContactTypeSelector(view)->setCurrentIndex(ContactTypeSelector(view)->findText("Telephone"));
  QTest::keyClicks(NotesBox(view), "Called & agreed");
  Run(kContactUpdate);

  ASSERT_EQ(Data().contacts.Size(), 1u);
  const Contact& stored = Data().contacts.begin()->second;
  EXPECT_EQ(DocumentDateText(stored.DateTime), "2/29/2004 1:05:09 PM");
  EXPECT_EQ(stored.Description, "Called & agreed");
  EXPECT_EQ(Data().contactTypes.Find(stored.ContactTypeID)->Description, "Telephone");
  EXPECT_EQ(stored.PersonID, 1);
  EXPECT_EQ(view->State().currentContactId, stored.ID);
  EXPECT_EQ(view->State().mode, EditMode::kBrowsing);
  EXPECT_TRUE(NotesBox(view)->isReadOnly());
  EXPECT_TRUE(PersonSelector(view)->isEnabled());
  EXPECT_FALSE(DatePicker(view)->isEnabled());
}

TEST_F(EditCommandsFixture, AContactWithoutTypesGetsTypeMinusOne) {
  Data().contactTypes.Clear();
  AddPersons({"Adams"});
  Run(kContactAdd);
  EXPECT_EQ(ContactTypeSelector(view)->currentIndex(), -1);
  Run(kContactUpdate);
  EXPECT_EQ(Data().contacts.begin()->second.ContactTypeID, -1);
  EXPECT_EQ(ListCell(0, 2), "");
}

TEST_F(EditCommandsFixture, EditingAnOlderContactLeavesTheLatestCurrent) {
  AddPersons({"Adams"});
  AddContact(1, At(2004, 3, 1, 9, 0, 0), "latest");
  AddContact(1, At(2004, 1, 5, 10, 0, 0), "older");
  Records().Apply();
  ChooseContact(1);
  EXPECT_EQ(view->State().currentContactId, 2);
  Run(kContactEdit);
  EXPECT_EQ(view->State().mode, EditMode::kEditingContact);
  NotesBox(view)->setPlainText(QStringLiteral("older, edited"));
  Run(kContactUpdate);
  EXPECT_EQ(Data().contacts.Find(2)->Description, "older, edited");
  EXPECT_EQ(Data().contacts.Find(2)->DateTime, At(2004, 1, 5, 10, 0, 0));
  EXPECT_EQ(view->State().currentContactId, 1);
  EXPECT_EQ(NotesBox(view)->toPlainText(), "latest");
}

TEST_F(EditCommandsFixture, ContactCancelShowsTheStoredNotesAndModifiesNothing) {
  AddPersons({"Adams"});
  AddContact(1, At(2004, 3, 1, 9, 0, 0), "stored");
  Records().Apply();
  Run(kContactEdit);
  NotesBox(view)->setPlainText(QStringLiteral("typed"));
  Run(kContactCancel);
  EXPECT_EQ(NotesBox(view)->toPlainText(), "stored");
  EXPECT_FALSE(frame->Doc().IsModified());
  EXPECT_FALSE(DatePicker(view)->isEnabled());
  EXPECT_TRUE(ContactsList(view)->isEnabled());
}

TEST_F(EditCommandsFixture, DeletingAContactMakesTheLatestRemainingCurrent) {
  AddPersons({"Adams"});
  AddContact(1, At(2004, 3, 1, 9, 0, 0), "march");
  AddContact(1, At(2004, 1, 5, 10, 0, 0), "january");
  AddContact(1, At(2003, 12, 31, 23, 59, 59), "december");
  Records().Apply();
  ChooseContact(1);
  Run(kContactDelete);
  EXPECT_EQ(Data().contacts.Size(), 2u);
  EXPECT_EQ(view->State().currentContactId, 1);
  EXPECT_EQ(NotesBox(view)->toPlainText(), "march");
  EXPECT_TRUE(frame->Doc().IsModified());
  Run(kContactDelete);
  Run(kContactDelete);
  EXPECT_EQ(view->State().currentContactId, 0);
  EXPECT_EQ(NotesBox(view)->toPlainText(), "");
  EXPECT_FALSE(Enabled(kContactDelete));
}

// Line breaks of the address: one CR LF per break, however often the person
// is edited, and an older CR CR LF shown as one break.
TEST_F(EditCommandsFixture, AddressLineBreaksAreStoredAsOnePairEach) {
  AddPersons({"Adams"});
  Run(kPersonEdit);
  Address()->setPlainText(QStringLiteral("1 Main St\nApt 2\nSpringfield"));
  Run(kPersonUpdate);
  EXPECT_EQ(Data().persons.Find(1)->Address, "1 Main St\r\nApt 2\r\nSpringfield");
  for (int round = 0; round < 3; ++round) {
    Run(kPersonEdit);
    Box(1012)->setText(QStringLiteral("City %1").arg(round));
    Run(kPersonUpdate);
  }
  EXPECT_EQ(Data().persons.Find(1)->Address, "1 Main St\r\nApt 2\r\nSpringfield");
  EXPECT_EQ(Address()->toPlainText(), "1 Main St\nApt 2\nSpringfield");

  Data().persons.Find(1);
  Person old = *Data().persons.Find(1);
  old.Address = "Old Road 5\r\r\nOldtown";
  Data().persons.Erase(1);
  Data().persons.Insert(old);
  Records().Apply();
  EXPECT_EQ(Address()->toPlainText(), "Old Road 5\nOldtown");
  Run(kPersonEdit);
  Run(kPersonUpdate);
  EXPECT_EQ(Data().persons.Find(1)->Address, "Old Road 5\r\r\nOldtown") << "unedited bytes are kept";
  Run(kPersonEdit);
  Address()->setPlainText(QStringLiteral("Old Road 7\nOldtown"));
  Run(kPersonUpdate);
  EXPECT_EQ(Data().persons.Find(1)->Address, "Old Road 7\r\nOldtown");
}

TEST_F(EditCommandsFixture, UneditedFieldsKeepTheirBytes) {
  Person person;
  person.ID = 1;
  person.LName = "M\xfcller";
  person.City = "K\xf6ln";
  Data().persons.Insert(person);
  Records().Apply();
  Run(kPersonEdit);
  Box(1001)->setText(QStringLiteral("Jürgen"));
  Run(kPersonUpdate);
  EXPECT_EQ(Data().persons.Find(1)->LName, "M\xfcller");
  EXPECT_EQ(Data().persons.Find(1)->City, "K\xf6ln");
  EXPECT_EQ(Data().persons.Find(1)->FName, "J\xc3\xbcrgen");
}

TEST_F(EditCommandsFixture, EditUserStoresTheSheetOnOkOnly) {
  prompter.dialogs.push_back([](QDialog& dialog) {
    auto& sheet = dynamic_cast<UserInfoSheet&>(dialog);
    qobject_cast<QLineEdit*>(sheet.Control(1001))->setText(QStringLiteral("Sam"));
    return int(QDialog::Rejected);
  });
  Run(kEditUser);
  EXPECT_EQ(Data().user.FName, "");
  EXPECT_FALSE(frame->Doc().IsModified());

  prompter.dialogs.push_back([](QDialog& dialog) {
    auto& sheet = dynamic_cast<UserInfoSheet&>(dialog);
    qobject_cast<QLineEdit*>(sheet.Control(1001))->setText(QStringLiteral("Sam"));
    QTest::mouseClick(sheet.OkButton(), Qt::LeftButton);
    return dialog.result();
  });
  Run(kEditUser);
  EXPECT_EQ(Data().user.FName, "Sam");
  EXPECT_TRUE(frame->Doc().IsModified());
}

TEST_F(EditCommandsFixture, ARenamedContactTypeShowsAtOnceInTheForm) {
  AddPersons({"Adams"});
  AddContact(1, At(2004, 3, 1, 9, 0, 0), "note", 2);
  Records().Apply();
  EXPECT_EQ(ListCell(0, 2), "E-Mail");
  RenameType(1, "Zmail");
  EXPECT_EQ(Data().contactTypes.Find(2)->Description, "Zmail");
  EXPECT_EQ(ListCell(0, 2), "Zmail");
  EXPECT_EQ(ContactTypeSelector(view)->itemText(3), "Zmail") << "in its alphabetical place";
  EXPECT_EQ(ContactTypeSelector(view)->currentText(), "Zmail");
  EXPECT_TRUE(frame->Doc().IsModified());
}

// An edit belongs to the document it began in: whatever replaces the
// document ends the edit as Cancel does, and the next Update has nothing to
// store.
TEST_F(EditCommandsFixture, AnEditEndsWhenTheDocumentIsReplaced) {
  AddPersons({"Adams", "Berg"});
  const QString path = QString::fromStdString(dir.File("sample.tch"));
  ASSERT_TRUE(Write(Data(), dir.File("sample.tch")).IsDone());
  const QString bad = QString::fromStdString(dir.File("bad.tch"));
  testing::WriteBytes(bad.toStdString(), "<Vimbo>");

  const std::vector<std::pair<const char*, std::function<void()>>> replacements = {
      {"New", [&] { frame->OnCommand(kNew); }},
      {"Open",
       [&] {
         prompter.openNames.push_back(path);
         frame->OnCommand(kOpen);
       }},
      {"Recent", [&] { frame->OnCommand(kRecentFirst); }},
      {"Rejected", [&] {
         prompter.openNames.push_back(bad);
         prompter.answers = {Prompter::Answer::kOk, Prompter::Answer::kOk};
         frame->OnCommand(kOpen);
       }}};
  for (const auto& [name, replace] : replacements) {
    for (const CommandId command : {kPersonEdit, kPersonAdd, kContactAdd, kContactEdit}) {
      SCOPED_TRACE(std::string(name) + " during command " + std::to_string(static_cast<int>(command)));
      frame->OpenStartupFiles({path});
      Pick("Berg");
      AddContact(2, At(2004, 3, 1, 9, 0, 0), "stored");
      Records().Apply();
      Run(command);
      Box(1001)->setText(QStringLiteral("typed"));
      NotesBox(view)->setPlainText(QStringLiteral("typed"));
      replace();
      EXPECT_EQ(view->State().mode, EditMode::kBrowsing);
      EXPECT_FALSE(Enabled(kPersonUpdate) || Enabled(kContactUpdate));
      EXPECT_TRUE(Box(1001)->isReadOnly() && NotesBox(view)->isReadOnly());
      EXPECT_TRUE(PersonSelector(view)->isEnabled() && ContactsList(view)->isEnabled());
      EXPECT_NE(Box(1001)->text(), "typed");
      EXPECT_TRUE(Data().contacts.Empty());
    }
  }
}

// The contact types editor may run during an edit: what the user typed stays,
// and Update stores it into the record being edited.
TEST_F(EditCommandsFixture, AnEditSurvivesTheContactTypesEditor) {
  AddPersons({"Adams", "Berg"});
  AddContact(2, At(2004, 3, 1, 9, 0, 0), "stored", 1);
  Records().Apply();

  Pick("Berg");
  Run(kPersonEdit);
  Box(1001)->setText(QStringLiteral("Bea"));
  RenameType(0, "Aletter");
  EXPECT_EQ(Box(1001)->text(), "Bea");
  Run(kPersonUpdate);
  EXPECT_EQ(Data().persons.Find(2)->FName, "Bea");
  EXPECT_EQ(Data().persons.Find(1)->FName, "");

  Pick("Berg, Bea");
  Run(kContactAdd);
  DatePicker(view)->setDate(QDate(2010, 5, 6));
  TimePicker(view)->setTime(QTime(7, 8, 9));
  ContactTypeSelector(view)->setCurrentIndex(ContactTypeSelector(view)->findData(3));
  NotesBox(view)->setPlainText(QStringLiteral("typed"));
  RenameType(2, "Zz");
  EXPECT_EQ(NotesBox(view)->toPlainText(), "typed");
  EXPECT_EQ(ContactTypeSelector(view)->currentText(), "Zz");
  EXPECT_EQ(view->State().mode, EditMode::kAddingContact);
  Run(kContactUpdate);
  ASSERT_NE(Data().contacts.Find(2), nullptr);
  const Contact& added = *Data().contacts.Find(2);
  EXPECT_EQ(added.PersonID, 2);
  EXPECT_EQ(added.ContactTypeID, 3);
  EXPECT_EQ(added.Description, "typed");
  EXPECT_EQ(added.DateTime, At(2010, 5, 6, 7, 8, 9));
}

// With the identifier counter spent, Update refuses and changes nothing;
// the edit stays open so the user can still cancel.
TEST_F(EditCommandsFixture, NoRecordIsStoredUnderIdZero) {
  AddPersons({"Adams"});
  Data().persons.LastID = std::numeric_limits<int32_t>::max();
  Data().contacts.LastID = std::numeric_limits<int32_t>::max();
  Records().Apply();
  struct Case {
    CommandId add, update;
    EditMode mode;
    QString text;
  };
  for (const Case& c : {Case{kPersonAdd, kPersonUpdate, EditMode::kAddingPerson,
                             "The person cannot be added: this document has no identifiers left for new persons."},
                        Case{kContactAdd, kContactUpdate, EditMode::kAddingContact,
                             "The contact cannot be added: this document has no identifiers left for new contacts."}}) {
    Run(c.add);
    Box(1001)->setText(QStringLiteral("typed"));
    prompter.answers = {Prompter::Answer::kOk};
    Run(c.update);
    ASSERT_FALSE(prompter.messages.empty());
    EXPECT_EQ(prompter.messages.back().text, c.text);
    EXPECT_EQ(prompter.messages.back().caption, "Vimbo");
    EXPECT_EQ(prompter.messages.back().icon, Prompter::Icon::kError);
    EXPECT_EQ(view->State().mode, c.mode);
    EXPECT_EQ(Data().persons.Size(), 1u);
    EXPECT_TRUE(Data().contacts.Empty());
    EXPECT_FALSE(frame->Doc().IsModified());
    Run(c.update == kPersonUpdate ? kPersonCancel : kContactCancel);
  }
}

// A value longer than Qt's default box limit survives an edit of another
// field, and an unchanged user sheet.
TEST_F(EditCommandsFixture, NoBoxCutsALongValue) {
  const std::string longText(40000, 'c');
  Person person = testing::NamedPerson(1, "", "Adams");
  person.Company = longText;
  Data().persons.Insert(person);
  Data().user.Company = longText;
  Data().user.WkPhone = std::string(33000, '5');
  Records().Apply();

  Run(kPersonEdit);
  Box(1023)->setText(QStringLiteral("555"));
  Run(kPersonUpdate);
  EXPECT_EQ(Data().persons.Find(1)->Company, longText);

  prompter.dialogs.push_back([](QDialog& dialog) {
    auto& sheet = dynamic_cast<UserInfoSheet&>(dialog);
    for (int page = 0; page < sheet.Tabs()->count(); ++page) sheet.Tabs()->setCurrentIndex(page);
    QTest::mouseClick(sheet.OkButton(), Qt::LeftButton);
    return dialog.result();
  });
  Run(kEditUser);
  EXPECT_EQ(Data().user.Company, longText);
  EXPECT_EQ(Data().user.WkPhone, std::string(33000, '5'));
}

// The road of one request: pick a person, log a contact, save it.
TEST_F(EditCommandsFixture, LoggingAContactAndSavingItEndToEnd) {
  AddPersons({"Smith", "Adams"});
  Records().Apply();
  Pick("Smith");
  Run(kContactAdd);
  DatePicker(view)->setDate(QDate(2026, 12, 7));
  TimePicker(view)->setTime(QTime(9, 30, 15));
  ContactTypeSelector(view)->setCurrentIndex(ContactTypeSelector(view)->findText("E-Mail"));
  NotesBox(view)->setPlainText(QStringLiteral("Sent the \"winter\" catalogue <pdf>."));
  Run(kContactUpdate);

  const std::string path = dir.File("log.tch");
  prompter.saveNames.push_back(QString::fromStdString(path));
  Run(kSaveAs);
  EXPECT_FALSE(frame->Doc().IsModified());
  EXPECT_EQ(frame->windowTitle(), QStringLiteral("Vimbo [%1]").arg(QString::fromStdString(path)));

  const std::string text = testing::ReadBytes(path);
  EXPECT_NE(text.find("\t\t<Contact ID=\"1\">\n"
                      "\t\t\t<PersonID>1</PersonID>\n"
                      "\t\t\t<DateTime>12/7/2026 9:30:15 AM</DateTime>\n"
                      "\t\t\t<Description>Sent the &quot;winter&quot; catalogue &lt;pdf&gt;.</Description>\n"
                      "\t\t\t<ContactTypeID>2</ContactTypeID>\n"
                      "\t\t</Contact>\n"),
            std::string::npos)
      << text;
  DocumentData reread;
  ASSERT_TRUE(Load(reread, path).Ok());
  EXPECT_EQ(reread.contacts.Find(1)->DateTime, At(2026, 12, 7, 9, 30, 15));
}

// Undo and Redo from the real Edit menu: each names its step, brings the
// form back to what the step changed, and the modified flag follows the
// saved point. An edit in progress locks both.
TEST_F(EditCommandsFixture, UndoAndRedoThroughTheEditMenu) {
  AddPersons({"Adams", "Baker"});
  AddContact(1, At(2004, 1, 1, 9, 0, 0), "about Adams");
  Records().Apply();
  prompter.saveNames.push_back(QString::fromStdString(dir.File("undo.tch")));
  Run(kSaveAs);
  const std::string saved = testing::ReadBytes(dir.File("undo.tch"));
  // The menu texts follow the history whenever the program is idle.
  const auto undoText = [&] {
    frame->UpdateCommandStates();
    return frame->Action(kUndo)->text();
  };
  const auto redoText = [&] {
    frame->UpdateCommandStates();
    return frame->Action(kRedo)->text();
  };
  frame->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
  EXPECT_FALSE(Enabled(kUndo));
  EXPECT_FALSE(Enabled(kRedo));
  EXPECT_EQ(undoText(), "&Undo\tCtrl+Z");

  Pick("Adams");
  Run(kPersonDelete);
  EXPECT_EQ(SelectorTexts(), QStringList({"Baker"}));
  EXPECT_EQ(undoText(), "&Undo Delete Person\tCtrl+Z");

  Run(kUndo);
  EXPECT_EQ(SelectorTexts(), QStringList({"Adams", "Baker"}));
  EXPECT_EQ(view->State().currentPersonId, 1) << "the restored person is shown";
  EXPECT_EQ(Box(1002)->text(), "Adams");
  EXPECT_EQ(ListedContacts(), 1);
  EXPECT_EQ(NotesBox(view)->toPlainText(), "about Adams");
  EXPECT_FALSE(frame->Doc().IsModified()) << "back at the saved point";
  EXPECT_EQ(redoText(), "&Redo Delete Person\tCtrl+Shift+Z");

  // Ctrl+Y redoes as well.
  QTest::keyClick(frame.get(), Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(SelectorTexts(), QStringList({"Baker"}));
  EXPECT_TRUE(frame->Doc().IsModified());
  Run(kUndo);

  // Ctrl+Z reaches the document wherever the focus is while browsing, also
  // from the person selector, whose own text box would otherwise take it.
  for (QWidget* focus : {static_cast<QWidget*>(PersonSelector(view)), static_cast<QWidget*>(Box(1002)),
                         static_cast<QWidget*>(Address()), static_cast<QWidget*>(ContactsList(view))}) {
    focus->setFocus();
    Run(kPersonDelete);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(SelectorTexts(), QStringList({"Adams", "Baker"})) << focus->metaObject()->className();
  }

  // A deleted contact comes back into the list, chosen.
  Run(kContactDelete);
  EXPECT_EQ(ListedContacts(), 0);
  Run(kUndo);
  EXPECT_EQ(ListedContacts(), 1);
  EXPECT_EQ(view->State().currentContactId, 1);
  EXPECT_EQ(NotesBox(view)->toPlainText(), "about Adams");

  // An edit in progress: neither Undo nor Redo, from the menu or the keys.
  Run(kPersonEdit);
  Box(1002)->setText("Abbott");
  EXPECT_FALSE(Enabled(kUndo));
  EXPECT_FALSE(Enabled(kRedo));
  QTest::keyClick(frame.get(), Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(view->State().mode, EditMode::kEditingPerson);
  Run(kPersonUpdate);
  EXPECT_EQ(undoText(), "&Undo Update Person\tCtrl+Z");
  EXPECT_FALSE(Enabled(kRedo)) << "a new step ends the redo";
  Run(kUndo);
  EXPECT_EQ(Box(1002)->text(), "Adams");

  // Back at the saved point, the file Save would write is the one saved.
  EXPECT_FALSE(frame->Doc().IsModified());
  ASSERT_TRUE(frame->Doc().WriteTo(QString::fromStdString(dir.File("undo.tch"))));
  EXPECT_EQ(testing::ReadBytes(dir.File("undo.tch")), saved);

  // A new document starts an empty history.
  Run(kNew);
  EXPECT_FALSE(Enabled(kUndo));
  EXPECT_FALSE(Enabled(kRedo));
}

// An edit, its undo and an import each refill only the lists they touched,
// and the commands follow at once, with no pass of the event loop between.
TEST_F(EditCommandsFixture, EachChangeRefillsOnlyWhatItTouched) {
  AddPersons({"Adams", "Baker"});
  AddContact(1, At(2004, 1, 1, 9, 0, 0), "about Adams");
  Records().Apply();
  Pick("Adams");
  std::map<std::string, int> refills;
  const auto count = [&](const char* name, QAbstractItemModel* model) {
    QObject::connect(model, &QAbstractItemModel::modelReset, [&refills, name] { ++refills[name]; });
  };
  count("persons", PersonSelector(view)->model());
  count("contacts", ContactsList(view)->model());
  count("types", ContactTypeSelector(view)->model());
  const auto refilled = [&] { return std::exchange(refills, {}); };
  using Refills = std::map<std::string, int>;

  Run(kContactEdit);
  NotesBox(view)->setPlainText(QStringLiteral("called back"));
  Run(kContactUpdate);
  EXPECT_EQ(refilled(), (Refills{{"contacts", 1}}));
  EXPECT_TRUE(frame->Action(kUndo)->isEnabled());
  EXPECT_TRUE(frame->Action(kSave)->isEnabled());

  frame->Action(kUndo)->trigger();
  EXPECT_EQ(refilled(), (Refills{{"contacts", 1}}));
  EXPECT_EQ(NotesBox(view)->toPlainText(), "about Adams");
  EXPECT_FALSE(frame->Action(kUndo)->isEnabled());
  EXPECT_TRUE(frame->Action(kRedo)->isEnabled());

  const std::string path = dir.File("one.vcf");
  testing::WriteBytes(path, "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Carter;Cy;;;\r\nEND:VCARD\r\n");
  prompter.openNames.push_back(QString::fromStdString(path));
  prompter.answers.push_back(Prompter::Answer::kOk);
  frame->Action(kImportVCard)->trigger();
  EXPECT_EQ(refilled(), (Refills{{"persons", 1}}));
  EXPECT_EQ(view->State().currentPersonId, 1) << "the person shown stays";
  EXPECT_EQ(view->State().currentContactId, 1);
  EXPECT_FALSE(frame->Action(kRedo)->isEnabled()) << "a new step ends the redo";
}

// A refused operation changes nothing, and nobody hears of it: the list
// keeps its rows and the document stays as it was.
TEST_F(EditCommandsFixture, ARefusedOperationChangesNothingOnScreen) {
  AddPersons({"Adams", "Baker"});
  Records().Apply();
  int changes = 0;
  QObject::connect(&frame->Doc(), &LogDocument::changed, [&changes] { ++changes; });
  const OperationResult result = frame->Doc().Run(&DocumentEditor::DeletePerson, 99);
  EXPECT_EQ(result.status, OperationStatus::kNotFound);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(SelectorTexts(), QStringList({"Adams", "Baker"}));
  EXPECT_FALSE(frame->Doc().IsModified());
  EXPECT_FALSE(frame->Action(kUndo)->isEnabled());
}

}  // namespace
}  // namespace vimbo
