// The keys of the main window, pressed on the real window: Esc and
// Ctrl+Return end an edit as Cancel and Update do, Ctrl+Q quits as Exit
// does and Ctrl+P prints as Print does.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTest>
#include <QTreeView>

#include "support/document_setup.h"
#include "support/form_widgets.h"
#include "support/people.h"
#include "support/scripted_prompter.h"
#include "ui/form/find_bar.h"
#include "ui/form/main_view.h"
#include "ui/kit/command_ids.h"
#include "ui/kit/control_ids.h"
#include "ui/reports/person_choice_dialog.h"
#include "ui/shell/main_frame.h"
#include "ui/shell/settings_store.h"

namespace vimbo {
namespace {

using testing::ContactsList;
using testing::DatePicker;
using testing::Finder;
using testing::FormControl;

using namespace command;
using Answer = Prompter::Answer;

struct MainWindowKeysTest : ::testing::Test {
  MainWindowKeysTest() {
    OpenSettings()->clear();
    frame = std::make_unique<MainFrame>(prompter, MainFrame::Options{QString(), false});
    DocumentData& data = Records().Content();
    data.persons.Insert(testing::NamedPerson(data.persons.NextID(), "Ann", "Archer"));
    data.contacts.Insert(testing::PersonContact(data.contacts.NextID(), 1, 1, "Met"));
    Records().Apply();
    frame->show();
    frame->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(frame.get()));
  }

  const DocumentData& Data() { return frame->Doc().Data(); }
  // How many persons and contacts hold the text typed during the edit.
  int Typed() {
    int count = 0;
    for (const auto& [id, person] : Data().persons) count += person.FName.view() == "x" ? 1 : 0;
    for (const auto& [id, contact] : Data().contacts) count += contact.Description.view() == "x" ? 1 : 0;
    return count;
  }

