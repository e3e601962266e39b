#include "ui/transfer/text_transfer_wizard.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/transfer/text_transfer_settings.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"
#include "ui/kit/help_system.h"
#include "ui/transfer/document_structure_page.h"
#include "ui/transfer/field_assignment_dialog.h"
#include "ui/transfer/fields_page.h"
#include "ui/transfer/select_document_page.h"

namespace vimbo {
namespace {

using testing::ScriptedPrompter;
using testing::TempDir;
using testing::WriteBytes;
using Strings = std::vector<std::string>;

const QString kImportTitle = QStringLiteral("Import Person Information From Text File");
const QString kExportTitle = QStringLiteral("Export Person Information To Text File");
constexpr int kLastName = 1;  // position of "LastName" among the person keys
constexpr int kFirstName = 0;

// What the assignment dialog showed when it opened.
struct Opened {
  bool checked = false;
  int index = -2;
  bool okEnabled = false;
};

// Answers the "Fields" dialog: picks the key at `index` (-1 leaves the
// choice alone), sets the box and presses OK, or Cancel.
std::function<int(QDialog&)> AnswerFields(int index, bool import, bool ok = true, Opened* opened = nullptr) {
  return [=](QDialog& dialog) {
    dialog.show();
    auto& fields = static_cast<FieldAssignmentDialog&>(dialog);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Fields"));
    if (opened) *opened = {fields.ImportBox()->isChecked(), fields.SelectedIndex(), fields.OkButton()->isEnabled()};
    if (index >= 0) fields.Keys()->setCurrentIndex(index);
    if (fields.ImportBox()->isChecked() != import) QTest::mouseClick(fields.ImportBox(), Qt::LeftButton);
    QTest::mouseClick(ok ? fields.OkButton() : fields.CancelButton(), Qt::LeftButton);
    return dialog.result();
  };
}

class TransferWizardTest : public ::testing::Test {
 protected:
  HelpSystem help{QStringLiteral(VIMBO_HELP_DIR)};
  ScriptedPrompter prompter;
  TempDir dir;

  std::unique_ptr<TextTransferWizard> Open(TextTransferSettings& settings, TransferDirection direction,
                                           const QString& title) {
    auto wizard = std::make_unique<TextTransferWizard>(settings, direction, title, prompter, help);
    wizard->show();
    return wizard;
  }

  QString File(const std::string& name, const std::string& bytes) {
    const std::string path = dir.File(name);
    WriteBytes(path, bytes);
    return QString::fromStdString(path);
  }

  static void Click(TextTransferWizard& wizard, QWizard::WizardButton which) {
    QTest::mouseClick(wizard.button(which), Qt::LeftButton);
  }

  static void TypeName(TextTransferWizard& wizard, const QString& name) {
    QLineEdit* box = wizard.SelectDocument()->FileNameBox();
    box->clear();
    QTest::keyClicks(box, name);
  }

  // Types the name and goes on to the field list with the first entries of
  // both lists or the rows given.
  static void ToFields(TextTransferWizard& wizard, const QString& name, int separator = 0, int encloser = 0) {
    TypeName(wizard, name);
    Click(wizard, QWizard::NextButton);
    wizard.DocumentStructure()->SeparatorList()->setCurrentRow(separator);
    wizard.DocumentStructure()->EncloserList()->setCurrentRow(encloser);
    Click(wizard, QWizard::NextButton);
  }

  static void ClickRow(QTreeWidget* list, int row) {
    // A long note under the list may leave the row out of view.
    list->scrollToItem(list->topLevelItem(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(row)).center());
  }

  static std::vector<QString> Column(QTreeWidget* list, int column) {
    std::vector<QString> texts;
    texts.reserve(static_cast<std::size_t>(list->topLevelItemCount()));
    for (int row = 0; row < list->topLevelItemCount(); ++row) texts.push_back(list->topLevelItem(row)->text(column));
    return texts;
  }

