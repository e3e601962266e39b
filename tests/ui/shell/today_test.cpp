// View > Today through the window: the three groups, Mark Done as one
// undoable step, Show making the entry's person and contact current, the
// list at start, and the last contact in the status bar.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTreeView>
#include <QTreeWidget>

#include "core/records/date_time_text.h"
#include "core/reminders/calendar_days.h"
#include "support/people.h"
#include "support/scripted_prompter.h"
#include "ui/editors/last_contacts_dialog.h"
#include "ui/editors/today_dialog.h"
#include "ui/form/main_view.h"
#include "ui/kit/command_ids.h"
#include "ui/kit/form_text.h"
#include "ui/shell/main_frame.h"
#include "ui/shell/settings_store.h"

namespace vimbo {
namespace {

using namespace command;

DateTimeValue At(const char* text) {
  DateTimeValue value;
  ParseDocumentDateText(text, value);
  return value;
}

// Each group title, and each entry as "due|person|about".
QStringList Rows(const TodayDialog& dialog) {
  QStringList rows;
  const QTreeWidget* list = dialog.List();
  for (int g = 0; g < list->topLevelItemCount(); ++g) {
    const QTreeWidgetItem* group = list->topLevelItem(g);
    rows << group->text(0);
    for (int i = 0; i < group->childCount(); ++i)
      rows << group->child(i)->text(0) + "|" + group->child(i)->text(1) + "|" + group->child(i)->text(2);
  }
  return rows;
}

struct TodayFixture : ::testing::Test {
  TodayFixture() {
    OpenSettings()->clear();
    frame = std::make_unique<MainFrame>(prompter, MainFrame::Options{QString(), false});
    frame->SetToday(ParseDayText("2026-12-07").value());
    DocumentData data;
    data.AddDefaultContactTypes();
    Person ann = testing::NamedPerson(1, "Ann", "Lee");
    ann.KeepInTouch = 30;
    Person bob = testing::NamedPerson(2, "Bob", "Roe");
    bob.Birthday = {1990, 12, 10};
    data.persons.Insert(ann);
    data.persons.Insert(bob);
    Contact call = testing::PersonContact(1, 1, 1, "Send the offer");
    call.DateTime = At("10/30/2026 9:00:00 AM");
    call.FollowUp = {At("12/5/2026"), false};
    data.contacts.Insert(call);
    Contact visit = testing::PersonContact(2, 2, 1, "Visit");
    visit.DateTime = At("12/2/2026 3:00:00 PM");
    data.contacts.Insert(visit);
    data.persons.LastID = 2;
    data.contacts.LastID = 2;
    frame->Doc().Replace(std::move(data));
  }
  ~TodayFixture() override { frame->Doc().Replace(DocumentData(frame->Doc().Data())); }

  testing::ScriptedPrompter prompter;
  std::unique_ptr<MainFrame> frame;
};

TEST_F(TodayFixture, ListsWhatIsDueMarksDoneAndShowsTheEntry) {
  const QString day = FormDateTimeText().Date(At("12/5/2026"));
  QStringList before;
  QStringList afterDone;
  prompter.dialogs.push_back([&](QDialog& shown) {
    auto& dialog = static_cast<TodayDialog&>(shown);
    before = Rows(dialog);
    // The first entry, the follow-up, is selected: Mark Done.
    dialog.MarkDoneButton()->click();
    afterDone = Rows(dialog);
    // The birthday: Enter shows it.
    dialog.List()->setCurrentItem(dialog.List()->topLevelItem(1)->child(0));
    EXPECT_FALSE(dialog.MarkDoneButton()->isEnabled());
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
      if (button->text() == "&Show") button->click();
    return dialog.result();
  });
  frame->OnCommand(kToday);
  ASSERT_EQ(before.size(), 6);
  EXPECT_EQ(before[0], "Follow-ups due");
  EXPECT_EQ(before[1], day + "|Lee, Ann|Send the offer");
  EXPECT_EQ(before[2], "Keep in touch");
  EXPECT_TRUE(before[3].endsWith("|Lee, Ann|Last contact " + FormDateTimeText().Date(At("10/30/2026"))))
      << before[3].toStdString();
  EXPECT_EQ(before[4], "Birthdays and anniversaries");
  EXPECT_TRUE(before[5].endsWith("|Roe, Bob|Birthday, 36 years")) << before[5].toStdString();
  EXPECT_EQ(afterDone.size(), 4) << "the follow-up done leaves the list";
  EXPECT_TRUE(frame->Doc().Data().contacts.Find(1)->FollowUp.Done);
  EXPECT_EQ(frame->View()->State().currentPersonId, 2);
  EXPECT_EQ(frame->statusBar()->findChild<QLabel*>("LastContact")->text(), "Last contact: 5 days ago");

  frame->OnCommand(kUndo);
  EXPECT_FALSE(frame->Doc().Data().contacts.Find(1)->FollowUp.Done);
}

// At start the list shows when something is due, unless turned off in it;
// with nothing due it does not show, and says so when asked for.
TEST_F(TodayFixture, ShownAtStartWhenSomethingIsDueUnlessTurnedOff) {
  prompter.dialogs.push_back([](QDialog& dialog) {
    dialog.findChild<QCheckBox*>()->setChecked(false);
    return int(QDialog::Rejected);
  });
  frame->ShowTodayIfDue();
  EXPECT_TRUE(prompter.dialogs.empty());
  frame->ShowTodayIfDue();

  frame->Doc().New();
  bool nothing = false;
  prompter.dialogs.push_back([&](QDialog& dialog) {
    nothing = !dialog.findChild<QTreeWidget*>()->isVisibleTo(&dialog) &&
              dialog.findChild<QLabel*>()->text() == "Nothing is due.";
    return int(QDialog::Rejected);
  });
  frame->OnCommand(kToday);
  EXPECT_TRUE(nothing);
}

// View > Last Contacts: the person never contacted first, then the longest
// ago; a heading click turns the order; Show makes the person current.
TEST_F(TodayFixture, LastContactsListsTheLongestAgoFirst) {
  frame->Doc().Run(&DocumentEditor::AddPerson, testing::NamedPerson(0, "Cy", "Poe"));
  QStringList rows;
  QStringList turned;
  prompter.dialogs.push_back([&](QDialog& shown) {
    auto& dialog = static_cast<LastContactsDialog&>(shown);
    const auto read = [&](QStringList& into) {
      const QAbstractItemModel* model = dialog.List()->model();
      for (int row = 0; row < model->rowCount(); ++row)
        into << model->index(row, 0).data().toString() + "|" + model->index(row, 2).data().toString();
    };
    read(rows);
    dialog.List()->sortByColumn(2, Qt::AscendingOrder);
    read(turned);
    dialog.List()->setCurrentIndex(dialog.List()->model()->index(0, 0));
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
      if (button->text() == "&Show") button->click();
    return dialog.result();
  });
  frame->OnCommand(kLastContacts);
  EXPECT_EQ(rows.join(",").toStdString(), "Poe, Cy|,Lee, Ann|38,Roe, Bob|5");
  EXPECT_EQ(turned.join(",").toStdString(), "Roe, Bob|5,Lee, Ann|38,Poe, Cy|");
  EXPECT_EQ(frame->View()->State().currentPersonId, 2);
}

}  // namespace
}  // namespace vimbo
