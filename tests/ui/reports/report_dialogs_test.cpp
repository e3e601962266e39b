#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <functional>
#include <memory>

#include "support/dates.h"
#include "support/people.h"
#include "support/scripted_prompter.h"
#include "ui/kit/control_id.h"
#include "ui/kit/help_system.h"
#include "ui/kit/help_window.h"
#include "ui/reports/activity_report_dialog.h"
#include "ui/reports/address_book_dialog.h"
#include "ui/reports/contacts_report_dialog.h"
#include "ui/reports/envelope_dialog.h"

namespace vimbo {
namespace {

using testing::ScriptedPrompter;

using testing::NamedPerson;

QWidget* Control(const QWidget& dialog, int id) {
  for (QWidget* widget : dialog.findChildren<QWidget*>())
    if (ControlId(widget) == id) return widget;
  return nullptr;
}

std::vector<int32_t> Keys(const std::map<int32_t, Person>& persons) {
  std::vector<int32_t> keys;
  keys.reserve(persons.size());
  for (const auto& [id, person] : persons) keys.push_back(id);
  return keys;
}

class ReportDialogsTest : public ::testing::Test {
 protected:
  ReportDialogsTest() {
    persons.Insert(NamedPerson(1, "Zoe", "Zane", "Zeta Inc."));
    persons.Insert(NamedPerson(3, "Mia", "Miller"));
    persons.Insert(NamedPerson(5, "bob", "baker"));
    persons.Insert(NamedPerson(7, "Al", "Adams", "Acme"));
  }

  // The three dialogs, made the way the Reports commands make them.
  using Factory = std::function<std::unique_ptr<PersonChoiceDialog>()>;
  std::vector<std::pair<const char*, Factory>> AllDialogs() {
    return {
        {"address book", [this] { return std::make_unique<AddressBookDialog>(persons, prompter, help); }},
        {"contacts", [this] { return std::make_unique<ContactsReportDialog>(persons, prompter, help); }},
        {"envelopes", [this] { return std::make_unique<EnvelopeDialog>(persons, EnvelopeOptions{}, prompter, help); }}};
  }

  static void ClickRow(QListWidget* list, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, rect.center());
  }

  static std::vector<QString> Texts(const QListWidget* list) {
    std::vector<QString> texts;
    texts.reserve(static_cast<std::size_t>(list->count()));
    for (int row = 0; row < list->count(); ++row) texts.push_back(list->item(row)->text());
    return texts;
  }

  static int SelectedCount(const QListWidget* list) { return static_cast<int>(list->selectedItems().size()); }

  Persons persons;
  ScriptedPrompter prompter;
  HelpSystem help{QStringLiteral(VIMBO_HELP_DIR)};
};

TEST_F(ReportDialogsTest, EachDialogListsThePersonsAlphabeticallyWithNoneSelected) {
  const std::vector<QString> expected = {"Adams, Al", "baker, bob", "Miller, Mia", "Zane, Zoe"};
  const char* titles[] = {"Address Book Printout", "Contacts Printout", "Envelope Printout"};
  int i = 0;
  for (const auto& [name, make] : AllDialogs()) {
    SCOPED_TRACE(name);
    auto dialog = make();
    EXPECT_EQ(dialog->windowTitle(), titles[i++]);
    QListWidget* list = dialog->List();
    EXPECT_EQ(Texts(list), expected);
    EXPECT_EQ(list->item(0)->data(Qt::UserRole).toInt(), 7);
    EXPECT_EQ(list->item(3)->data(Qt::UserRole).toInt(), 1);
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(SelectedCount(list), 0);
    EXPECT_FALSE(dialog->SelectAllBox()->isChecked());
    EXPECT_EQ(dialog->PersonsGroup()->title(), "Persons To Include");
    for (int id : {1046, 1049, 1057, 1, 2, 1052}) EXPECT_NE(Control(*dialog, id), nullptr) << id;
    EXPECT_EQ(dialog->HelpButton()->text(), "&Help...");
    EXPECT_TRUE(dialog->OkButton()->isDefault());
  }
}

TEST_F(ReportDialogsTest, OkWithNobodySelectedShowsTheDialogsMessageAndStaysOpen) {
  const char* messages[] = {"You must select at least one person to add to the address book.",
                            "You must select at least one person whose contacts to print.",
                            "You must select at least one person for whom to print an envelope."};
  int i = 0;
  for (const auto& [name, make] : AllDialogs()) {
    SCOPED_TRACE(name);
    prompter.messages.clear();
    prompter.answers = {Prompter::Answer::kOk};
    auto dialog = make();
    dialog->show();
    QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, messages[i++]);
    EXPECT_EQ(prompter.messages[0].caption, "Select Names");
    EXPECT_EQ(prompter.messages[0].icon, Prompter::Icon::kInformation);
    EXPECT_EQ(prompter.messages[0].buttons, Prompter::Buttons::kOk);
    EXPECT_TRUE(prompter.messages[0].owned);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->Result().empty());

