#include "ui/editors/contact_types_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <functional>
#include <limits>
#include <vector>

#include "support/document_setup.h"
#include "support/scripted_prompter.h"
#include "ui/document/log_document.h"
#include "ui/editors/contact_type_details_dialog.h"
#include "ui/kit/control_id.h"
#include "ui/kit/help_system.h"

namespace vimbo {
namespace {

using testing::ScriptedPrompter;
using Answer = Prompter::Answer;

const QString kDeleteQuestion = QStringLiteral(
    "Are you sure you want to delete the selected contact? If it is in use anywhere, it will "
    "not be deleted");

QString DuplicateText(const QString& name) {
  return name + QStringLiteral(
                    " is already listed in the table of Contact Types.\n"
                    "Please enter a different description.");
}

// Types `text` into the details dialog and clicks OK; the dialog's result
// tells whether it accepted.
std::function<int(QDialog&)> Confirm(const QString& text) {
  return [text](QDialog& dialog) {
    dialog.show();
    auto& details = static_cast<ContactTypeDetailsDialog&>(dialog);
    details.DescriptionBox()->setText(text);
    QTest::mouseClick(details.OkButton(), Qt::LeftButton);
    return dialog.result();
  };
}

std::function<int(QDialog&)> CancelDetails(QString* shown = nullptr) {
  return [shown](QDialog& dialog) {
    dialog.show();
    auto& details = static_cast<ContactTypeDetailsDialog&>(dialog);
    if (shown) *shown = details.DescriptionBox()->text();
    QTest::mouseClick(details.CancelButton(), Qt::LeftButton);
    return dialog.result();
  };
}

class ContactTypesDialogTest : public ::testing::Test {
 protected:
  ContactTypesDialogTest() {
    document.New();
    // Every change the dialog makes reaches the document's views once.
    QObject::connect(&document, &LogDocument::changed, [this] { ++updates; });
  }

  ContactTypes& Types() { return setup.Content().contactTypes; }

  // The list as shown: each item's text and the ID it carries.
  std::vector<std::pair<QString, int>> Shown(const ContactTypesDialog& dialog) {
    std::vector<std::pair<QString, int>> shown;
    QTreeWidget* list = dialog.List();
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
      QTreeWidgetItem* item = list->topLevelItem(i);
      shown.emplace_back(item->text(0), item->data(0, Qt::UserRole).toInt());
    }
    return shown;
  }

  // Index of the one selected item, -1 when none is.
  int SelectedRow(const ContactTypesDialog& dialog) {
    const auto selected = dialog.List()->selectedItems();
    if (selected.size() != 1) return -1;
    return dialog.List()->indexOfTopLevelItem(selected.constFirst());
  }

  void Select(ContactTypesDialog& dialog, int row) {
    QTreeWidget* list = dialog.List();
    const QRect rect = list->visualItemRect(list->topLevelItem(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
  }

  void Click(ContactTypesDialog& dialog, int id) { QTest::mouseClick(dialog.Button(id), Qt::LeftButton); }

  ScriptedPrompter prompter;
  // Declared before the document, which detaches its views when it goes.
  int updates = 0;
  LogDocument document{prompter};
  testing::DocumentSetup setup{document};
  HelpSystem help{QStringLiteral(VIMBO_HELP_DIR)};
};

const std::vector<std::pair<QString, int>> kDefaults = {
    {"Telephone", 1}, {"E-Mail", 2}, {"Personal", 3}, {"Correspondence", 4}};

TEST_F(ContactTypesDialogTest, OpensWithTypesInIdOrderAndTheFirstSelected) {
  Types().Insert(ContactType{9, "Aardvark"});
  setup.Apply();
  ContactTypesDialog dialog(document, prompter, help);

  EXPECT_EQ(dialog.windowTitle(), "Contact Types");
  QTreeWidget* list = dialog.List();
  EXPECT_EQ(ControlId(list), 1103);
  EXPECT_EQ(list->columnCount(), 1);
  EXPECT_EQ(list->headerItem()->text(0), "Activity");
  EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection);

  auto expected = kDefaults;
  expected.emplace_back("Aardvark", 9);
  EXPECT_EQ(Shown(dialog), expected);
  EXPECT_EQ(SelectedRow(dialog), 0);
  EXPECT_EQ(list->currentItem(), list->topLevelItem(0));

  const std::pair<int, const char*> buttons[] = {{1003, "&Add"}, {1004, "&Delete"}, {1005, "&Edit"}, {1, "&Close"}};
  for (const auto& [id, text] : buttons) {
    ASSERT_NE(dialog.Button(id), nullptr) << id;
    EXPECT_EQ(dialog.Button(id)->text(), text);
    EXPECT_TRUE(dialog.Button(id)->isEnabled()) << id;
  }
  EXPECT_TRUE(dialog.Button(1)->isDefault());
  EXPECT_EQ(dialog.Button(2), nullptr);
  EXPECT_FALSE(document.IsModified());
  EXPECT_EQ(updates, 0);
}

TEST_F(ContactTypesDialogTest, AddingAnExistingNameIsRefusedButAnotherCaseIsAccepted) {
  ContactTypesDialog dialog(document, prompter, help);
  prompter.answers = {Answer::kOk};
  bool stayedOpen = false;
  bool textSelected = false;
  prompter.dialogs.push_back([&](QDialog& dialog) {
    auto& details = static_cast<ContactTypeDetailsDialog&>(dialog);
    EXPECT_EQ(details.windowTitle(), "Contact Type Details");
    EXPECT_TRUE(details.DescriptionBox()->text().isEmpty());
    if (Confirm(QStringLiteral("Telephone"))(dialog) == QDialog::Accepted) return 1;
    stayedOpen = details.isVisible();
    textSelected =
        details.DescriptionBox()->selectedText() == "Telephone" && details.focusWidget() == details.DescriptionBox();
    return Confirm(QStringLiteral("telephone"))(dialog);
  });
  Select(dialog, 2);
  Click(dialog, 1003);

  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].text, DuplicateText("Telephone"));
  EXPECT_EQ(prompter.messages[0].caption, "Duplicate Contact Type");
  EXPECT_EQ(prompter.messages[0].icon, Prompter::Icon::kError);
  EXPECT_EQ(prompter.messages[0].buttons, Prompter::Buttons::kOk);
  EXPECT_TRUE(stayedOpen);
  EXPECT_TRUE(textSelected);

