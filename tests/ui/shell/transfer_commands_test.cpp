// File > Import > Persons and File > Export, driven through the main window
// with the wizard answered as a user would.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTreeWidget>
#include <QWizard>

#include "support/document_setup.h"
#include "support/form_widgets.h"
#include "support/people.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"
#include "ui/form/main_view.h"
#include "ui/kit/command_ids.h"
#include "ui/shell/main_frame.h"
#include "ui/shell/settings_store.h"
#include "ui/transfer/document_structure_page.h"
#include "ui/transfer/field_assignment_dialog.h"
#include "ui/transfer/fields_page.h"
#include "ui/transfer/select_document_page.h"
#include "ui/transfer/text_transfer_wizard.h"

namespace vimbo {
namespace {

using testing::FormControl;
using testing::NotesBox;
using testing::PersonSelector;

using namespace command;

struct TransferCommandsFixture : ::testing::Test {
  TransferCommandsFixture() {
    OpenSettings()->clear();
    frame = std::make_unique<MainFrame>(prompter, MainFrame::Options{QString(), false});
    frame->show();
  }

  DocumentData& Data() { return Records().Content(); }

  bool Enabled(CommandId id) {
    frame->UpdateCommandStates();
    return frame->Action(id)->isEnabled();
  }

  // As a click on the menu item: the idle pass has set the item's state.
  void Trigger(CommandId id) {
    ASSERT_TRUE(Enabled(id)) << id;
    frame->Action(id)->trigger();
  }

  // Answers the wizard: the file name, the first entries of both lists, the
  // first line skipped or not, and then `onFields` on the last page.
  void AnswerWizard(const std::string& path, bool firstLineNames,
                    const std::function<void(TextTransferWizard&)>& onFields) {
    prompter.dialogs.push_back([=](QDialog& dialog) {
      auto& wizard = dynamic_cast<TextTransferWizard&>(dialog);
      wizard.show();
      QTest::keyClicks(wizard.SelectDocument()->FileNameBox(), QString::fromStdString(path));
      QTest::mouseClick(wizard.button(QWizard::NextButton), Qt::LeftButton);
      if (wizard.DocumentStructure()->NamesBox()->isChecked() != firstLineNames)
        wizard.DocumentStructure()->NamesBox()->click();
      QTest::mouseClick(wizard.button(QWizard::NextButton), Qt::LeftButton);
      onFields(wizard);
      QTest::mouseClick(wizard.button(QWizard::FinishButton), Qt::LeftButton);
      return wizard.result();
    });
  }

  // Assigns the person key at `keyIndex` to import row `row`.
  void Assign(TextTransferWizard& wizard, int row, int keyIndex) {
    prompter.dialogs.push_front([keyIndex](QDialog& dialog) {
      auto& fields = static_cast<FieldAssignmentDialog&>(dialog);
      fields.Keys()->setCurrentIndex(keyIndex);
      if (!fields.ImportBox()->isChecked()) fields.ImportBox()->click();
      fields.OkButton()->click();
      return dialog.result();
    });
    QTreeWidget* list = wizard.Fields()->List();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(row)).center());
  }

  testing::TempDir dir;
  testing::ScriptedPrompter prompter;
  std::unique_ptr<MainFrame> frame;
  testing::WindowSetup<MainFrame> Records{frame};
};