  static bool Offered(const TextTransferWizard& wizard, QWizard::WizardButton which) {
    return wizard.button(which)->isVisible() && wizard.button(which)->isEnabled();
  }
};

TEST_F(TransferWizardTest, ExportCaptionsHeadingsAndButtons) {
  TextTransferSettings settings = PersonsExportSettings();
  TextTransferWizard wizard(settings, TransferDirection::kExport, kExportTitle, prompter, help);
  EXPECT_EQ(wizard.windowTitle(), kExportTitle);
  EXPECT_TRUE(wizard.windowFlags() & Qt::WindowContextHelpButtonHint);
  wizard.show();

  EXPECT_EQ(wizard.windowTitle(), QStringLiteral("Select Document"));
  EXPECT_EQ(wizard.currentPage()->title(), kExportTitle);
  EXPECT_FALSE(Offered(wizard, QWizard::BackButton));
  EXPECT_FALSE(Offered(wizard, QWizard::NextButton));
  EXPECT_FALSE(Offered(wizard, QWizard::FinishButton));
  QTest::keyClicks(wizard.SelectDocument()->FileNameBox(), "out.csv");
  EXPECT_TRUE(Offered(wizard, QWizard::NextButton));
  wizard.SelectDocument()->FileNameBox()->clear();
  EXPECT_FALSE(Offered(wizard, QWizard::NextButton));
  QTest::keyClicks(wizard.SelectDocument()->FileNameBox(), "out.csv");

  Click(wizard, QWizard::NextButton);
  EXPECT_EQ(wizard.windowTitle(), QStringLiteral("Document Structure"));
  EXPECT_EQ(wizard.currentPage()->title(), kExportTitle);
  EXPECT_TRUE(Offered(wizard, QWizard::BackButton));
  EXPECT_TRUE(Offered(wizard, QWizard::NextButton));
  EXPECT_FALSE(Offered(wizard, QWizard::FinishButton));
  // An export has no first line to show.
  EXPECT_TRUE(wizard.DocumentStructure()->PreviewGroup()->isHidden());
  EXPECT_FALSE(wizard.DocumentStructure()->NamesBox()->isHidden());

  Click(wizard, QWizard::NextButton);
  EXPECT_EQ(wizard.windowTitle(), QStringLiteral("Fields To Export"));
  EXPECT_TRUE(Offered(wizard, QWizard::BackButton));
  EXPECT_FALSE(Offered(wizard, QWizard::NextButton));
  // Finish waits for a ticked field.
  EXPECT_FALSE(Offered(wizard, QWizard::FinishButton));
  wizard.Fields()->List()->topLevelItem(3)->setCheckState(0, Qt::Checked);
  EXPECT_TRUE(Offered(wizard, QWizard::FinishButton));

  Click(wizard, QWizard::BackButton);
  EXPECT_EQ(wizard.windowTitle(), QStringLiteral("Document Structure"));
  Click(wizard, QWizard::BackButton);
  EXPECT_EQ(wizard.windowTitle(), QStringLiteral("Select Document"));
  EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(TransferWizardTest, ImportCaptionsAndPreview) {
  TextTransferSettings settings = PersonsImportSettings();
  auto wizard = Open(settings, TransferDirection::kImport, kImportTitle);
  TypeName(*wizard, File("people.csv", "  \"First\",\"Last\"  \r\nAnn,Lee\n"));
  Click(*wizard, QWizard::NextButton);
  EXPECT_EQ(wizard->windowTitle(), QStringLiteral("Document Structure"));
  EXPECT_FALSE(wizard->DocumentStructure()->PreviewGroup()->isHidden());
  EXPECT_EQ(wizard->DocumentStructure()->Preview()->toPlainText(), QStringLiteral("\"First\",\"Last\""));
  Click(*wizard, QWizard::NextButton);
  EXPECT_EQ(wizard->windowTitle(), QStringLiteral("Fields To Import"));
  EXPECT_TRUE(Offered(*wizard, QWizard::FinishButton));
  EXPECT_FALSE(Offered(*wizard, QWizard::NextButton));
}

TEST_F(TransferWizardTest, MessagesKeepTheWizardOnItsPage) {
  TextTransferSettings settings = PersonsImportSettings();
  auto wizard = Open(settings, TransferDirection::kImport, kImportTitle);

  prompter.answers = {Prompter::Answer::kOk, Prompter::Answer::kOk, Prompter::Answer::kOk};
  wizard->next();  // Next with an empty name, as Enter would
  const QString missing = QString::fromStdString(dir.File("missing.csv"));
  TypeName(*wizard, missing);
  Click(*wizard, QWizard::NextButton);
  // A folder opens but cannot be read as a file.
  TypeName(*wizard, QString::fromStdString(dir.Path().string()));
  Click(*wizard, QWizard::NextButton);
  ASSERT_EQ(prompter.messages.size(), 3u);
  EXPECT_EQ(prompter.messages[0].text, QStringLiteral("You must enter a file name"));
  EXPECT_EQ(prompter.messages[0].caption, QStringLiteral("Enter File Name"));
  for (int i : {1, 2}) {
    EXPECT_EQ(prompter.messages[i].text, QStringLiteral("Unable to open file"));
    EXPECT_EQ(prompter.messages[i].caption, QStringLiteral("File Error"));
  }
  for (const auto& shown : prompter.messages) {
    EXPECT_EQ(shown.icon, Prompter::Icon::kInformation);
    EXPECT_EQ(shown.buttons, Prompter::Buttons::kOk);
    EXPECT_TRUE(shown.owned);
  }
  EXPECT_EQ(wizard->currentId(), TextTransferWizard::kSelectDocument);

  TypeName(*wizard, File("a.csv", "x,y\n"));
  Click(*wizard, QWizard::NextButton);
  ASSERT_EQ(wizard->currentId(), TextTransferWizard::kDocumentStructure);
  const QString formatting = QStringLiteral(
      "You must select both a character that encloses each text field and one that separates each field.");
  prompter.answers = {Prompter::Answer::kOk, Prompter::Answer::kOk};
  wizard->DocumentStructure()->SeparatorList()->clearSelection();
  Click(*wizard, QWizard::NextButton);
  wizard->DocumentStructure()->SeparatorList()->setCurrentRow(1);
  wizard->DocumentStructure()->EncloserList()->clearSelection();
  Click(*wizard, QWizard::NextButton);
  ASSERT_EQ(prompter.messages.size(), 5u);
  for (int i : {3, 4}) {
    EXPECT_EQ(prompter.messages[i].text, formatting);
    EXPECT_EQ(prompter.messages[i].caption, QStringLiteral("Choose Formatting Characters"));
    EXPECT_EQ(prompter.messages[i].icon, Prompter::Icon::kInformation);
  }
  EXPECT_EQ(wizard->currentId(), TextTransferWizard::kDocumentStructure);
  EXPECT_TRUE(settings.Separator.empty());
}

TEST_F(TransferWizardTest, NextReadsTheWholeFirstLine) {
  const std::string longName(3000, 'n');
  struct Case {
    std::string bytes;
    std::string firstLine;
  } cases[] = {
      {"\t Name,Phone \r\n1,2\n", "Name,Phone"},
      {longName + ",Last\nAnn,Lee\n", longName + ",Last"},
      {"FirstName;LastName", "FirstName;LastName"},  // no line feed at all
      {"", ""},
  };
  for (const Case& c : cases) {
    TextTransferSettings settings = PersonsImportSettings();
    auto wizard = Open(settings, TransferDirection::kImport, kImportTitle);
    const QString path = File("first.csv", c.bytes);
    TypeName(*wizard, path);
    Click(*wizard, QWizard::NextButton);
    EXPECT_EQ(wizard->currentId(), TextTransferWizard::kDocumentStructure);
    EXPECT_EQ(settings.FileName, path.toStdString());
    EXPECT_EQ(settings.FirstLine, c.firstLine);
    EXPECT_EQ(wizard->DocumentStructure()->Preview()->toPlainText(), QString::fromStdString(c.firstLine));
  }
}

TEST_F(TransferWizardTest, PreviewAndColumnsComeFromTheFirstRecord) {
  TextTransferSettings settings = PersonsImportSettings();
  auto wizard = Open(settings, TransferDirection::kImport, kImportTitle);
  TypeName(*wizard, File("multi.csv", "\"First\",\"Home\r\nAddress\",\"Last\"\r\nAnn,\"1 Elm\",Lee\r\n"));
  Click(*wizard, QWizard::NextButton);
  QPlainTextEdit* preview = wizard->DocumentStructure()->Preview();
  EXPECT_EQ(preview->toPlainText(), QStringLiteral("\"First\",\"Home\nAddress\",\"Last\""));
  // Without an encloser the line break ends the record.
  wizard->DocumentStructure()->EncloserList()->setCurrentRow(2);
  EXPECT_EQ(preview->toPlainText(), QStringLiteral("\"First\",\"Home"));
  wizard->DocumentStructure()->EncloserList()->setCurrentRow(0);
  Click(*wizard, QWizard::NextButton);
  EXPECT_EQ(settings.ImportedFieldNames, (Strings{"First", "Home\r\nAddress", "Last"}));
  EXPECT_EQ(settings.ColumnCount, 3);
}

TEST_F(TransferWizardTest, BackAndNextKeepWhatWasEntered) {
  TextTransferSettings settings = PersonsImportSettings();
  auto wizard = Open(settings, TransferDirection::kImport, kImportTitle);
  const QString path = File("keep.csv", "a\tb\n");
  TypeName(*wizard, path);
  Click(*wizard, QWizard::NextButton);
  DocumentStructurePage* structure = wizard->DocumentStructure();
  // The first showing picks Comma, Double Quote and field names.
  EXPECT_EQ(structure->SeparatorList()->currentRow(), 0);
  EXPECT_EQ(structure->EncloserList()->currentRow(), 0);
  EXPECT_TRUE(structure->NamesBox()->isChecked());
  structure->SeparatorList()->setCurrentRow(4);
  structure->EncloserList()->setCurrentRow(2);
  QTest::mouseClick(structure->NamesBox(), Qt::LeftButton);
  Click(*wizard, QWizard::BackButton);
  EXPECT_EQ(wizard->SelectDocument()->FileNameBox()->text(), path);
  EXPECT_TRUE(Offered(*wizard, QWizard::NextButton));
  Click(*wizard, QWizard::NextButton);
  EXPECT_EQ(structure->SeparatorList()->currentRow(), 4);
  EXPECT_EQ(structure->EncloserList()->currentRow(), 2);
  EXPECT_FALSE(structure->NamesBox()->isChecked());
  Click(*wizard, QWizard::NextButton);
  Click(*wizard, QWizard::BackButton);
  EXPECT_EQ(structure->SeparatorList()->currentRow(), 4);
  Click(*wizard, QWizard::NextButton);
  EXPECT_EQ(settings.Separator, "\t");
  EXPECT_EQ(settings.Encloser, "");
  EXPECT_FALSE(settings.FirstLineHasNames);
  EXPECT_EQ(Column(wizard->Fields()->List(), 0), (std::vector<QString>{"a", "b"}));
}

TEST_F(TransferWizardTest, ListPositionsGiveTheCharacters) {
  const std::string separators[] = {",", ";", "|", " ", "\t"};
  const std::string enclosers[] = {"\"", "'", ""};
  const QString separatorLabels[] = {"Comma(,)", "Semi-colon(;)", "Pipe(|)", "Space", "Tab"};
  const QString encloserLabels[] = {"Double Quote(\")", "Single Quote(')", "Nothing"};
  TextTransferSettings settings = ContactsExportSettings();
  auto wizard = Open(settings, TransferDirection::kExport, kExportTitle);
  TypeName(*wizard, QStringLiteral("out.txt"));
  Click(*wizard, QWizard::NextButton);
  DocumentStructurePage* structure = wizard->DocumentStructure();
  ASSERT_EQ(structure->SeparatorList()->count(), 5);
  ASSERT_EQ(structure->EncloserList()->count(), 3);
  for (int s = 0; s < 5; ++s) EXPECT_EQ(structure->SeparatorList()->item(s)->text(), separatorLabels[s]);
  for (int e = 0; e < 3; ++e) EXPECT_EQ(structure->EncloserList()->item(e)->text(), encloserLabels[e]);
  for (int s = 0; s < 5; ++s) {
    for (int e = 0; e < 3; ++e) {
      structure->SeparatorList()->setCurrentRow(s);
      structure->EncloserList()->setCurrentRow(e);
      Click(*wizard, QWizard::NextButton);
      EXPECT_EQ(settings.Separator, separators[s]) << s;
      EXPECT_EQ(settings.Encloser, enclosers[e]) << e;
      EXPECT_TRUE(settings.FirstLineHasNames);
      Click(*wizard, QWizard::BackButton);
    }
  }
}

TEST_F(TransferWizardTest, BrowseOpensInImportAndSavesInExport) {
  TextTransferSettings importSettings = PersonsImportSettings();
  auto importer = Open(importSettings, TransferDirection::kImport, kImportTitle);
  prompter.openNames = {std::nullopt, QStringLiteral("/data/people.csv")};
  QTest::mouseClick(importer->SelectDocument()->BrowseButton(), Qt::LeftButton);
  EXPECT_TRUE(importer->SelectDocument()->FileNameBox()->text().isEmpty());
  QTest::mouseClick(importer->SelectDocument()->BrowseButton(), Qt::LeftButton);
  EXPECT_EQ(importer->SelectDocument()->FileNameBox()->text(), QStringLiteral("/data/people.csv"));
  EXPECT_TRUE(Offered(*importer, QWizard::NextButton));
  EXPECT_EQ(prompter.openDialogs, 2);
  EXPECT_TRUE(prompter.proposedSaveNames.empty());

  TextTransferSettings exportSettings = PersonsExportSettings();
  auto exporter = Open(exportSettings, TransferDirection::kExport, kExportTitle);
  TypeName(*exporter, QStringLiteral("draft"));
  prompter.saveNames = {QStringLiteral("/data/out.csv")};
  QTest::mouseClick(exporter->SelectDocument()->BrowseButton(), Qt::LeftButton);
  EXPECT_EQ(prompter.proposedSaveNames, (std::vector<QString>{"draft"}));
  EXPECT_EQ(exporter->SelectDocument()->FileNameBox()->text(), QStringLiteral("/data/out.csv"));
  EXPECT_EQ(prompter.openDialogs, 2);
}

TEST_F(TransferWizardTest, ExportListsTheKeysAndFinishesWithTheTickedOnes) {
  TextTransferSettings settings = PersonsExportSettings();
  auto wizard = Open(settings, TransferDirection::kExport, kExportTitle);
  ToFields(*wizard, QStringLiteral("out.csv"));
  QTreeWidget* list = wizard->Fields()->List();
  ASSERT_EQ(list->columnCount(), 1);
  EXPECT_EQ(list->headerItem()->text(0), QStringLiteral("Persons Fields"));
  EXPECT_EQ(Column(list, 0), (std::vector<QString>{"FirstName", "LastName", "Address", "City", "State", "ZipCode",
                                                   "Phone", "Fax", "E-Mail", "Company", "Position", "Title",
                                                   "WorkPhone", "Extension", "CelPhone", "Pager", "WebPage"}));
  for (int row = 0; row < list->topLevelItemCount(); ++row)
    EXPECT_EQ(list->topLevelItem(row)->checkState(0), Qt::Unchecked);

  // Space ticks the current row; rows come out in list order whatever the
  // order of ticking.
  list->setCurrentItem(list->topLevelItem(6));
  QTest::keyClick(list, Qt::Key_Space);
  list->setCurrentItem(list->topLevelItem(9));
  QTest::keyClick(list, Qt::Key_Space);
  QTest::keyClick(list, Qt::Key_Space);
  list->topLevelItem(0)->setCheckState(0, Qt::Checked);
  EXPECT_EQ(list->topLevelItem(6)->checkState(0), Qt::Checked);
  EXPECT_EQ(list->topLevelItem(9)->checkState(0), Qt::Unchecked);

  // Going back does not rebuild the list or lose the ticks.
  Click(*wizard, QWizard::BackButton);
  Click(*wizard, QWizard::NextButton);
  EXPECT_EQ(list->topLevelItemCount(), 17);
  EXPECT_EQ(wizard->Fields()->IsoDatesBox(), nullptr) << "persons have no dates";
  Click(*wizard, QWizard::FinishButton);
  EXPECT_EQ(wizard->result(), QDialog::Accepted);
  EXPECT_EQ(settings.Fields, (Strings{"FirstName", "Phone"}));
  EXPECT_EQ(settings.FileName, "out.csv");
  EXPECT_EQ(settings.Separator, ",");
  EXPECT_EQ(settings.Encloser, "\"");
}

// Nothing ticked, Finish cannot be pressed: the export would write empty
// lines only. A contacts export may write ISO dates; its box starts clear.
TEST_F(TransferWizardTest, ExportNeedsATickedFieldAndContactsMayHaveIsoDates) {
  for (const bool iso : {false, true}) {
    TextTransferSettings settings = ContactsExportSettings();
    settings.Fields = {"stale"};
    prompter.dialogs.push_back([iso](QDialog& dialog) {
      dialog.show();
      auto& wizard = static_cast<TextTransferWizard&>(dialog);
      ToFields(wizard, QStringLiteral("contacts.csv"));
      QTreeWidget* list = wizard.Fields()->List();
      EXPECT_EQ(list->headerItem()->text(0), QStringLiteral("Contacts Fields"));
      EXPECT_EQ(list->topLevelItemCount(), 6);
      QCheckBox* box = wizard.Fields()->IsoDatesBox();
      EXPECT_EQ(box->text(), QStringLiteral("Write &dates and times as ISO 8601 (2026-12-07 and 14:05:00)"));
      EXPECT_TRUE(box->isVisible());
      EXPECT_FALSE(box->isChecked());
      Click(wizard, QWizard::FinishButton);
      EXPECT_TRUE(wizard.isVisible()) << "Finish is disabled";
      EXPECT_FALSE(wizard.button(QWizard::FinishButton)->isEnabled());
      list->setCurrentItem(list->topLevelItem(2));
      QTest::keyClick(list, Qt::Key_Space);
      EXPECT_TRUE(wizard.button(QWizard::FinishButton)->isEnabled());
      QTest::keyClick(list, Qt::Key_Space);
      EXPECT_FALSE(wizard.button(QWizard::FinishButton)->isEnabled());
      QTest::keyClick(list, Qt::Key_Space);
      if (iso) QTest::mouseClick(box, Qt::LeftButton);
      Click(wizard, QWizard::FinishButton);
      return dialog.result();
    });
    TextTransferWizard wizard(settings, TransferDirection::kExport,
                              QStringLiteral("Export Contact Information To Text File"), prompter, help);
    EXPECT_EQ(prompter.RunDialog(wizard), QDialog::Accepted);
    EXPECT_EQ(settings.Fields, Strings{"Date"});
    EXPECT_EQ(settings.IsoDates, iso);
  }
}

TEST_F(TransferWizardTest, ImportRowsComeFromTheFirstLine) {
  TextTransferSettings settings = PersonsImportSettings();
  auto wizard = Open(settings, TransferDirection::kImport, kImportTitle);
  ToFields(*wizard, File("in.csv", "\"First\",,\"Last\", Phone \nAnn,,Lee,555\n"));
  QTreeWidget* list = wizard->Fields()->List();
  ASSERT_EQ(list->columnCount(), 2);
  EXPECT_EQ(list->headerItem()->text(0), QStringLiteral("Import Fields"));
  EXPECT_EQ(list->headerItem()->text(1), QStringLiteral("Persons Fields"));
  EXPECT_EQ(Column(list, 0), (std::vector<QString>{"First", "EMPTY FIELD", "Last", "Phone"}));
  // The first line holds names: the one Vimbo knows is assigned.
  EXPECT_EQ(Column(list, 1), (std::vector<QString>{"", "", "", "Phone"}));
  EXPECT_EQ(settings.ImportedFieldNames, (Strings{"First", "EMPTY FIELD", "Last", "Phone"}));
  EXPECT_EQ(settings.ColumnCount, 4);
  EXPECT_EQ(list->header()->sectionSize(0), list->header()->sectionSize(1));
}

TEST_F(TransferWizardTest, AssigningMovesClearsAndCancels) {
  TextTransferSettings settings = PersonsImportSettings();
  auto wizard = Open(settings, TransferDirection::kImport, kImportTitle);
  ToFields(*wizard, File("in.csv", "a,b,c\n"));
  QTreeWidget* list = wizard->Fields()->List();
  const auto& assigned = wizard->Fields()->Assignments();

  Opened fresh;
  prompter.dialogs.push_back(AnswerFields(kLastName, true, true, &fresh));
  ClickRow(list, 0);
  EXPECT_FALSE(fresh.checked);
  EXPECT_EQ(fresh.index, -1);
  EXPECT_FALSE(fresh.okEnabled);
  EXPECT_EQ(assigned, (Strings{"LastName", "", ""}));
  EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("LastName"));

  // The same key on another column takes it from the first.
  prompter.dialogs.push_back(AnswerFields(kLastName, true));
  ClickRow(list, 2);
  EXPECT_EQ(assigned, (Strings{"", "", "LastName"}));
  EXPECT_EQ(Column(list, 1), (std::vector<QString>{"", "", "LastName"}));

  // Cancel leaves the assignment, whatever was picked.
  Opened seen;
  prompter.dialogs.push_back(AnswerFields(kFirstName, false, false, &seen));
  ClickRow(list, 2);
  EXPECT_TRUE(seen.checked);
  EXPECT_EQ(seen.index, kLastName);
  EXPECT_TRUE(seen.okEnabled);
  EXPECT_EQ(assigned, (Strings{"", "", "LastName"}));

  // OK with the box cleared takes the column out of the import.
  prompter.dialogs.push_back(AnswerFields(-1, false));
  ClickRow(list, 2);
  EXPECT_EQ(assigned, (Strings{"", "", ""}));
  EXPECT_EQ(list->topLevelItem(2)->text(1), QString());

  // Below the rows nothing opens (an unexpected dialog fails the test).
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(5, list->viewport()->height() - 2));
  EXPECT_TRUE(prompter.dialogs.empty());
}

TEST_F(TransferWizardTest, FinishNeedsTheLastNameAssigned) {
  TextTransferSettings settings = PersonsImportSettings();
  auto wizard = Open(settings, TransferDirection::kImport, kImportTitle);
  ToFields(*wizard, File("in.csv", "First,Last,Company\nAnn,Lee,Acme\n"));
  QTreeWidget* list = wizard->Fields()->List();

  prompter.dialogs.push_back(AnswerFields(kFirstName, true));
  ClickRow(list, 0);
  Click(*wizard, QWizard::FinishButton);
  EXPECT_TRUE(wizard->isVisible());
  EXPECT_EQ(wizard->currentId(), TextTransferWizard::kFields);
  EXPECT_TRUE(prompter.messages.empty());
  EXPECT_EQ(settings.Fields, Strings(17, ""));

  prompter.dialogs.push_back(AnswerFields(kLastName, true));
  ClickRow(list, 1);
  Click(*wizard, QWizard::FinishButton);
  EXPECT_FALSE(wizard->isVisible());
  EXPECT_EQ(wizard->result(), QDialog::Accepted);
  EXPECT_EQ(settings.Fields, (Strings{"FirstName", "LastName", "Company"})) << "Company is known by its name";
  EXPECT_EQ(settings.ColumnCount, 3);
  EXPECT_TRUE(settings.FirstLineHasNames);
}

TEST_F(TransferWizardTest, EmptyFirstLineGivesNoRowsAndNoFinish) {
  TextTransferSettings settings = PersonsImportSettings();
  auto wizard = Open(settings, TransferDirection::kImport, kImportTitle);
  ToFields(*wizard, File("blank.csv", "  \n"));
  EXPECT_EQ(wizard->Fields()->List()->topLevelItemCount(), 0);
  EXPECT_EQ(settings.ColumnCount, 0);
  Click(*wizard, QWizard::FinishButton);
  EXPECT_TRUE(wizard->isVisible());
}

// A first line of names assigns the columns Vimbo knows, each field to its
// first column; the page says which, and each stays the user's to change.
// Without names nothing is assigned and nothing said.
TEST_F(TransferWizardTest, ColumnsAreAssignedByTheirNames) {
  TextTransferSettings settings = PersonsImportSettings();
  auto wizard = Open(settings, TransferDirection::kImport, kImportTitle);
  const QString path = File("google.csv",
                            "Given Name,Surname,Country,E-mail 1 - Value,Email,Mobile Phone,Organization\n"
                            "Ann,Lee,UK,a@x.org,b@x.org,0700,Acme\n");
  ToFields(*wizard, path);
  QTreeWidget* list = wizard->Fields()->List();
  QLabel* matched = wizard->Fields()->MatchedText();
  EXPECT_EQ(Column(list, 1), (std::vector<QString>{"FirstName", "LastName", "Country", "E-mail 1 - Value", "E-Mail",
                                                   "Phone (cell)", "Company"}));
  EXPECT_TRUE(matched->isVisible());
  EXPECT_EQ(matched->text(),
            "Assigned by name (7 of 7 columns): Given Name, Surname, Country, E-mail 1 - Value, Email, Mobile Phone, "
            "Organization. Click a row to change its field.");

  prompter.dialogs.push_back(AnswerFields(9, true));  // Company, taken from the last column
  ClickRow(list, 2);
  prompter.dialogs.push_back(AnswerFields(-1, false));
  ClickRow(list, 5);
  Click(*wizard, QWizard::FinishButton);
  EXPECT_EQ(wizard->result(), QDialog::Accepted);
  EXPECT_EQ(settings.Fields, (Strings{"FirstName", "LastName", "Company", "E-mail 1 - Value", "E-Mail", "", ""}));

  TextTransferSettings again = PersonsImportSettings();
  wizard = Open(again, TransferDirection::kImport, kImportTitle);
  ToFields(*wizard, File("plain.csv", "id,shoe size\n1,38\n"));
  EXPECT_EQ(wizard->Fields()->MatchedText()->text(), "No column name was recognised. Click a row to choose its field.");
  Click(*wizard, QWizard::BackButton);
  QTest::mouseClick(wizard->DocumentStructure()->NamesBox(), Qt::LeftButton);
  Click(*wizard, QWizard::BackButton);
  TypeName(*wizard, path);
  Click(*wizard, QWizard::NextButton);
  Click(*wizard, QWizard::NextButton);
  EXPECT_EQ(Column(wizard->Fields()->List(), 1), std::vector<QString>(7));
  EXPECT_FALSE(wizard->Fields()->MatchedText()->isVisible());
}

TEST_F(TransferWizardTest, EnterAndSpaceOnARowOpenTheAssignment) {
  TextTransferSettings settings = PersonsImportSettings();
  auto wizard = Open(settings, TransferDirection::kImport, kImportTitle);
  ToFields(*wizard, File("in.csv", "a|b\n"), 2);
  QTreeWidget* list = wizard->Fields()->List();
  list->setFocus();
  list->setCurrentItem(list->topLevelItem(1));
  prompter.dialogs.push_back(AnswerFields(kLastName, true));
  QTest::keyClick(list, Qt::Key_Return);
  // Enter went to the row, not to Finish.
  EXPECT_TRUE(wizard->isVisible());
  EXPECT_EQ(wizard->Fields()->Assignments(), (Strings{"", "LastName"}));
  list->setCurrentItem(list->topLevelItem(0));
  prompter.dialogs.push_back(AnswerFields(kFirstName, true));
  QTest::keyClick(list, Qt::Key_Space);
  EXPECT_EQ(wizard->Fields()->Assignments(), (Strings{"FirstName", "LastName"}));
  EXPECT_TRUE(prompter.dialogs.empty());
}

TEST_F(TransferWizardTest, AnotherFileOrSeparatorRebuildsTheColumns) {
  TextTransferSettings settings = PersonsImportSettings();
  auto wizard = Open(settings, TransferDirection::kImport, kImportTitle);
  ToFields(*wizard, File("one.csv", "a,b,c\n"));
  prompter.dialogs.push_back(AnswerFields(kLastName, true));
  ClickRow(wizard->Fields()->List(), 1);

  // Back and on with nothing changed keeps the rows and what they hold.
  Click(*wizard, QWizard::BackButton);
  Click(*wizard, QWizard::NextButton);
  EXPECT_EQ(wizard->Fields()->Assignments(), (Strings{"", "LastName", ""}));
  EXPECT_EQ(settings.ImportedFieldNames.size(), 3u);

  // A file with other columns: the rows follow it.
  Click(*wizard, QWizard::BackButton);
  Click(*wizard, QWizard::BackButton);
  ToFields(*wizard, File("two.csv", "x;y\n"), 1);
  EXPECT_EQ(Column(wizard->Fields()->List(), 0), (std::vector<QString>{"x", "y"}));
  EXPECT_EQ(settings.ImportedFieldNames, (Strings{"x", "y"}));
  EXPECT_EQ(settings.ColumnCount, 2);
  EXPECT_EQ(wizard->Fields()->Assignments(), (Strings{"", ""}));
}

TEST_F(TransferWizardTest, CancelEndsWithNothingChosen) {
  TextTransferSettings settings = PersonsImportSettings();
  prompter.dialogs.push_back([](QDialog& dialog) {
    dialog.show();
    Click(static_cast<TextTransferWizard&>(dialog), QWizard::CancelButton);
    return dialog.result();
  });
  TextTransferWizard wizard(settings, TransferDirection::kImport, kImportTitle, prompter, help);
  EXPECT_EQ(prompter.RunDialog(wizard), QDialog::Rejected);
  EXPECT_EQ(settings.Fields, Strings(17, ""));
  EXPECT_TRUE(settings.FileName.empty());
}

TEST_F(TransferWizardTest, F1ShowsEachControlsPopup) {
  TextTransferSettings settings = PersonsImportSettings();
  auto wizard = Open(settings, TransferDirection::kImport, kImportTitle);
  auto expectPopup = [&](QWidget* widget, uint32_t context) {
    ASSERT_NE(widget, nullptr) << context;
    QTest::keyClick(widget, Qt::Key_F1);
    EXPECT_EQ(help.LastPopup(), context);
  };
  expectPopup(wizard->SelectDocument()->FileNameBox(), 4000);
  expectPopup(wizard->SelectDocument()->BrowseButton(), 4001);
  expectPopup(wizard->button(QWizard::CancelButton), 1001);
  TypeName(*wizard, File("in.csv", "a,b\n"));
  expectPopup(wizard->button(QWizard::NextButton), 1004);
  Click(*wizard, QWizard::NextButton);
  expectPopup(wizard->DocumentStructure()->Preview(), 4002);
  expectPopup(wizard->DocumentStructure()->NamesBox(), 4004);
  expectPopup(wizard->DocumentStructure()->SeparatorList(), 4006);
  expectPopup(wizard->DocumentStructure()->EncloserList(), 4008);
  expectPopup(wizard->button(QWizard::BackButton), 1005);
  Click(*wizard, QWizard::NextButton);
  expectPopup(wizard->Fields()->List(), 4010);
  expectPopup(wizard->button(QWizard::FinishButton), 1006);

  TextTransferSettings contacts = ContactsExportSettings();
  auto exporter = Open(contacts, TransferDirection::kExport, kExportTitle);
  ToFields(*exporter, QStringLiteral("out.csv"));
  expectPopup(exporter->Fields()->IsoDatesBox(), 4012);
  exporter->close();

  prompter.dialogs.push_back([&](QDialog& dialog) {
    dialog.show();
    auto& fields = static_cast<FieldAssignmentDialog&>(dialog);
    expectPopup(fields.Keys(), 5000);
    expectPopup(fields.ImportBox(), 5001);
    // OK and Cancel answer as in every other dialog.
    expectPopup(fields.OkButton(), 1000);
    expectPopup(fields.CancelButton(), 1001);
    return int(QDialog::Rejected);
  });
  ClickRow(wizard->Fields()->List(), 0);
}

}  // namespace
}  // namespace vimbo
