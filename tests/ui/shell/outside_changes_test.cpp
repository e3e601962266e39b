// A document changed, deleted or joined by someone else while the window
// has it open: the file watcher's work, the question with its four answers,
// and File > Merge..., through the real window.

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>

#include "core/document/document_writer.h"
#include "support/document_setup.h"
#include "support/form_widgets.h"
#include "support/people.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"
#include "ui/form/main_view.h"
#include "ui/kit/command_ids.h"
#include "ui/shell/main_frame.h"
#include "ui/shell/merge_conflicts_dialog.h"
#include "ui/shell/settings_store.h"

namespace vimbo {
namespace {

using namespace command;

// The watcher tells of a change through the event loop, once it settles.
constexpr int kWaitMilliseconds = 5000;

struct OutsideChangesFixture : ::testing::Test {
  OutsideChangesFixture() {
    OpenSettings()->clear();
    frame = std::make_unique<MainFrame>(prompter, MainFrame::Options{QString(), false});
    frame->show();
  }
  ~OutsideChangesFixture() override { testing::MarkUnmodified(frame->Doc()); }

  // Persons "Person 1" … "Person N", each with one contact.
  static DocumentData Sample(int persons) {
    DocumentData data;
    data.AddDefaultContactTypes();
    for (int i = 0; i < persons; ++i) {
      const int32_t id = data.persons.NextID();
      data.persons.Insert(testing::NamedPerson(id, "", "Person " + std::to_string(id)));
      data.contacts.Insert(testing::PersonContact(data.contacts.NextID(), id, 1, "call " + std::to_string(id)));
    }
    return data;
  }
  QString WriteFile(const DocumentData& data, const std::string& name) {
    EXPECT_TRUE(Write(data, dir.File(name)).IsDone());
    return QString::fromStdString(dir.File(name));
  }
  void Pick(const QString& displayName) {
    const int index = testing::PersonSelector(frame->View())->findText(displayName);
    ASSERT_GE(index, 0) << displayName.toStdString();
    testing::PersonSelector(frame->View())->setCurrentIndex(index);
    emit testing::PersonSelector(frame->View())->activated(index);
  }
  void RenameOwner(const char* name) {
    User user = frame->Doc().Data().user;
    user.FName = name;
    frame->Doc().Run(&DocumentEditor::UpdateUser, user);
  }

  testing::ScriptedPrompter prompter;
  testing::TempDir dir;
  std::unique_ptr<MainFrame> frame;
};

// Unmodified here: the window reads the file again, says so, and keeps
// showing the person it showed, found by ID under a new name.
TEST_F(OutsideChangesFixture, AnUnmodifiedDocumentIsReloadedAndKeepsThePersonShown) {
  DocumentData data = Sample(3);
  const QString path = WriteFile(data, "log.tch");
  frame->OpenStartupFiles({path});
  Pick("Person 2");
  Person renamed = *data.persons.Find(2);
  renamed.LName = "Zeta";
  data.persons.Replace(renamed);
  Person added;
  added.ID = data.persons.NextID();
  added.LName = "Alpha";
  data.persons.Insert(added);
  WriteFile(data, "log.tch");

  const QString said = path + " was changed by another program and has been reloaded.";
  ASSERT_TRUE(QTest::qWaitFor([&] { return frame->statusBar()->currentMessage() == said; }, kWaitMilliseconds))
      << frame->statusBar()->currentMessage().toStdString();
  EXPECT_EQ(frame->View()->State().currentPersonId, 2);
  EXPECT_EQ(testing::PersonSelector(frame->View())->currentText(), "Zeta");
  EXPECT_EQ(frame->Doc().Data().persons.Size(), 4U);
  EXPECT_FALSE(frame->Doc().IsModified());
  EXPECT_TRUE(prompter.offered.empty());
}

// Modified here: asked at once, and again on Save. Merge joins both and
// writes nothing, and the next Save writes without asking; Save As writes
// elsewhere; Overwrite writes here; Cancel writes nothing and leaves the
// change to the next Save.
TEST_F(OutsideChangesFixture, AModifiedDocumentAsksWhenTheChangeIsNoticed) {
  const QStringList buttons{"Merge", "Save As...", "Overwrite", "Cancel"};
  const struct {
    int choice;
    bool outsideKept;
    bool stillModified;
  } cases[] = {{0, true, true}, {1, true, false}, {2, false, false}, {3, true, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.choice);
    DocumentData data = Sample(2);
    const std::string name = "log" + std::to_string(c.choice) + ".tch";
    const QString path = WriteFile(data, name);
    frame->OpenStartupFiles({path});
    RenameOwner("Mine");
    Person theirs = *data.persons.Find(1);
    theirs.City = "Kiel";
    data.persons.Replace(theirs);
    const QString outside = WriteFile(data, name);
    const std::string outsideBytes = testing::ReadBytes(outside.toStdString());

    prompter.choices = {c.choice};
    if (c.choice == 1) prompter.saveNames.push_back(QString::fromStdString(dir.File("copy.tch")));
    const std::size_t asked = prompter.offered.size();
    ASSERT_TRUE(QTest::qWaitFor([&] { return prompter.offered.size() > asked; }, kWaitMilliseconds));
    EXPECT_EQ(prompter.offered.back(), buttons);
    EXPECT_EQ(prompter.messages.back().text, path + " was changed by another program since you opened it.");
    EXPECT_EQ(testing::ReadBytes(path.toStdString()) == outsideBytes, c.outsideKept);
    EXPECT_EQ(frame->Doc().IsModified(), c.stillModified);

    if (c.choice == 0) {
      EXPECT_EQ(frame->Doc().Data().user.FName, "Mine");
      EXPECT_EQ(frame->Doc().Data().persons.Find(1)->City, "Kiel");
      EXPECT_EQ(frame->statusBar()->currentMessage(), "The copies were merged without conflicts.");
      frame->OnCommand(kSave);
      EXPECT_EQ(prompter.offered.size(), asked + 1) << "after a merge, Save asks nothing";
      EXPECT_NE(testing::ReadBytes(path.toStdString()).find("Kiel"), std::string::npos);
      EXPECT_FALSE(frame->Doc().IsModified());
    }
    if (c.choice == 3) {
      QTest::qWait(700);
      EXPECT_EQ(prompter.offered.size(), asked + 1) << "a change left for now is not asked about again";
      prompter.choices = {3};
      frame->OnCommand(kSave);
      EXPECT_EQ(prompter.offered.size(), asked + 2) << "but Save asks";
      EXPECT_EQ(testing::ReadBytes(path.toStdString()), outsideBytes);
    }
    testing::MarkUnmodified(frame->Doc());
  }
}

// A file deleted or renamed outside is said once; the document stays and
// becomes modified, and Save writes it back without a question.
TEST_F(OutsideChangesFixture, ADeletedFileIsSaidAndWrittenBackBySave) {
  const QString path = WriteFile(Sample(1), "gone.tch");
  frame->OpenStartupFiles({path});
  std::filesystem::rename(path.toStdString(), dir.File("moved.tch"));
  prompter.answers.push_back(Prompter::Answer::kOk);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !prompter.messages.empty(); }, kWaitMilliseconds));
  EXPECT_EQ(prompter.messages.back().text,
            path + " was deleted or renamed by another program. It stays open here, and Save writes it back.");
  EXPECT_TRUE(frame->Doc().IsModified());
  EXPECT_TRUE(frame->Action(kSave)->isEnabled());
  frame->OnCommand(kSave);
  EXPECT_EQ(testing::ReadBytes(path.toStdString()), DocumentText(frame->Doc().Data()));
  EXPECT_FALSE(frame->Doc().IsModified());
  EXPECT_EQ(prompter.messages.size(), 1U);
}

