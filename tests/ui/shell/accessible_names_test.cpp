// What a screen reader hears: the main window and every dialog are walked,
// and every control the keyboard can reach, every toolbar button and every
// group box must have a name of its own.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QGroupBox>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QSettings>
#include <QToolBar>
#include <QToolButton>

#include "support/document_setup.h"
#include "support/form_widgets.h"
#include "support/people.h"
#include "support/scripted_prompter.h"
#include "ui/editors/contact_types_dialog.h"
#include "ui/form/main_view.h"
#include "ui/kit/accessible_combo_box.h"
#include "ui/kit/command_ids.h"
#include "ui/kit/control_id.h"
#include "ui/kit/control_ids.h"
#include "ui/kit/help_window.h"
#include "ui/shell/main_frame.h"
#include "ui/shell/settings_store.h"
#include "ui/transfer/field_assignment_dialog.h"

namespace vimbo {
namespace {

using testing::Finder;
using testing::PersonSelector;

using namespace command;

// What a screen reader announces a control by: its accessible name, which
// for a combo box is its label's text rather than its current entry.
QString SpokenName(QWidget* widget) {
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
  return accessible ? accessible->text(QAccessible::Name) : QString();
}

// The controls a user reaches with the keyboard or the mouse, the buttons
// of its toolbars and its group boxes. A part that hands its focus on (a
// spin box's text) is the control it hands it to.
QList<QWidget*> Reachable(const QWidget& window) {
  QList<QWidget*> reached;
  for (QWidget* widget : window.findChildren<QWidget*>()) {
    if (widget->window() != &window) continue;
    const bool toolButton = qobject_cast<QToolButton*>(widget) && qobject_cast<QToolBar*>(widget->parentWidget());
    const bool group = qobject_cast<QGroupBox*>(widget) != nullptr;
    if (toolButton || group || (widget->focusPolicy() != Qt::NoFocus && !widget->focusProxy())) reached.append(widget);
  }
  return reached;
}

// Fails for a reachable control without a name, and for two that share one
// unless one is part of the other (an editable combo box and its text).
void ExpectNamed(const QWidget& window, const QMap<int, QString>& expected = {}) {
  SCOPED_TRACE(window.windowTitle().toStdString());
  QMap<QString, QWidget*> named;
  for (QWidget* widget : Reachable(window)) {
    const QString name = SpokenName(widget);
    EXPECT_FALSE(name.isEmpty()) << widget->metaObject()->className() << " " << ControlId(widget);
    if (name.isEmpty()) continue;
    QWidget* other = named.value(name);
    EXPECT_TRUE(!other || other->isAncestorOf(widget) || widget->isAncestorOf(other))
        << "two are called " << name.toStdString() << ": " << widget->metaObject()->className() << " "
        << other->metaObject()->className();
    named.insert(name, widget);
  }
  for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
    QWidget* control = nullptr;
    for (QWidget* widget : window.findChildren<QWidget*>())
      if (ControlId(widget) == it.key()) control = widget;
    ASSERT_TRUE(control) << it.key();
    EXPECT_EQ(SpokenName(control).toStdString(), it.value().toStdString()) << it.key();
  }
}

struct AccessibleNamesTest : ::testing::Test {
  // As the program does when it starts.
  static void SetUpTestSuite() { InstallAccessibleComboBoxes(); }

  AccessibleNamesTest() {
    OpenSettings()->clear();
    frame = std::make_unique<MainFrame>(prompter, MainFrame::Options{QStringLiteral(VIMBO_HELP_DIR), false});
    DocumentData& data = Records().Content();
    data.persons.Insert(testing::NamedPerson(data.persons.NextID(), "Ann", "Archer"));
    data.contacts.Insert(testing::PersonContact(data.contacts.NextID(), 1, 1));
    Records().Apply();
    testing::MakeModified(frame->Doc());
    frame->UpdateCommandStates();
  }

  // Runs the command; its dialog is checked in place of being shown.
  void CheckDialogOf(CommandId id, const QMap<int, QString>& expected = {}) {
    SCOPED_TRACE(static_cast<int>(id));
    prompter.dialogs.push_back([expected](QDialog& dialog) {
      ExpectNamed(dialog, expected);
      return static_cast<int>(QDialog::Rejected);
    });
    frame->OnCommand(id);
    EXPECT_TRUE(prompter.dialogs.empty()) << "no dialog";
  }

