// File > Import > vCard and File > Export > vCard, driven through the main
// window with the dialogs answered as a user would.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>

#include "core/document/file_io.h"
#include "core/transfer/vcard_reader.h"
#include "support/document_setup.h"
#include "support/people.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"
#include "ui/kit/command_ids.h"
#include "ui/reports/vcard_export_dialog.h"
#include "ui/shell/main_frame.h"
#include "ui/shell/settings_store.h"

namespace vimbo {
namespace {

using namespace command;

struct VCardCommandsFixture : ::testing::Test {
  VCardCommandsFixture() {
    OpenSettings()->clear();
    frame = std::make_unique<MainFrame>(prompter, MainFrame::Options{QString(), false});
    frame->show();
  }

  bool Enabled(CommandId id) {
    frame->UpdateCommandStates();
    return frame->Action(id)->isEnabled();
  }

  testing::ScriptedPrompter prompter;
  testing::TempDir dir;
  std::unique_ptr<MainFrame> frame;
  testing::WindowSetup<MainFrame> Records{frame};
};

TEST_F(VCardCommandsFixture, ImportAddsEveryReadableCardAsOneUndoableStep) {
  ASSERT_TRUE(Enabled(kImportVCard));
  EXPECT_FALSE(Enabled(kExportVCard));
  const std::string path = dir.File("cards.vcf");
  ASSERT_TRUE(WriteFileAtomically(path,
                                  "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Okafor;David;;;\r\nTEL;TYPE=CELL:555-0100\r\n"
                                  "END:VCARD\r\nBEGIN:VCARD\r\nVERSION:3.0\r\nN:Broken;Card;;;\r\nno property\r\n"
                                  "END:VCARD\r\nBEGIN:VCARD\r\nVERSION:4.0\r\nFN:Acme Support\r\nEND:VCARD\r\n"));
  prompter.openNames.push_back(QString::fromStdString(path));
  prompter.answers.push_back(Prompter::Answer::kOk);
  frame->Action(kImportVCard)->trigger();
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].text, "2 names added to current database. 1 cards could not be read.");
  EXPECT_EQ(prompter.messages[0].caption, "Imported Names");
  const Persons& persons = frame->Doc().Data().persons;
  ASSERT_EQ(persons.Size(), 2u);
  EXPECT_EQ(persons.Find(1)->CelPhone, "555-0100");
  EXPECT_EQ(persons.Find(2)->LName, "Acme Support");
  EXPECT_TRUE(frame->Doc().IsModified());
  EXPECT_TRUE(Enabled(kExportVCard));
  frame->OnCommand(kUndo);
  EXPECT_TRUE(frame->Doc().Data().persons.Empty());
}

TEST_F(VCardCommandsFixture, ExportWritesTheChosenPersonsInListOrder) {
  DocumentData& data = Records().Content();
  data.persons.Insert(testing::NamedPerson(1, "Ann", "Smith"));
  data.persons.Insert(testing::NamedPerson(2, "Bob", "adams"));
  data.persons.Insert(testing::NamedPerson(3, "", "Baker"));
  Records().Apply();
  ASSERT_TRUE(Enabled(kExportVCard));
  const std::string path = dir.File("out.vcf");
  // Everybody is chosen at first; Baker is left out by hand.
  prompter.dialogs.push_back([](QDialog& dialog) {
    auto& choice = static_cast<VCardExportDialog&>(dialog);
    EXPECT_TRUE(choice.SelectAllBox()->isChecked());
    EXPECT_EQ(choice.List()->selectedItems().size(), 3);
    choice.List()->item(1)->setSelected(false);
    choice.OkButton()->click();
    return dialog.result();
  });
  prompter.saveNames.push_back(QString::fromStdString(path));
  frame->Action(kExportVCard)->trigger();
  EXPECT_EQ(prompter.proposedSaveNames, std::vector<QString>{"Contacts.vcf"});
  const std::optional<std::string> written = ReadFileText(path);
  ASSERT_TRUE(written);
  const VCardImport read = ReadVCards(*written);
  ASSERT_EQ(read.persons.size(), 2u);
  EXPECT_EQ(read.persons[0].LName, "adams");
  EXPECT_EQ(read.persons[1].LName, "Smith");
  EXPECT_TRUE(prompter.messages.empty());
}

}  // namespace
}  // namespace vimbo