  testing::ScriptedPrompter prompter;
  std::unique_ptr<MainFrame> frame;
  testing::WindowSetup<MainFrame> Records{frame};
};

TEST_F(MainWindowKeysTest, EscCancelsAndCtrlReturnUpdatesTheEditUnderWay) {
  using namespace main_form;
  const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
  const Qt::KeyboardModifiers keypadCtrl = Qt::ControlModifier | Qt::KeypadModifier;
  const struct {
    CommandId start;  // the command that starts the edit; none for browsing
    int typeInto;     // the control "x" is typed into, replacing its text
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    bool browsingAfter;
    std::size_t persons, contacts;
    int typed;  // records that now hold "x"
  } cases[] = {
      {kPersonAdd, kFirstName, Qt::Key_Escape, {}, true, 1, 1, 0},
      {kPersonEdit, kFirstName, Qt::Key_Escape, {}, true, 1, 1, 0},
      {kContactAdd, kNotes, Qt::Key_Escape, {}, true, 1, 1, 0},
      {kContactEdit, kNotes, Qt::Key_Escape, {}, true, 1, 1, 0},
      {kPersonAdd, kFirstName, Qt::Key_Return, ctrl, true, 2, 1, 1},
      {kPersonEdit, kFirstName, Qt::Key_Enter, keypadCtrl, true, 1, 1, 1},
      // In the notes box Ctrl+Return stores the notes, with no line break.
      {kContactAdd, kNotes, Qt::Key_Return, ctrl, true, 1, 2, 1},
      {kContactEdit, kNotes, Qt::Key_Enter, keypadCtrl, true, 1, 1, 1},
      // Plain Return is no Update.
      {kPersonAdd, kFirstName, Qt::Key_Return, {}, false, 1, 1, 0},
      // While browsing the keys do nothing.
      {CommandId{}, kContactsList, Qt::Key_Escape, {}, true, 1, 1, 0},
      {CommandId{}, kContactsList, Qt::Key_Return, ctrl, true, 1, 1, 0},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(::testing::Message() << "start " << row.start << ", key " << row.key);
    if (row.start != CommandId{}) frame->OnCommand(row.start);
    QWidget* box = FormControl(frame->View(), row.typeInto);
    box->setFocus();
    if (auto* line = qobject_cast<QLineEdit*>(box)) line->selectAll();
    if (auto* lines = qobject_cast<QPlainTextEdit*>(box)) lines->selectAll();
    if (row.start != CommandId{}) QTest::keyClicks(box, "x");
    QTest::keyClick(box, row.key, row.modifiers);
    EXPECT_EQ(frame->View()->State().mode == EditMode::kBrowsing, row.browsingAfter);
    EXPECT_EQ(Data().persons.Size(), row.persons);
    EXPECT_EQ(Data().contacts.Size(), row.contacts);
    EXPECT_EQ(Typed(), row.typed);
    EXPECT_TRUE(prompter.messages.empty());
    // Back to the one person with the one contact.
    if (!row.browsingAfter) frame->OnCommand(kPersonCancel);
    while (frame->Doc().History().CanUndo()) frame->Doc().Undo();
    ASSERT_EQ(Typed(), 0);
  }
}

TEST_F(MainWindowKeysTest, EscClosesAPopupOrTheFindBarFirst) {
  frame->OnCommand(kContactAdd);
  QDateEdit* picker = DatePicker(frame->View());
  picker->setFocus();
  QTest::mouseClick(picker, Qt::LeftButton, {}, QPoint(picker->width() - 4, picker->height() / 2));
  QWidget* calendar = QApplication::activePopupWidget();
  ASSERT_TRUE(calendar);
  QTest::keyClick(calendar, Qt::Key_Escape);
  EXPECT_FALSE(QApplication::activePopupWidget());
  EXPECT_EQ(frame->View()->State().mode, EditMode::kAddingContact);
  QTest::keyClick(picker, Qt::Key_Escape);
  EXPECT_EQ(frame->View()->State().mode, EditMode::kBrowsing);

  frame->OnCommand(kPersonFind);
  ASSERT_TRUE(Finder(frame->View())->isVisible());
  QTest::keyClick(Finder(frame->View())->Box(), Qt::Key_Escape);
  EXPECT_FALSE(Finder(frame->View())->isVisible());
}

TEST_F(MainWindowKeysTest, CtrlQQuitsAsExitDoesAndCtrlPPrintsTheChosenReport) {
  EXPECT_EQ(frame->Action(kExit)->text(), "E&xit\tCtrl+Q");
  testing::MakeModified(frame->Doc());
  prompter.answers = {Answer::kCancel};
  QTest::keyClick(ContactsList(frame->View()), Qt::Key_Q, Qt::ControlModifier);
  ASSERT_TRUE(QTest::qWaitFor([&] { return prompter.answers.empty(); }, 5000)) << "asked";
  EXPECT_EQ(prompter.Texts().size(), 1u);
  EXPECT_TRUE(frame->isVisible());

  // Nothing is chosen to print yet.
  QTest::keyClick(ContactsList(frame->View()), Qt::Key_P, Qt::ControlModifier);
  prompter.dialogs.push_back([](QDialog& dialog) {
    auto& choice = dynamic_cast<PersonChoiceDialog&>(dialog);
    choice.SelectAllBox()->setChecked(true);
    choice.accept();
    return dialog.result();
  });
  frame->OnCommand(kReportAddressBook);
  frame->OnCommand(kClosePreview);
  int printDialogs = 0;
  prompter.printDialogs.push_back([&](QPrinter&) { return ++printDialogs, false; });
  QTest::keyClick(ContactsList(frame->View()), Qt::Key_P, Qt::ControlModifier);
  EXPECT_EQ(printDialogs, 1);

  prompter.answers = {Answer::kNo};
  QTest::keyClick(ContactsList(frame->View()), Qt::Key_Q, Qt::ControlModifier);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !frame->isVisible(); }, 5000));
  EXPECT_EQ(prompter.Texts().size(), 2u);
}

}  // namespace
}  // namespace vimbo