  auto expected = kDefaults;
  expected.emplace_back("telephone", 5);
  EXPECT_EQ(Shown(dialog), expected);
  EXPECT_EQ(Types().Find(5)->Description, "telephone");
  EXPECT_EQ(Types().LastID, 5);
  // The first item, not the added one nor the one selected before.
  EXPECT_EQ(SelectedRow(dialog), 0);
  EXPECT_TRUE(document.IsModified());
  EXPECT_EQ(updates, 1);
}

TEST_F(ContactTypesDialogTest, CancelledAddChangesNothingAndTakesNoIdentifier) {
  ContactTypesDialog dialog(document, prompter, help);
  prompter.dialogs.push_back([](QDialog& dialog) {
    static_cast<ContactTypeDetailsDialog&>(dialog).DescriptionBox()->setText("Meeting");
    return CancelDetails()(dialog);
  });
  Click(dialog, 1003);

  EXPECT_TRUE(prompter.dialogs.empty());
  EXPECT_EQ(Shown(dialog), kDefaults);
  EXPECT_EQ(Types().LastID, 4);
  EXPECT_FALSE(document.IsModified());
  EXPECT_EQ(updates, 0);
}

TEST_F(ContactTypesDialogTest, BlankNamesCountAndKeepTheirBlanks) {
  ContactTypeDetailsDialog details(document.Data(), true, -1, {}, prompter, help);
  details.show();
  QLineEdit* box = details.DescriptionBox();
  QPushButton* ok = details.OkButton();
  EXPECT_EQ(ControlId(box), 1055);
  EXPECT_EQ(ControlId(ok), 1);
  EXPECT_EQ(ControlId(details.CancelButton()), 2);
  EXPECT_TRUE(ok->isDefault());

  EXPECT_FALSE(ok->isEnabled());
  // Enter with an empty box does not end the dialog.
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_TRUE(details.isVisible());

  QTest::keyClicks(box, QStringLiteral(" "));
  EXPECT_TRUE(ok->isEnabled());
  QTest::keyClick(box, Qt::Key_Backspace);
  EXPECT_FALSE(ok->isEnabled());

  QTest::keyClicks(box, QStringLiteral("  Call  "));
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_EQ(details.result(), QDialog::Accepted);
  EXPECT_EQ(details.Description(), "  Call  ");
}

