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
#include "support/exhaustible_heap.h"
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
  EXPECT_EQ(prompter.messages[0].text,
            "2 names added to current database. 1 cards could not be read.\n"
            "line 9: card has a line that is no property");
  EXPECT_EQ(prompter.messages[0].caption, "Imported Names");
  const Persons& persons = frame->Doc().Data().persons;
  ASSERT_EQ(persons.Size(), 2u);
  EXPECT_EQ(persons.Find(1)->CelPhone, "555-0100");
  EXPECT_EQ(persons.Find(2)->FName, "Acme");
  EXPECT_EQ(persons.Find(2)->LName, "Support");
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
  prompter.answers.push_back(Prompter::Answer::kOk);
  frame->Action(kExportVCard)->trigger();
  EXPECT_EQ(prompter.proposedSaveNames, std::vector<QString>{"Contacts.vcf"});
  const std::optional<std::string> written = ReadFileText(path);
  ASSERT_TRUE(written);
  const VCardImport read = ReadVCards(*written);
  ASSERT_EQ(read.persons.size(), 2u);
  EXPECT_EQ(read.persons[0].LName, "adams");
  EXPECT_EQ(read.persons[1].LName, "Smith");
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].text, "2 cards written.");
}

// A file without a card, a file that cannot be read, and a card larger than
// the memory left each say so and leave the document as it was.
TEST_F(VCardCommandsFixture, ImportThatFailsChangesNothing) {
  const std::string empty = dir.File("notes.vcf");
  ASSERT_TRUE(WriteFileAtomically(empty, "Name,Phone\nAnn,555\n"));
  // A note of just over 32 MB folded over lines of 75 octets: the file fits
  // in the memory left, the note gathered from its lines does not.
  std::string note;
  for (int i = 0; i < (32 << 20) / 74 + 100; ++i) note.append(" ").append(74, 'x').append("\r\n");
  const std::string huge = dir.File("huge.vcf");
  ASSERT_TRUE(WriteFileAtomically(huge, "BEGIN:VCARD\r\nN:Lee;Ann\r\nNOTE:\r\n" + note + "END:VCARD\r\n"));
  struct Case {
    std::string path;
    std::string said;
    std::size_t largestBlock;
  };
  const auto unbounded = static_cast<std::size_t>(-1);
  const Case cases[] = {
      {empty, "No vCard found in " + empty + ".", unbounded},
      {dir.File("missing.vcf"), "Unable to open file " + dir.File("missing.vcf") + ".", unbounded},
      {huge, "Out of memory.", note.size() + (4 << 20)},
  };
  for (const Case& c : cases) {
    prompter.messages.clear();
    prompter.openNames.push_back(QString::fromStdString(c.path));
    prompter.answers.push_back(Prompter::Answer::kOk);
    testing::gLargestAllocation = c.largestBlock;
    frame->Action(kImportVCard)->trigger();
    testing::gLargestAllocation = unbounded;
    ASSERT_EQ(prompter.messages.size(), 1u) << c.path;
    EXPECT_EQ(prompter.messages[0].text.toStdString(), c.said);
    EXPECT_TRUE(frame->Doc().Data().persons.Empty());
    EXPECT_FALSE(frame->Doc().IsModified());
  }
}

}  // namespace
}  // namespace vimbo