  testing::ScriptedPrompter prompter;
  std::unique_ptr<MainFrame> frame;
  testing::WindowSetup<MainFrame> Records{frame};
};

TEST_F(AccessibleNamesTest, MainWindowAndToolbars) {
  using namespace main_form;
  frame->OnCommand(kPersonFind);
  // The combo boxes' value is their current entry, not their name.
  QAccessibleInterface* person = QAccessible::queryAccessibleInterface(PersonSelector(frame->View()));
  EXPECT_EQ(person->text(QAccessible::Value), "Archer, Ann");
  EXPECT_EQ(person->childCount(), 2) << "the list of entries and the text box";
  const QList<QToolButton*> clear = Finder(frame->View())->Box()->findChildren<QToolButton*>();
  ASSERT_FALSE(clear.isEmpty());
  EXPECT_EQ(SpokenName(clear.first()), "Clear find");
  ExpectNamed(*frame, {{kFirstName, "First Name"},
                       {kWorkPhone, "Work Phone"},
                       {kExtension, "Ext"},
                       {kCellPhone, "Cel Phone"},
                       {kPostalCode, "Postal Code"},
                       {kDate, "Date"},
                       {kContactType, "Contact Type"},
                       {kNotes, "Notes"},
                       {kContactsList, "Contacts"},
                       {kPersonSelector, "Person"},
                       {kContactGroup, "Contact Information"}});
  const QMap<CommandId, QString> buttons = {{kPersonAdd, "Add Person"},
                                            {kContactAdd, "Add Contact"},
                                            {kPersonCancel, "Cancel Person"},
                                            {kContactUpdate, "Update Contact"},
                                            {kOpen, "Open"},
                                            {kHelpMode, "Help Mode"},
                                            {kPrint, "Print"},
                                            {kClosePreview, "Close Preview"}};
  for (auto it = buttons.cbegin(); it != buttons.cend(); ++it) {
    QWidget* button = frame->MainToolbar()->widgetForAction(frame->Action(it.key()));
    if (!button) button = frame->PreviewToolbar()->widgetForAction(frame->Action(it.key()));
    ASSERT_TRUE(button) << it.key();
    EXPECT_EQ(SpokenName(button).toStdString(), it.value().toStdString());
  }
}

TEST_F(AccessibleNamesTest, EveryDialog) {
  CheckDialogOf(
      kEditUser,
      {{general_page::kFirstName, "First Name"}, {phone_page::kExtension, "Ext"}, {address_page::kZip, "Zip"}});
  CheckDialogOf(kImportPersons,
                {{document_structure::kSeparators, "Field Separator"}, {select_document::kFileName, "Select File"}});
  CheckDialogOf(kExportContacts, {{fields_page::kFields, "Available Fields"}});
  CheckDialogOf(kReportAddressBook, {{person_choice::kPersons, "Persons To Include"}});
  CheckDialogOf(kReportContacts, {{contacts_report::kBeginningDate, "Beginning Date"}});
  CheckDialogOf(kReportActivity,
                {{activity_report::kToMonth, "To Month"}, {activity_report::kRangeGroup, "Months To Include"}});
  CheckDialogOf(kReportEnvelopes, {{envelope::kRecipientTitle, "Recipient Title"},
                                   {envelope::kReturnPosition, "Return Address Position"}});
  CheckDialogOf(kExportVCard);
  CheckDialogOf(kAbout);

  // The contact types editor, and the details dialog its Add button opens.
  prompter.dialogs.push_back([&](QDialog& dialog) {
    ExpectNamed(dialog, {{contact_types::kTypeList, "Contact Types"}});
    static_cast<ContactTypesDialog&>(dialog).Button(contact_types::kAdd)->click();
    return static_cast<int>(QDialog::Rejected);
  });
  prompter.dialogs.push_back([](QDialog& dialog) {
    ExpectNamed(dialog, {{type_details::kDescription, "Description"}});
    return static_cast<int>(QDialog::Rejected);
  });
  frame->OnCommand(kEditContactTypes);
  EXPECT_TRUE(prompter.dialogs.empty());

  FieldAssignmentDialog fields({"FName", "LName"}, "LName", frame->Help(), frame.get());
  ExpectNamed(fields, {{field_assignment::kKeys, "Assign imported field to this field"}});

  frame->OnCommand(kHelpTopics);
  ASSERT_TRUE(frame->Help().ContentsWindow());
  ExpectNamed(*frame->Help().ContentsWindow());
}

}  // namespace
}  // namespace vimbo