TEST_F(ContactTypesDialogTest, EditKeepsItsOwnNameAndRefusesAnothersName) {
  ContactTypesDialog dialog(document, prompter, help);

  QString shown;
  prompter.dialogs.push_back([&](QDialog& dialog) {
    shown = static_cast<ContactTypeDetailsDialog&>(dialog).DescriptionBox()->text();
    return Confirm(QStringLiteral("E-Mail"))(dialog);
  });
  Select(dialog, 1);
  Click(dialog, 1005);
  EXPECT_EQ(shown, "E-Mail");
  EXPECT_TRUE(prompter.messages.empty());
  EXPECT_EQ(Shown(dialog), kDefaults);
  EXPECT_TRUE(document.IsModified());
  EXPECT_EQ(updates, 1);
  EXPECT_EQ(SelectedRow(dialog), 0);

  setup.Apply();
  prompter.answers = {Answer::kOk};
  prompter.dialogs.push_back([](QDialog& dialog) {
    if (Confirm(QStringLiteral("Personal"))(dialog) == QDialog::Accepted) return 1;
    return CancelDetails()(dialog);
  });
  Select(dialog, 1);
  Click(dialog, 1005);
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].text, DuplicateText("Personal"));
  EXPECT_EQ(Shown(dialog), kDefaults);
  EXPECT_FALSE(document.IsModified());
  EXPECT_EQ(updates, 1);

  // A rename keeps the type's identifier and its place in the list.
  prompter.dialogs.push_back(Confirm(QStringLiteral("Email")));
  Select(dialog, 1);
  Click(dialog, 1005);
  EXPECT_EQ(Types().Find(2)->Description, "Email");
  EXPECT_EQ(Types().Size(), 4u);
  EXPECT_EQ(Types().LastID, 4);
  EXPECT_EQ(Shown(dialog)[1], std::make_pair(QStringLiteral("Email"), 2));
  EXPECT_EQ(SelectedRow(dialog), 0);
  EXPECT_EQ(updates, 2);
}

// A name from an older file in another encoding, and one longer than a box
// holds by default, confirmed unchanged.
TEST_F(ContactTypesDialogTest, EditingANameUnchangedKeepsItsBytes) {
  const std::string names[] = {"Caf\xe9", std::string(40000, 'x')};
  Types().Insert(ContactType{5, names[0]});
  Types().Insert(ContactType{6, names[1]});
  setup.Apply();
  ContactTypesDialog dialog(document, prompter, help);
  QString shown;
  for (int row : {4, 5}) {
    prompter.dialogs.push_back([&](QDialog& dialog) {
      shown = static_cast<ContactTypeDetailsDialog&>(dialog).DescriptionBox()->text();
      QTest::mouseClick(static_cast<ContactTypeDetailsDialog&>(dialog).OkButton(), Qt::LeftButton);
      return dialog.result();
    });
    Select(dialog, row);
    Click(dialog, 1005);
    if (row == 4) {
      EXPECT_EQ(shown, QStringLiteral("Caf\u00e9"));
    }
    EXPECT_EQ(Types().Find(row + 1)->Description, names[row - 4]);
  }
}

TEST_F(ContactTypesDialogTest, ATypeInUseIsNotDeletedUntilItsContactIsGone) {
  Contact contact;
  contact.ID = 1;
  contact.PersonID = 1;
  contact.ContactTypeID = 3;
  setup.Content().contacts.Insert(contact);
  setup.Apply();
  ContactTypesDialog dialog(document, prompter, help);

  prompter.answers = {Answer::kYes};
  Select(dialog, 2);
  Click(dialog, 1004);
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].text, kDeleteQuestion);
  EXPECT_EQ(prompter.messages[0].caption, "Delete Contact Type");
  EXPECT_EQ(prompter.messages[0].icon, Prompter::Icon::kInformation);
  EXPECT_EQ(prompter.messages[0].buttons, Prompter::Buttons::kYesNo);
  EXPECT_EQ(Shown(dialog), kDefaults);
  // Refused without a refill: the selection stays where the user put it.
  EXPECT_EQ(SelectedRow(dialog), 2);
  EXPECT_FALSE(document.IsModified());
  EXPECT_EQ(updates, 0);

  setup.Content().contacts.Erase(1);
  setup.Apply();
  prompter.answers = {Answer::kYes};
  Click(dialog, 1004);
  EXPECT_EQ(Types().Find(3), nullptr);
  EXPECT_EQ(Shown(dialog),
            (std::vector<std::pair<QString, int>>{{"Telephone", 1}, {"E-Mail", 2}, {"Correspondence", 4}}));
  EXPECT_EQ(SelectedRow(dialog), 0);
  EXPECT_TRUE(document.IsModified());
  EXPECT_EQ(updates, 1);
}

TEST_F(ContactTypesDialogTest, AnsweringNoDeletesNothing) {
  ContactTypesDialog dialog(document, prompter, help);
  prompter.answers = {Answer::kNo};
  Select(dialog, 3);
  Click(dialog, 1004);
  EXPECT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(Shown(dialog), kDefaults);
  EXPECT_EQ(SelectedRow(dialog), 3);
  EXPECT_FALSE(document.IsModified());
  EXPECT_EQ(updates, 0);
}