TEST_F(TransferCommandsFixture, ImportAddsThePersonsAndSaysHowMany) {
  const std::string path = dir.File("names.csv");
  testing::WriteBytes(path, "FirstName,LastName\r\nAnn,Lee\r\n,Moss\r\n,\r\nBo,\"Berg\"");
  EXPECT_TRUE(Enabled(kImportPersons));
  AnswerWizard(path, true, [this](TextTransferWizard& wizard) {
    Assign(wizard, 0, 0);  // FirstName
    Assign(wizard, 1, 1);  // LastName
  });
  prompter.answers = {Prompter::Answer::kOk};
  Trigger(kImportPersons);

  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].text, "3 names added to current database.");
  EXPECT_EQ(prompter.messages[0].caption, "Imported Names");
  EXPECT_EQ(prompter.messages[0].icon, Prompter::Icon::kInformation);
  EXPECT_EQ(Data().persons.Size(), 3u);
  EXPECT_TRUE(frame->Doc().IsModified());
  QStringList names;
  for (int i = 0; i < PersonSelector(frame->View())->count(); ++i)
    names.append(PersonSelector(frame->View())->itemText(i));
  EXPECT_EQ(names, QStringList({"Berg, Bo", "Lee, Ann", "Moss"}));
  EXPECT_TRUE(Enabled(kExportPersons));
  EXPECT_FALSE(Enabled(kExportContacts));
}

// An import may run during an edit: the typed text stays, and Update
// stores it into the record being edited though the new names moved its entry.
TEST_F(TransferCommandsFixture, AnEditSurvivesAnImport) {
  Data().persons.Insert(testing::NamedPerson(Data().persons.NextID(), "", "Moss"));
  Records().Apply();
  const std::string path = dir.File("names.csv");
  testing::WriteBytes(path, "LastName\nAbel\nAaron\n");
  MainView* view = frame->View();
  const auto import = [&] {
    AnswerWizard(path, true, [this](TextTransferWizard& wizard) { Assign(wizard, 0, 1); });
    prompter.answers = {Prompter::Answer::kOk};
    Trigger(kImportPersons);
  };

  Trigger(kPersonEdit);
  qobject_cast<QLineEdit*>(FormControl(view, 1001))->setText(QStringLiteral("Mo"));
  import();
  EXPECT_EQ(qobject_cast<QLineEdit*>(FormControl(view, 1001))->text(), "Mo");
  EXPECT_EQ(PersonSelector(view)->currentText(), "Moss");
  Trigger(kPersonUpdate);
  EXPECT_EQ(Data().persons.Find(1)->FName, "Mo");
  EXPECT_EQ(Data().persons.Find(2)->FName, "");
  EXPECT_EQ(Data().persons.Find(2)->LName, "Abel");

  Trigger(kContactAdd);
  NotesBox(view)->setPlainText(QStringLiteral("typed"));
  import();
  EXPECT_EQ(NotesBox(view)->toPlainText(), "typed");
  Trigger(kContactUpdate);
  ASSERT_EQ(Data().contacts.Size(), 1u);
  EXPECT_EQ(Data().contacts.begin()->second.PersonID, 1);
  EXPECT_EQ(Data().contacts.begin()->second.Description, "typed");
  EXPECT_EQ(Data().persons.Size(), 5u);
}

// An address book's file assigned by its column names: the values go where
// their types say, and the message names the columns left out that held
// values (not the empty ones).
TEST_F(TransferCommandsFixture, ImportNamesTheColumnsItLeavesOut) {
  const std::string path = dir.File("book.csv");
  testing::WriteBytes(path,
                      "Given Name,Family Name,Photo,Phone 1 - Type,Phone 1 - Value,Group Membership,Yomi Name\r"
                      "Ann,Lee,https://p.example/1.jpg,Work,555 1,* myContacts,\r");
  AnswerWizard(path, true, [](TextTransferWizard&) {});
  prompter.answers = {Prompter::Answer::kOk};
  Trigger(kImportPersons);
  EXPECT_EQ(prompter.Texts(),
            std::vector<QString>{"1 names added to current database.\nColumns not imported: Photo, Group Membership"});
  ASSERT_EQ(Data().persons.Size(), 1u);
  EXPECT_EQ(Data().persons.begin()->second.WkPhone, "555 1");
}