    // A selection made afterwards is accepted.
    ClickRow(dialog->List(), 2);
    QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(Keys(dialog->Result()), std::vector<int32_t>{3});
    EXPECT_EQ(prompter.messages.size(), 1u);
  }
}

TEST_F(ReportDialogsTest, SelectAllSelectsEveryoneOnlyWhenTicked) {
  for (const auto& [name, make] : AllDialogs()) {
    SCOPED_TRACE(name);
    auto dialog = make();
    QListWidget* list = dialog->List();
    QCheckBox* box = dialog->SelectAllBox();
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(SelectedCount(list), 4);

    // Clearing the box keeps the selection.
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(SelectedCount(list), 4);

    // The box does not follow a selection made by hand, and ticking it again
    // selects everybody anew.
    ClickRow(list, 1);
    EXPECT_EQ(SelectedCount(list), 1);
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_EQ(SelectedCount(list), 4);
    ClickRow(list, 0, Qt::ControlModifier);
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(SelectedCount(list), 3);
  }
  // A tick selects everybody however it is made: by the mouse, or by a
  // screen reader through the box's toggle action or its checked state.
  const std::pair<const char*, std::function<void(QCheckBox*)>> ticks[] = {
      {"click", [](QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2)); }},
      {"toggle action",
       [](QCheckBox* box) {
         QAccessibleActionInterface* actions = QAccessible::queryAccessibleInterface(box)->actionInterface();
         actions->doAction(QAccessibleActionInterface::toggleAction());
       }},
      {"checked state", [](QCheckBox* box) { box->setChecked(true); }}};
  for (const auto& [how, tick] : ticks) {
    SCOPED_TRACE(how);
    AddressBookDialog dialog(persons, prompter, help);
    tick(dialog.SelectAllBox());
    EXPECT_TRUE(dialog.SelectAllBox()->isChecked());
    EXPECT_EQ(SelectedCount(dialog.List()), 4);
  }
  EXPECT_EQ(AddressBookDialog(persons, prompter, help).SelectAllBox()->text(), "Select All");
  EXPECT_EQ(ContactsReportDialog(persons, prompter, help).SelectAllBox()->text(), "&Select All");
}

TEST_F(ReportDialogsTest, ChosenPersonsAreHandedOverInAscendingIdOrder) {
  for (const auto& [name, make] : AllDialogs()) {
    SCOPED_TRACE(name);
    auto dialog = make();
    dialog->show();
    QListWidget* list = dialog->List();
    // Adams, Miller and Zane by Ctrl-click, in list order; Shift extends.
    ClickRow(list, 0);
    ClickRow(list, 2, Qt::ControlModifier);
    ClickRow(list, 3, Qt::ControlModifier);
    QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
    ASSERT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(Keys(dialog->Result()), (std::vector<int32_t>{1, 3, 7}));
    EXPECT_EQ(dialog->Result().at(7).Company, "Acme");
    EXPECT_EQ(dialog->Result().at(1).FName, "Zoe");

    auto again = make();
    again->show();
    ClickRow(again->List(), 1);
    ClickRow(again->List(), 3, Qt::ShiftModifier);
    QTest::keyClick(again->List(), Qt::Key_Return);
    ASSERT_EQ(again->result(), QDialog::Accepted) << "Enter confirms";
    EXPECT_EQ(Keys(again->Result()), (std::vector<int32_t>{1, 3, 5}));
  }
}