TEST_F(ContactTypesDialogTest, WithNothingSelectedEditAndDeleteChangeNothing) {
  ContactTypesDialog dialog(document, prompter, help);
  for (int i = 0; i < 4; ++i) {
    prompter.answers.push_back(Answer::kYes);
    Click(dialog, 1004);
  }
  EXPECT_TRUE(Shown(dialog).empty());
  EXPECT_TRUE(Types().Empty());
  EXPECT_EQ(updates, 4);
  EXPECT_FALSE(dialog.Button(1005)->isEnabled());
  EXPECT_TRUE(dialog.Button(1004)->isEnabled());
  EXPECT_TRUE(dialog.Button(1003)->isEnabled());
  EXPECT_TRUE(dialog.Button(1)->isEnabled());

  // Deleting from the empty list asks, then leaves the document unmarked.
  setup.Apply();
  prompter.answers = {Answer::kYes};
  Click(dialog, 1004);
  EXPECT_EQ(prompter.messages.size(), 5u);
  EXPECT_FALSE(document.IsModified());
  EXPECT_EQ(updates, 4);

  // A list whose selection the user cleared: Edit opens nothing (the
  // scripted prompter fails on any dialog), Delete erases nothing.
  prompter.dialogs.push_back(Confirm(QStringLiteral("Visit")));
  Click(dialog, 1003);
  setup.Apply();
  dialog.List()->clearSelection();
  Click(dialog, 1005);
  prompter.answers = {Answer::kYes};
  Click(dialog, 1004);
  EXPECT_EQ(Shown(dialog), (std::vector<std::pair<QString, int>>{{"Visit", 5}}));
  EXPECT_FALSE(document.IsModified());
}

TEST_F(ContactTypesDialogTest, AddWithTheCounterSpentIsRefused) {
  Types().LastID = std::numeric_limits<int32_t>::max();
  setup.Apply();
  ContactTypesDialog dialog(document, prompter, help);
  prompter.answers = {Answer::kOk};
  prompter.dialogs.push_back(Confirm(QStringLiteral("Meeting")));
  Click(dialog, 1003);
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].icon, Prompter::Icon::kError);
  EXPECT_EQ(Types().Find(0), nullptr);
  EXPECT_EQ(Shown(dialog), kDefaults);
  EXPECT_FALSE(document.IsModified());
  EXPECT_EQ(updates, 0);
}

TEST_F(ContactTypesDialogTest, OnlyTheCloseButtonEndsTheDialog) {
  ContactTypesDialog dialog(document, prompter, help);
  dialog.show();
  QTest::keyClick(dialog.List(), Qt::Key_Escape);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_FALSE(dialog.close());
  EXPECT_TRUE(dialog.isVisible());

  dialog.setResult(7);
  Click(dialog, 1);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), 0);
}

TEST_F(ContactTypesDialogTest, KeyboardReachesEveryControlInLayoutOrder) {
  ContactTypesDialog dialog(document, prompter, help);
  dialog.show();
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  dialog.List()->setFocus();

  std::vector<int> order{ControlId(QApplication::focusWidget())};
  for (int i = 0; i < 4; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    order.push_back(ControlId(QApplication::focusWidget()));
  }
  EXPECT_EQ(order, (std::vector<int>{1103, 1003, 1004, 1005, 1}));

  // Alt+E edits the selected type; the details box shows its name.
  QString shown;
  prompter.dialogs.push_back(CancelDetails(&shown));
  QTest::keyClick(&dialog, Qt::Key_E, Qt::AltModifier);
  // A mnemonic presses its button with the short click animation.
  EXPECT_TRUE(QTest::qWaitFor([&] { return !shown.isEmpty(); }));
  EXPECT_EQ(shown, "Telephone");
}

TEST_F(ContactTypesDialogTest, F1ShowsEachControlsPopup) {
  ContactTypesDialog dialog(document, prompter, help);
  dialog.show();
  QTest::keyClick(dialog.List(), Qt::Key_F1);
  EXPECT_EQ(help.LastPopup(), 6300u);
  QTest::keyClick(dialog.Button(1004), Qt::Key_F1);
  EXPECT_EQ(help.LastPopup(), 1009u);

  ContactTypeDetailsDialog details(document.Data(), true, -1, {}, prompter, help);
  details.show();
  QTest::keyClick(details.DescriptionBox(), Qt::Key_F1);
  EXPECT_EQ(help.LastPopup(), 6400u);
  QTest::keyClick(details.CancelButton(), Qt::Key_F1);
  EXPECT_EQ(help.LastPopup(), 1001u);
}

}  // namespace
}  // namespace vimbo