TEST_F(TransferCommandsFixture, ACancelledWizardChangesNothingAndZeroIsReported) {
  prompter.dialogs.push_back([](QDialog&) { return int(QDialog::Rejected); });
  Trigger(kImportPersons);
  EXPECT_TRUE(prompter.messages.empty());

  const std::string path = dir.File("empty.csv");
  testing::WriteBytes(path, "LastName\n");
  AnswerWizard(path, true, [this](TextTransferWizard& wizard) { Assign(wizard, 0, 1); });
  prompter.answers = {Prompter::Answer::kOk};
  Trigger(kImportPersons);
  EXPECT_EQ(prompter.Texts(), std::vector<QString>{"0 names added to current database."});
  EXPECT_FALSE(frame->Doc().IsModified());
}

// Export every person key, import the file into a new document with the
// first line skipped: the same persons come back.
TEST_F(TransferCommandsFixture, ExportedPersonsImportBackUnchanged) {
  for (const auto& [first, last, company] :
       {std::tuple{"Ann", "O\"Neil", "Lee & Co, Ltd"}, {"", "Moss", ""}, {"Bo", "Berg", "Berg \"Tools\""}}) {
    Person person;
    person.ID = Data().persons.NextID();
    person.FName = first;
    person.LName = last;
    person.Company = company;
    person.Address = "1 Main St";
    person.EMail = "x@example.com";
    Data().persons.Insert(person);
  }
  Records().Apply();
  const DocumentData before = Data();

  const std::string path = dir.File("persons.csv");
  AnswerWizard(path, true, [](TextTransferWizard& wizard) {
    QTreeWidget* list = wizard.Fields()->List();
    for (int row = 0; row < list->topLevelItemCount(); ++row) list->topLevelItem(row)->setCheckState(0, Qt::Checked);
  });
  Trigger(kExportPersons);
  ASSERT_TRUE(prompter.messages.empty());
  const std::string text = testing::ReadBytes(path);
  EXPECT_EQ(text.substr(0, text.find('\n')),
            "\"FirstName\",\"LastName\",\"Address\",\"City\",\"State\",\"ZipCode\",\"Phone\",\"Fax\",\"E-Mail\","
            "\"Company\",\"Position\",\"Title\",\"WorkPhone\",\"Extension\",\"CelPhone\",\"Pager\",\"WebPage\"");

  frame->OnCommand(kNew);
  ASSERT_TRUE(Data().persons.Empty());
  AnswerWizard(path, true, [this](TextTransferWizard& wizard) {
    for (int column = 0; column < 11; ++column) Assign(wizard, column, column);
  });
  prompter.answers = {Prompter::Answer::kOk};
  Trigger(kImportPersons);
  EXPECT_EQ(prompter.Texts(), std::vector<QString>{"3 names added to current database."});
  ASSERT_EQ(Data().persons.Size(), 3u);
  for (const auto& [id, person] : before.persons) {
    const Person* back = Data().persons.Find(id);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->FName, person.FName);
    EXPECT_EQ(back->LName, person.LName);
    EXPECT_EQ(back->Company, person.Company);
    EXPECT_EQ(back->Address, person.Address);
    EXPECT_EQ(back->EMail, person.EMail);
  }
}

TEST_F(TransferCommandsFixture, AnExportThatCannotBeWrittenSaysSo) {
  Person person;
  person.ID = 1;
  person.LName = "Moss";
  Data().persons.Insert(person);
  Records().Apply();
  const std::string path = dir.File("no/such/folder/out.csv");
  AnswerWizard(path, true, [](TextTransferWizard& wizard) {
    wizard.Fields()->List()->topLevelItem(1)->setCheckState(0, Qt::Checked);
  });
  prompter.answers = {Prompter::Answer::kOk};
  Trigger(kExportPersons);
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].text, QStringLiteral("Error saving %1.").arg(QString::fromStdString(path)));
  EXPECT_EQ(prompter.messages[0].icon, Prompter::Icon::kError);
}

}  // namespace
}  // namespace vimbo