TEST_F(ReportDialogsTest, CancelAndEscapeEndWithNothing) {
  for (const auto& [name, make] : AllDialogs()) {
    SCOPED_TRACE(name);
    auto dialog = make();
    dialog->show();
    ClickRow(dialog->List(), 0);
    QTest::mouseClick(dialog->CancelButton(), Qt::LeftButton);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(dialog->Result().empty());

    auto escaped = make();
    escaped->show();
    ClickRow(escaped->List(), 0);
    QTest::keyClick(escaped->List(), Qt::Key_Escape);
    EXPECT_EQ(escaped->result(), QDialog::Rejected);
    EXPECT_TRUE(escaped->Result().empty());
  }
  EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(ReportDialogsTest, EnvelopeOptionsAreShownAndReadBack) {
  EnvelopeOptions start;
  start.recipientTitle = true;
  start.returnPosition = true;
  EnvelopeDialog dialog(persons, start, prompter, help);
  const std::pair<int, bool> shown[] = {{1015, true},  {1003, false}, {1004, false},
                                        {1007, false}, {1009, false}, {1011, true}};
  for (const auto& [id, ticked] : shown) {
    ASSERT_NE(dialog.OptionBox(id), nullptr) << id;
    EXPECT_EQ(dialog.OptionBox(id), Control(dialog, id));
    EXPECT_EQ(dialog.OptionBox(id)->isChecked(), ticked) << id;
  }
  EXPECT_EQ(dialog.OptionBox(1003)->text(), "Company");
  EXPECT_EQ(dialog.OptionBox(1007)->text(), "Title");
  EXPECT_EQ(dialog.OptionBox(1011)->text(), "Position");
  QStringList groups;
  for (const QGroupBox* group : dialog.findChildren<QGroupBox*>()) groups << group->title();
  EXPECT_EQ(groups, (QStringList{"Persons To Include", "Extra Information", "Recipient", "Return Address"}));

  // Only Recipient Company ticked survives into the next dialog.
  dialog.show();
  for (int id : {1015, 1003, 1011}) QTest::keyClick(dialog.OptionBox(id), Qt::Key_Space);
  EXPECT_EQ(dialog.Options(), start) << "nothing is taken over before OK";
  ClickRow(dialog.List(), 0);
  QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
  ASSERT_EQ(dialog.result(), QDialog::Accepted);
  EnvelopeOptions onlyCompany;
  onlyCompany.recipientCompany = true;
  EXPECT_EQ(dialog.Options(), onlyCompany);

  EnvelopeDialog reopened(persons, dialog.Options(), prompter, help);
  for (int id : {1015, 1003, 1004, 1007, 1009, 1011}) EXPECT_EQ(reopened.OptionBox(id)->isChecked(), id == 1003) << id;

  // Cancel keeps the options passed in.
  reopened.show();
  QTest::keyClick(reopened.OptionBox(1009), Qt::Key_Space);
  QTest::mouseClick(reopened.CancelButton(), Qt::LeftButton);
  EXPECT_EQ(reopened.Options(), onlyCompany);
}

TEST_F(ReportDialogsTest, UntouchedDatePickersCoverTheWholeOfTheOpeningDay) {
  ContactsReportDialog dialog(persons, prompter, help, nullptr, [] { return testing::At(2026, 12, 7, 23, 59, 59); });
  const QDate today = dialog.BeginPicker()->date();
  EXPECT_EQ(today, QDate(2026, 12, 7));
  EXPECT_EQ(dialog.EndPicker()->date(), today);
  EXPECT_TRUE(dialog.BeginPicker()->calendarPopup());
  EXPECT_EQ(Control(dialog, 1053), dialog.BeginPicker());
  EXPECT_EQ(Control(dialog, 1055), dialog.EndPicker());

  dialog.show();
  ClickRow(dialog.List(), 0);
  QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
  ASSERT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.BeginDate().ToSystemTime(),
            (SystemTime{today.year(), today.month(), today.dayOfWeek() % 7, today.day(), 0, 0, 0, 0}));
  EXPECT_EQ(dialog.EndDate().ToSystemTime(),
            (SystemTime{today.year(), today.month(), today.dayOfWeek() % 7, today.day(), 23, 59, 59, 0}));
  // The moment the dialog opened, its day's last second, lies inside the
  // range handed over.
  const DateTimeValue opened = testing::At(2026, 12, 7, 23, 59, 59);
  EXPECT_FALSE(Less(opened, dialog.BeginDate()));
  EXPECT_FALSE(Greater(opened, dialog.EndDate()));
}

TEST_F(ReportDialogsTest, AnEndingDateBeforeTheBeginningIsHandedOverAsChosen) {
  ContactsReportDialog dialog(persons, prompter, help);
  dialog.show();
  // As the drop-down calendar sets a picker.
  dialog.BeginPicker()->setDate(QDate(2024, 3, 15));
  dialog.EndPicker()->setDate(QDate(2023, 11, 2));
  ClickRow(dialog.List(), 3);
  QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
  ASSERT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(prompter.messages.empty());
  DateTimeValue begin, end;
  begin.SetDateTime(2024, 3, 15, 0, 0, 0);
  end.SetDateTime(2023, 11, 2, 23, 59, 59);
  EXPECT_EQ(dialog.BeginDate(), begin);
  EXPECT_EQ(dialog.EndDate(), end);
  EXPECT_EQ(Keys(dialog.Result()), std::vector<int32_t>{1});
}