// File > Merge... joins a conflicted copy against the version this window
// opened: each side's own change is taken, the field both changed keeps
// this document's value and is listed, and one Undo takes the merge back.
TEST_F(OutsideChangesFixture, FileMergeJoinsAConflictedCopyAsOneUndoableStep) {
  DocumentData base = Sample(2);
  const QString path = WriteFile(base, "log.tch");
  frame->OpenStartupFiles({path});
  Person ours = *frame->Doc().Data().persons.Find(1);
  ours.FName = "Ann";
  ours.City = "Bonn";
  frame->Doc().Run(&DocumentEditor::UpdatePerson, ours);

  DocumentData copy = base;
  Person theirs = *copy.persons.Find(1);
  theirs.City = "Kiel";
  theirs.Phone = "555-0100";
  copy.persons.Replace(theirs);
  copy.persons.Erase(2);
  copy.contacts.Erase(2);
  const QString other = WriteFile(copy, "log (conflicted copy).tch");

  prompter.openNames.push_back(other);
  QStringList rows;
  prompter.dialogs.push_back([&](QDialog& dialog) {
    const QTreeWidget* list = static_cast<MergeConflictsDialog&>(dialog).List();
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
      QStringList cells;
      for (int column = 0; column < list->columnCount(); ++column) cells << list->topLevelItem(i)->text(column);
      rows << cells.join('|');
    }
    return QDialog::Rejected;
  });
  frame->Action(kMerge)->trigger();
  EXPECT_EQ(rows.join("\n").toStdString(), "Person|1|Person 1, Ann|City|Bonn|Kiel");
  const Person& merged = *frame->Doc().Data().persons.Find(1);
  EXPECT_EQ(merged.FName, "Ann");
  EXPECT_EQ(merged.Phone, "555-0100");
  EXPECT_EQ(merged.City, "Bonn");
  EXPECT_EQ(frame->Doc().Data().persons.Find(2), nullptr) << "deleted on their side, unchanged on ours";
  EXPECT_EQ(frame->Doc().History().UndoName(), "Merge");
  frame->OnCommand(kUndo);
  EXPECT_EQ(frame->Doc().Data().persons.Find(1)->City, "Bonn");
  EXPECT_NE(frame->Doc().Data().persons.Find(2), nullptr);
  EXPECT_EQ(testing::ReadBytes(other.toStdString()), DocumentText(copy)) << "the other copy is never written";
}

}  // namespace
}  // namespace vimbo