// The activity dialog: everyone and the last twelve months at first; whole
// months handed over, whichever way round they were chosen.
TEST_F(ReportDialogsTest, ActivityChoosesWholeMonthsForEveryoneOrTheChosen) {
  const auto opening = [] { return testing::At(2026, 3, 31, 23, 59, 59); };
  const struct {
    const char* name;
    QDate from, to;   // null: untouched
    int rowToChoose;  // -1: keep everyone
    DateTimeValue begin, end;
    std::vector<int32_t> persons;
  } cases[] = {
      {"untouched", {}, {}, -1, testing::At(2025, 4, 1, 0, 0), testing::At(2026, 3, 31, 23, 59, 59), {1, 3, 5, 7}},
      {"backward",
       QDate(2024, 5, 9),
       QDate(2023, 2, 20),
       3,
       testing::At(2023, 2, 1, 0, 0),
       testing::At(2024, 5, 31, 23, 59, 59),
       {1}},
      {"leap February",
       QDate(2024, 2, 1),
       QDate(2024, 2, 1),
       0,
       testing::At(2024, 2, 1, 0, 0),
       testing::At(2024, 2, 29, 23, 59, 59),
       {7}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ActivityReportDialog dialog(persons, prompter, help, nullptr, opening);
    EXPECT_EQ(SelectedCount(dialog.List()), 4);
    EXPECT_EQ(Control(dialog, 1301), dialog.FromPicker());
    EXPECT_EQ(Control(dialog, 1302), dialog.ToPicker());
    dialog.show();
    if (c.from.isValid()) dialog.FromPicker()->setDate(c.from);
    if (c.to.isValid()) dialog.ToPicker()->setDate(c.to);
    if (c.rowToChoose >= 0) ClickRow(dialog.List(), c.rowToChoose);
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.BeginDate(), c.begin);
    EXPECT_EQ(dialog.EndDate(), c.end);
    EXPECT_EQ(Keys(dialog.Result()), c.persons);
  }

  // By keyboard: the label's mnemonic reaches the picker, the arrow keys
  // step the month; a screen reader hears the label; F1 and Help answer.
  ActivityReportDialog dialog(persons, prompter, help, nullptr, opening);
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  QTest::keyClick(&dialog, Qt::Key_T, Qt::AltModifier);
  EXPECT_EQ(QApplication::focusWidget(), dialog.ToPicker());
  dialog.ToPicker()->setCurrentSection(QDateTimeEdit::MonthSection);
  QTest::keyClick(dialog.ToPicker(), Qt::Key_Down);
  EXPECT_EQ(dialog.ToPicker()->date(), QDate(2026, 2, 1));
  EXPECT_EQ(dialog.FromPicker()->accessibleName(), "From Month");
  QTest::keyClick(dialog.FromPicker(), Qt::Key_F1);
  EXPECT_EQ(help.LastPopup(), 3030u);
  QTest::mouseClick(dialog.HelpButton(), Qt::LeftButton);
  const auto windows = dialog.findChildren<HelpWindow*>();
  ASSERT_EQ(windows.size(), 1);
  EXPECT_EQ(windows[0]->Browser()->source().fileName(), "actrptdlg.htm");
}

TEST_F(ReportDialogsTest, HelpButtonOpensEachDialogsPage) {
  const char* pages[] = {"addrrptdlg.htm", "cntrptdlg.htm", "envrptdlg.htm"};
  int i = 0;
  for (const auto& [name, make] : AllDialogs()) {
    SCOPED_TRACE(name);
    auto dialog = make();
    dialog->show();
    QTest::mouseClick(dialog->HelpButton(), Qt::LeftButton);
    const auto windows = dialog->findChildren<HelpWindow*>();
    ASSERT_EQ(windows.size(), 1);
    EXPECT_EQ(windows[0]->Browser()->source().fileName(), pages[i++]);
    EXPECT_TRUE(dialog->isVisible()) << "help leaves the dialog open";
  }
}

TEST_F(ReportDialogsTest, F1ShowsThePopupOfTheControl) {
  for (const auto& [name, make] : AllDialogs()) {
    SCOPED_TRACE(name);
    auto dialog = make();
    QTest::keyClick(dialog->List(), Qt::Key_F1);
    EXPECT_EQ(help.LastPopup(), 3000u);
    QTest::keyClick(dialog->SelectAllBox(), Qt::Key_F1);
    EXPECT_EQ(help.LastPopup(), 3004u);
    QTest::keyClick(dialog->CancelButton(), Qt::Key_F1);
    EXPECT_EQ(help.LastPopup(), 1001u);
    QTest::keyClick(dialog->HelpButton(), Qt::Key_F1);
    EXPECT_EQ(help.LastPopup(), 1002u);
  }
  ContactsReportDialog contacts(persons, prompter, help);
  QTest::keyClick(contacts.EndPicker(), Qt::Key_F1);
  EXPECT_EQ(help.LastPopup(), 3003u);
  EnvelopeDialog envelopes(persons, EnvelopeOptions{}, prompter, help);
  QTest::keyClick(envelopes.OptionBox(1009), Qt::Key_F1);
  EXPECT_EQ(help.LastPopup(), 3011u);
}

}  // namespace
}  // namespace vimbo
