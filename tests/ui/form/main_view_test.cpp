#include "ui/form/main_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimeEdit>
#include <QTreeView>
#include <vector>

#include "support/dates.h"
#include "support/document_setup.h"
#include "support/form_widgets.h"
#include "support/people.h"
#include "support/scripted_prompter.h"
#include "ui/document/log_document.h"
#include "ui/form/find_bar.h"
#include "ui/form/person_details_panel.h"
#include "ui/kit/control_id.h"
#include "ui/kit/partial_date_edit.h"

namespace vimbo {
namespace {

using testing::ContactsList;
using testing::ContactTypeSelector;
using testing::DatePicker;
using testing::Finder;
using testing::FormControl;
using testing::NotesBox;
using testing::PersonSelector;
using testing::TimePicker;

// While browsing, the details offer their notes and list; their date boxes
// and buttons wait for an edit.
constexpr int kTabOrder[] = {1024, 1015, 1001, 1002, 1003, 1004, 1023, 1025, 1031, 1027, 1016, 1006, 1008,
                             1074, 1010, 1012, 1013, 1014, 1104, 1100, 1101, 1026, 1076, 1020, 1022, 1021};
// The person boxes, in the order of the fields of a Person.
constexpr int kPersonBoxes[] = {1015, 1001, 1002, 1003, 1004, 1010, 1012, 1013, 1014,
                                1023, 1025, 1031, 1016, 1027, 1006, 1008, 1074};

using testing::At;

using testing::NamedPerson;

// The form control a widget belongs to: inner parts of a combo box or a
// picker count as the control itself.
int OwningControl(const QWidget* widget) {
  for (; widget; widget = widget->parentWidget()) {
    if (const int id = ControlId(widget)) return id;
  }
  return 0;
}

class MainViewTest : public ::testing::Test {
 protected:
  MainViewTest() {
    view.SetClock([] { return kNow; });
    view.SetDocument(document);
  }

  // The moment the form's clock tells: 7 December 2026, 14:05:09.
  static inline const DateTimeValue kNow = [] {
    DateTimeValue now;
    now.SetDateTime(2026, 12, 7, 14, 5, 9);
    return now;
  }();

  DocumentData& Data() { return setup.Content(); }

  void AddType(int32_t id, const std::string& description) { Data().contactTypes.Insert(ContactType{id, description}); }

  void AddContact(int32_t id, int32_t personId, const DateTimeValue& when, int32_t typeId, const std::string& notes) {
    Contact contact;
    contact.ID = id;
    contact.PersonID = personId;
    contact.DateTime = when;
    contact.ContactTypeID = typeId;
    contact.Description = notes;
    Data().contacts.Insert(contact);
  }

  QString BoxText(int id) {
    QWidget* box = FormControl(&view, id);
    if (auto* line = qobject_cast<QLineEdit*>(box)) return line->text();
    return qobject_cast<QPlainTextEdit*>(box)->toPlainText();
  }

  static QStringList Entries(const QComboBox* combo) {
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i) texts << combo->itemText(i);
    return texts;
  }

  // The contact ID each row carries as its item data.
  std::vector<int32_t> ListedContactIds() {
    std::vector<int32_t> ids;
    ids.reserve(static_cast<std::size_t>(ListedCount()));
    for (int row = 0; row < ListedCount(); ++row) ids.push_back(Row(row).data(Qt::UserRole).toInt());
    return ids;
  }

  // Makes the contact current as a click on its row does.
  void ShowContact(int32_t id) {
    for (int row = 0; row < ListedCount(); ++row)
      if (Row(row).data(Qt::UserRole).toInt() == id) ContactsList(&view)->setCurrentIndex(Row(row));
  }

  int ListedCount() { return ContactsList(&view)->model()->rowCount(); }
  QModelIndex Row(int row, int column = 0) { return ContactsList(&view)->model()->index(row, column); }
  QString Cell(int row, int column) { return Row(row, column).data().toString(); }
  QPoint RowCenter(int row) { return ContactsList(&view)->visualRect(Row(row)).center(); }

  int32_t SelectedTypeId() {
    QComboBox* types = ContactTypeSelector(&view);
    return types->currentIndex() < 0 ? -1 : types->currentData().toInt();
  }

  // What picking an entry from the selector's list does.
  void Pick(int position) {
    PersonSelector(&view)->setCurrentIndex(position);
    emit PersonSelector(&view)->activated(position);
  }

  // The pickers show the moment of the form's clock.
  void ExpectPickersShowNow() {
    EXPECT_EQ(DatePicker(&view)->date(), QDate(2026, 12, 7));
    EXPECT_EQ(TimePicker(&view)->time(), QTime(14, 5, 9));
  }

  // Puts the form on screen inside a larger window, so that there is room
  // around it to click outside the form.
  void Show() {
    view.setParent(&host);
    view.move(40, 40);
    view.resize(view.sizeHint());
    host.resize(view.sizeHint() + QSize(80, 80));
    host.show();
    host.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
  }

  // A click as the window system delivers it, so that a mouse grab applies.
  void ClickAt(const QPoint& posInHost) { QTest::mouseClick(host.windowHandle(), Qt::LeftButton, {}, posInHost); }
  void ClickOn(QWidget* widget) { ClickAt(widget->mapTo(&host, widget->rect().center())); }

  testing::ScriptedPrompter prompter;
  QWidget host;
  MainView view;
  LogDocument document{prompter};
  testing::DocumentSetup setup{document};
};

// A document with the persons "Smith, Ann" (1), "adams, Bob" (2) and
// "Baker" (3); Bob has three contacts and Baker none.
class FilledViewTest : public MainViewTest {
 protected:
  FilledViewTest() {
    Data().persons.Insert(NamedPerson(1, "Ann", "Smith"));
    Person bob = NamedPerson(2, "Bob", "adams");
    bob.City = "Springfield";
    Data().persons.Insert(bob);
    Data().persons.Insert(NamedPerson(3, "", "Baker"));
    AddType(1, "Telephone");
    AddType(2, "E-Mail");
    AddType(3, "Personal");
    AddContact(4, 2, At(2004, 1, 5, 10, 0, 0), 1, "January call");
    AddContact(5, 2, At(2003, 12, 31, 23, 59, 59), 2, "December mail");
    AddContact(6, 2, At(2004, 3, 1, 9, 0, 0), 3, "March visit");
    setup.Apply();
  }
};

TEST_F(MainViewTest, FormHasEveryControlWithItsNumberAndText) {
  const std::pair<int, const char*> labels[] = {
      {1045, "Title:"},       {1036, "First Name:"}, {1041, "Last Name:"},  {1037, "Company:"},
      {1042, "Position:"},    {1062, "Home Phone:"}, {1064, "Work Phone:"}, {1081, "Ext:"},
      {1068, "Pager:"},       {1047, "Cel Phone:"},  {1039, "Fax:"},        {1040, "E-Mail:"},
      {1072, "Web Page:"},    {1032, "Address:"},    {1033, "City:"},       {1034, "State/Province:"},
      {1035, "Postal Code:"}, {1043, "Date:"},       {1078, "Time:"},       {1044, "Contact Type:"}};
  for (const auto& [id, text] : labels) {
    auto* label = qobject_cast<QLabel*>(FormControl(&view, id));
    ASSERT_NE(label, nullptr) << id;
    EXPECT_EQ(label->text(), QString::fromLatin1(text));
    EXPECT_EQ(ControlId(label), id);
  }
  const std::pair<int, const char*> groups[] = {{1028, "Person"}, {1029, "Contact Information"}, {1030, "Contacts"}};
  for (const auto& [id, title] : groups) {
    auto* group = qobject_cast<QGroupBox*>(FormControl(&view, id));
    ASSERT_NE(group, nullptr) << id;
    EXPECT_EQ(group->title(), QString::fromLatin1(title));
  }
  for (const int id : kTabOrder) EXPECT_EQ(ControlId(FormControl(&view, id)), id);
  EXPECT_EQ(FormControl(&view, 1024), PersonSelector(&view));
  EXPECT_EQ(FormControl(&view, 1020), ContactTypeSelector(&view));
  EXPECT_EQ(FormControl(&view, 1021), ContactsList(&view));
  EXPECT_EQ(FormControl(&view, 1026), DatePicker(&view));
  EXPECT_EQ(FormControl(&view, 1076), TimePicker(&view));
  EXPECT_EQ(FormControl(&view, 1022), NotesBox(&view));
  EXPECT_EQ(FormControl(&view, 4242), nullptr);

  EXPECT_TRUE(PersonSelector(&view)->isEditable());
  EXPECT_FALSE(ContactTypeSelector(&view)->isEditable());
  EXPECT_EQ(qobject_cast<QPlainTextEdit*>(FormControl(&view, 1010))->lineWrapMode(), QPlainTextEdit::NoWrap);
  EXPECT_EQ(NotesBox(&view)->lineWrapMode(), QPlainTextEdit::WidgetWidth);
}

TEST_F(MainViewTest, ContactsListHasFourFixedColumns) {
  QTreeView* list = ContactsList(&view);
  ASSERT_EQ(list->model()->columnCount(), 4);
  const QStringList headers{"Date", "Time", "Contact Type", "Notes"};
  for (int column = 0; column < 4; ++column)
    EXPECT_EQ(list->model()->headerData(column, Qt::Horizontal).toString(), headers[column]);
  // The drawn widths are the least; a wider text widens its column.
  EXPECT_GE(list->columnWidth(0), 75);
  EXPECT_GE(list->columnWidth(1), 75);
  EXPECT_GE(list->columnWidth(2), 85);
  const int fixedWidths = list->columnWidth(0) + list->columnWidth(1) + list->columnWidth(2);
  const int notesWidth = list->columnWidth(3);
  EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection);
  EXPECT_EQ(list->selectionBehavior(), QAbstractItemView::SelectRows);

  // At the form's own size Notes fills the rest of the list; widening the
  // form widens the list but not the Notes column.
  Show();
  EXPECT_EQ(fixedWidths + notesWidth, list->viewport()->width());
  view.resize(view.width() + 300, view.height());
  EXPECT_EQ(list->columnWidth(3), notesWidth);
}

TEST_F(MainViewTest, CreatedBrowsingWithEverythingLocked) {
  EXPECT_EQ(view.State().mode, EditMode::kBrowsing);
  EXPECT_FALSE(view.InHelpMode());
  EXPECT_EQ(PersonSelector(&view)->currentIndex(), -1);
  EXPECT_EQ(view.State().currentPersonId, 0);
  EXPECT_EQ(ContactsList(&view)->currentIndex().row(), -1);
  EXPECT_EQ(view.State().currentContactId, 0);
  for (const int id : kPersonBoxes) {
    QWidget* box = FormControl(&view, id);
    if (auto* line = qobject_cast<QLineEdit*>(box)) {
      EXPECT_TRUE(line->isReadOnly()) << id;
    } else {
      EXPECT_TRUE(qobject_cast<QPlainTextEdit*>(box)->isReadOnly()) << id;
    }
    EXPECT_TRUE(box->isEnabled()) << id;
  }
  EXPECT_TRUE(NotesBox(&view)->isReadOnly());
  EXPECT_FALSE(DatePicker(&view)->isEnabled());
  EXPECT_FALSE(TimePicker(&view)->isEnabled());
  EXPECT_FALSE(ContactTypeSelector(&view)->isEnabled());
  EXPECT_TRUE(PersonSelector(&view)->isEnabled());
  EXPECT_TRUE(ContactsList(&view)->isEnabled());
}

TEST_F(MainViewTest, TabVisitsTheControlsInFormOrder) {
  Show();
  // The pickers take part once a contact is being edited.
  DatePicker(&view)->setEnabled(true);
  TimePicker(&view)->setEnabled(true);
  ContactTypeSelector(&view)->setEnabled(true);
  PersonSelector(&view)->setFocus();
  std::vector<int> visited{OwningControl(QApplication::focusWidget())};
  for (std::size_t i = 1; i < std::size(kTabOrder); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    visited.push_back(OwningControl(QApplication::focusWidget()));
  }
  EXPECT_EQ(visited, std::vector<int>(std::begin(kTabOrder), std::end(kTabOrder)));
}

TEST_F(MainViewTest, EmptyDocumentShowsNothing) {
  setup.Apply();
  EXPECT_EQ(PersonSelector(&view)->count(), 0);
  EXPECT_EQ(PersonSelector(&view)->currentText(), QString());
  EXPECT_EQ(view.State().currentPersonId, 0);
  for (const int id : kPersonBoxes) EXPECT_EQ(BoxText(id), QString()) << id;
  EXPECT_EQ(ListedCount(), 0);
  EXPECT_EQ(view.State().currentContactId, 0);
  EXPECT_EQ(NotesBox(&view)->toPlainText(), QString());
  EXPECT_EQ(ContactTypeSelector(&view)->currentIndex(), -1);
  ExpectPickersShowNow();
}

TEST_F(MainViewTest, ContactTypesAreSortedAndNoneIsSelected) {
  AddType(1, "Telephone");
  AddType(2, "e-mail");
  AddType(3, "Personal");
  AddType(4, "Correspondence");
  setup.Apply();
  EXPECT_EQ(Entries(ContactTypeSelector(&view)), (QStringList{"Correspondence", "e-mail", "Personal", "Telephone"}));
  EXPECT_EQ(ContactTypeSelector(&view)->itemData(1).toInt(), 2);
  EXPECT_EQ(ContactTypeSelector(&view)->currentIndex(), -1);
}

TEST_F(FilledViewTest, PersonsAreListedAlphabeticallyIgnoringCase) {
  EXPECT_EQ(Entries(PersonSelector(&view)), (QStringList{"adams, Bob", "Baker", "Smith, Ann"}));
  EXPECT_EQ(PersonSelector(&view)->itemData(0).toInt(), 2);
  EXPECT_EQ(PersonSelector(&view)->itemData(1).toInt(), 3);
  EXPECT_EQ(PersonSelector(&view)->itemData(2).toInt(), 1);
  // The remembered position 0 is the first entry.
  EXPECT_EQ(PersonSelector(&view)->currentIndex(), 0);
  EXPECT_EQ(PersonSelector(&view)->currentIndex(), 0);
  EXPECT_EQ(view.State().currentPersonId, 2);
  EXPECT_EQ(BoxText(1001), QStringLiteral("Bob"));
  EXPECT_EQ(BoxText(1012), QStringLiteral("Springfield"));
}

TEST_F(FilledViewTest, ContactsAreListedLatestFirstAndTheLatestIsShown) {
  EXPECT_EQ(ListedContactIds(), (std::vector<int32_t>{6, 4, 5}));
  EXPECT_EQ(view.State().currentContactId, 6);
  EXPECT_EQ(ContactsList(&view)->currentIndex().row(), 0);

  QTreeView* list = ContactsList(&view);
  ASSERT_EQ(list->selectionModel()->selectedRows().size(), 1);
  EXPECT_EQ(list->selectionModel()->selectedRows().front(), Row(0));
  EXPECT_EQ(list->currentIndex().row(), 0);
  // The list reads as the pickers above it.
  EXPECT_EQ(Cell(0, 0), DatePicker(&view)->text());
  EXPECT_EQ(Cell(0, 1), TimePicker(&view)->text());
  EXPECT_EQ(Cell(0, 2), QStringLiteral("Personal"));
  EXPECT_EQ(Cell(0, 3), QStringLiteral("March visit"));

  EXPECT_EQ(DatePicker(&view)->date(), QDate(2004, 3, 1));
  EXPECT_EQ(TimePicker(&view)->time(), QTime(9, 0, 0));
  EXPECT_EQ(NotesBox(&view)->toPlainText(), QStringLiteral("March visit"));
  EXPECT_EQ(ContactTypeSelector(&view)->currentText(), QStringLiteral("Personal"));
  EXPECT_EQ(SelectedTypeId(), 3);
}

TEST_F(FilledViewTest, PickingAPersonShowsThemAndTheirLatestContact) {
  Pick(1);  // Baker, who has no contacts
  EXPECT_EQ(PersonSelector(&view)->currentIndex(), 1);
  EXPECT_EQ(view.State().currentPersonId, 3);
  EXPECT_EQ(BoxText(1002), QStringLiteral("Baker"));
  EXPECT_EQ(BoxText(1012), QString());
  EXPECT_EQ(ListedCount(), 0);
  EXPECT_EQ(view.State().currentContactId, 0);
  EXPECT_EQ(NotesBox(&view)->toPlainText(), QString());
  EXPECT_EQ(ContactTypeSelector(&view)->currentIndex(), -1);
  ExpectPickersShowNow();

  Pick(0);
  EXPECT_EQ(view.State().currentPersonId, 2);
  EXPECT_EQ(view.State().currentContactId, 6);
  EXPECT_EQ(NotesBox(&view)->toPlainText(), QStringLiteral("March visit"));
}

TEST_F(FilledViewTest, TypingInTheSelectorChangesNothing) {
  Show();
  QComboBox* selector = PersonSelector(&view);
  selector->setFocus();
  selector->lineEdit()->selectAll();
  QTest::keyClicks(selector, QStringLiteral("Smith, Ann"));
  // Leaving the field would let the combo box select the matching entry.
  ContactsList(&view)->setFocus();
  EXPECT_EQ(selector->lineEdit()->text(), QStringLiteral("Smith, Ann"));
  EXPECT_EQ(selector->currentIndex(), 0);
  EXPECT_EQ(PersonSelector(&view)->currentIndex(), 0);
  EXPECT_EQ(view.State().currentPersonId, 2);
  EXPECT_EQ(BoxText(1001), QStringLiteral("Bob"));
  EXPECT_EQ(selector->count(), 3);
}

TEST_F(MainViewTest, PersonWithoutAnyNameIsAnEmptyEntryThatCanBePicked) {
  Data().persons.Insert(NamedPerson(1, "Ann", "Smith"));
  Person nameless;
  nameless.ID = 2;
  nameless.City = "Nowhere";
  Data().persons.Insert(nameless);
  setup.Apply();

  EXPECT_EQ(Entries(PersonSelector(&view)), (QStringList{"", "Smith, Ann"}));
  Pick(1);
  EXPECT_EQ(view.State().currentPersonId, 1);
  Pick(0);
  EXPECT_EQ(PersonSelector(&view)->currentIndex(), 0);
  EXPECT_EQ(view.State().currentPersonId, 2);
  EXPECT_EQ(BoxText(1012), QStringLiteral("Nowhere"));
}

TEST_F(MainViewTest, EveryFieldHasItsOwnBox) {
  Person person;
  person.ID = 7;
  person.Title = "Dr.";
  person.FName = "Eva";
  person.LName = "Lind";
  person.Company = "Acme";
  person.Position = "Chief";
  person.Address = "1 Main St\r\r\nApt 2";
  person.City = "Lund";
  person.State = "Skane";
  person.Zip = "22100";
  person.Phone = "111";
  person.WkPhone = "222";
  person.WkExt = "33";
  person.CelPhone = "444";
  person.Pager = "555";
  person.Fax = "666";
  person.EMail = "eva@example.org";
  person.WebPage = "example.org";
  Data().persons.Insert(person);
  setup.Apply();

  const char* expected[] = {
      "Dr.", "Eva", "Lind", "Acme", "Chief", "1 Main St\nApt 2", "Lund",       "Skane", "22100", "111",
      "222", "33",  "444",  "555",  "666",   "eva@example.org",  "example.org"};
  for (std::size_t i = 0; i < std::size(kPersonBoxes); ++i)
    EXPECT_EQ(BoxText(kPersonBoxes[i]), QString::fromLatin1(expected[i])) << kPersonBoxes[i];

  view.PersonAdd();
  for (const int id : kPersonBoxes) EXPECT_EQ(BoxText(id), QString()) << id;
  // The selector is left alone.
  EXPECT_EQ(PersonSelector(&view)->currentText(), QStringLiteral("Lind, Eva"));
}

TEST_F(MainViewTest, BytesThatAreNotUtf8ShowAsWindows1252) {
  Data().persons.Insert(NamedPerson(1, "J\xfcrgen", "M\xfcller"));
  AddType(1,
          "Gespr\xe4"
          "ch");
  AddContact(1, 1, At(2005, 6, 1, 8, 30, 0), 1,
             "Gr\xfc\xdf"
             "e \x80 5");
  setup.Apply();
  EXPECT_EQ(PersonSelector(&view)->itemText(0), QString::fromUtf8("Müller, Jürgen"));
  EXPECT_EQ(BoxText(1002), QString::fromUtf8("Müller"));
  EXPECT_EQ(ContactTypeSelector(&view)->currentText(), QString::fromUtf8("Gespräch"));
  EXPECT_EQ(Cell(0, 2), QString::fromUtf8("Gespräch"));
  EXPECT_EQ(NotesBox(&view)->toPlainText(), QString::fromUtf8("Grüße € 5"));
}

TEST_F(MainViewTest, MissingContactTypeShowsNoType) {
  Data().persons.Insert(NamedPerson(1, "Ann", "Smith"));
  AddType(1, "Telephone");
  AddContact(1, 1, At(2004, 2, 29, 13, 5, 9), 99, "lost type");
  AddContact(2, 1, At(2004, 1, 1, 0, 0, 0), 1, "old");
  setup.Apply();
  EXPECT_EQ(view.State().currentContactId, 1);
  EXPECT_EQ(Cell(0, 2), QString());
  EXPECT_EQ(ContactTypeSelector(&view)->currentIndex(), -1);
  EXPECT_EQ(DatePicker(&view)->date(), QDate(2004, 2, 29));
  EXPECT_EQ(TimePicker(&view)->time(), QTime(13, 5, 9));
  // A contact of a known type after one without selects the type again.
  ShowContact(2);
  EXPECT_EQ(SelectedTypeId(), 1);
  ShowContact(1);
  EXPECT_EQ(SelectedTypeId(), -1);
}

TEST_F(MainViewTest, TypeIsSelectedByIdWhenNamesDifferOnlyInCase) {
  Data().persons.Insert(NamedPerson(1, "Ann", "Smith"));
  AddType(2, "E-Mail");
  AddType(5, "e-mail");
  AddContact(1, 1, At(2004, 1, 1, 12, 0, 0), 5, "");
  AddContact(2, 1, At(2003, 1, 1, 12, 0, 0), 2, "");
  setup.Apply();
  EXPECT_EQ(SelectedTypeId(), 5);
  ShowContact(2);
  EXPECT_EQ(SelectedTypeId(), 2);
}

TEST_F(FilledViewTest, SelectingAContactShowsIt) {
  Show();
  QTreeView* list = ContactsList(&view);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, RowCenter(2));
  EXPECT_EQ(ContactsList(&view)->currentIndex().row(), 2);
  EXPECT_EQ(view.State().currentContactId, 5);
  EXPECT_EQ(NotesBox(&view)->toPlainText(), QStringLiteral("December mail"));
  EXPECT_EQ(DatePicker(&view)->date(), QDate(2003, 12, 31));
  EXPECT_EQ(TimePicker(&view)->time(), QTime(23, 59, 59));
  EXPECT_EQ(SelectedTypeId(), 2);

  // The keyboard moves the selection too.
  QTest::keyClick(list, Qt::Key_Up);
  EXPECT_EQ(ContactsList(&view)->currentIndex().row(), 1);
  EXPECT_EQ(view.State().currentContactId, 4);
  EXPECT_EQ(NotesBox(&view)->toPlainText(), QStringLiteral("January call"));
}

TEST_F(FilledViewTest, ClickingEmptyListAreaKeepsTheCurrentContact) {
  Show();
  QTreeView* list = ContactsList(&view);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, RowCenter(1));
  ASSERT_EQ(view.State().currentContactId, 4);
  const QPoint empty(10, list->viewport()->height() - 3);
  ASSERT_FALSE(list->indexAt(empty).isValid());
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, empty);
  EXPECT_TRUE(list->selectionModel()->selectedRows().isEmpty());
  EXPECT_EQ(view.State().currentContactId, 4);
  EXPECT_EQ(ContactsList(&view)->currentIndex().row(), 1);
  EXPECT_EQ(NotesBox(&view)->toPlainText(), QStringLiteral("January call"));
}

TEST_F(FilledViewTest, UpdateKeepsThePositionAndShowsTheLatestContact) {
  Pick(2);  // Smith, Ann
  AddContact(7, 1, At(2001, 1, 1, 8, 0, 0), 1, "early");
  AddContact(8, 1, At(2002, 1, 1, 8, 0, 0), 1, "later");
  ShowContact(7);
  Data().persons.Erase(1);
  Data().persons.Insert(NamedPerson(1, "Anna", "Smith"));
  setup.Apply();
  EXPECT_EQ(PersonSelector(&view)->currentIndex(), 2);
  EXPECT_EQ(PersonSelector(&view)->currentText(), QStringLiteral("Smith, Anna"));
  EXPECT_EQ(view.State().currentPersonId, 1);
  EXPECT_EQ(BoxText(1001), QStringLiteral("Anna"));
  EXPECT_EQ(view.State().currentContactId, 8);
  EXPECT_EQ(NotesBox(&view)->toPlainText(), QStringLiteral("later"));
}

TEST_F(FilledViewTest, PositionPastTheEndOfAnotherDocumentSelectsTheLastPerson) {
  Pick(2);
  Data().Clear();
  Data().persons.Insert(NamedPerson(10, "Zoe", "Young"));
  Data().persons.Insert(NamedPerson(11, "Al", "Able"));
  setup.Apply();
  EXPECT_EQ(PersonSelector(&view)->currentIndex(), 1);
  EXPECT_EQ(PersonSelector(&view)->currentIndex(), 1);
  EXPECT_EQ(view.State().currentPersonId, 10);
  EXPECT_EQ(BoxText(1001), QStringLiteral("Zoe"));

  Data().Clear();
  setup.Apply();
  EXPECT_EQ(PersonSelector(&view)->currentIndex(), -1);
  EXPECT_EQ(view.State().currentPersonId, 0);
  EXPECT_EQ(BoxText(1001), QString());
  EXPECT_EQ(ListedCount(), 0);
}

TEST_F(MainViewTest, AddressTakesLineBreaksAndNotesPassEnterOn) {
  QDialog dialog;
  MainView form(&dialog);
  auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
  ok->setDefault(true);
  QSignalSpy clicked(ok, &QPushButton::clicked);
  dialog.show();
  form.PersonAdd();

  auto* address = qobject_cast<QPlainTextEdit*>(FormControl(&form, 1010));
  QTest::keyClicks(address, QStringLiteral("1 Main St"));
  QTest::keyClick(address, Qt::Key_Return);
  QTest::keyClicks(address, QStringLiteral("Apt 2"));
  EXPECT_EQ(address->toPlainText(), QStringLiteral("1 Main St\nApt 2"));
  EXPECT_EQ(clicked.count(), 0);

  form.PersonCancel();
  form.ContactAdd();
  QTest::keyClicks(NotesBox(&form), QStringLiteral("call back"));
  QTest::keyClick(NotesBox(&form), Qt::Key_Return);
  QTest::keyClick(NotesBox(&form), Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(NotesBox(&form)->toPlainText(), QStringLiteral("call back"));
  EXPECT_EQ(clicked.count(), 2);
}

// Beside the boxes, a person's details show read-only while browsing, are
// changed through their own widgets in the person edit mode, and are stored
// by Update as one step that Undo takes back whole. A value left alone keeps
// its bytes, even those that are not UTF-8.
TEST_F(MainViewTest, DetailsAreEditedWithThePersonAndUndoneInOneStep) {
  Person ann = NamedPerson(1, "Ann", "Smith");
  ann.Birthday = {1980, 4, 12};
  ann.Notes = "Likes\r\ntea";
  const std::pair<DetailKind, const char*> details[] = {{DetailKind::kPhone, "555 1"},
                                                        {DetailKind::kEmail, "caf\xE9@example.org"}};
  for (const auto& [kind, value] : details) {
    PersonDetail detail;
    detail.kind = kind;
    detail.label = "work";
    detail.value = value;
    ann.Details.push_back(detail);
  }
  Data().persons.Insert(ann);
  setup.Apply();
  Show();
  auto* panel = view.findChild<PersonDetailsPanel*>();
  QTableWidget* list = panel->List();
  EXPECT_EQ(panel->Birthday()->Picker()->date(), QDate(1980, 4, 12));
  EXPECT_EQ(panel->Notes()->toPlainText(), QStringLiteral("Likes\ntea"));
  EXPECT_EQ(list->item(1, 2)->text(), QStringLiteral("caf\u00E9@example.org"));
  EXPECT_FALSE(panel->AddButton()->isEnabled());
  EXPECT_FALSE(panel->Birthday()->SetBox()->isEnabled());
  EXPECT_EQ(list->editTriggers(), QAbstractItemView::NoEditTriggers);
  EXPECT_FALSE(panel->Photo()->isVisible()) << "no photo, no room taken";

  view.PersonEdit();
  panel->Birthday()->YearBox()->click();
  panel->Anniversary()->SetBox()->click();
  panel->Anniversary()->Picker()->setDate(QDate(2001, 6, 20));
  list->setCurrentCell(0, 2);
  panel->RemoveButton()->click();
  panel->AddButton()->click();
  auto* kinds = list->findChild<QComboBox*>();
  ASSERT_NE(kinds, nullptr) << "Add opens the new row's kind";
  kinds->setCurrentIndex(kinds->findText(QStringLiteral("SIP")));
  list->item(1, 2)->setText(QStringLiteral("sip:ann@example.org"));
  view.PersonUpdate();

  const auto stored = [&] { return *document.Data().persons.Find(1); };
  EXPECT_EQ(stored().Birthday, (PartialDate{0, 4, 12}));
  EXPECT_EQ(stored().Anniversary, (PartialDate{2001, 6, 20}));
  EXPECT_EQ(stored().Notes, "Likes\r\ntea");
  ASSERT_EQ(stored().Details.size(), 2U);
  EXPECT_EQ(stored().Details[0], ann.Details[1]);
  EXPECT_EQ(stored().Details[1].kind, DetailKind::kSip);
  EXPECT_EQ(stored().Details[1].value, "sip:ann@example.org");
  EXPECT_FALSE(panel->AddButton()->isEnabled());

  document.Undo();
  EXPECT_EQ(stored().Birthday, ann.Birthday);
  EXPECT_EQ(stored().Details, ann.Details);
  EXPECT_EQ(list->rowCount(), 2);
  EXPECT_EQ(list->item(0, 0)->text(), QStringLiteral("Phone"));
  document.Redo();
  EXPECT_EQ(list->item(1, 0)->text(), QStringLiteral("SIP"));
  EXPECT_FALSE(panel->Anniversary()->YearBox()->isEnabled());

  // A photo shows as a picture, and in the list by its type and size.
  QImage image(40, 40, QImage::Format_RGB32);
  image.fill(Qt::red);
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  Person withPhoto = stored();
  withPhoto.Details.push_back(PersonDetail::Of(DetailKind::kPhoto, {}, png.toBase64().toStdString()));
  withPhoto.Details.back().type = "image/png";
  document.Run(&DocumentEditor::UpdatePerson, withPhoto);
  EXPECT_TRUE(panel->Photo()->isVisible());
  EXPECT_EQ(list->item(2, 2)->text(), QStringLiteral("image/png (1 KB)"));
}

TEST_F(MainViewTest, F1AsksHelpForTheFocusedControl) {
  Show();
  QSignalSpy help(&view, &MainView::HelpRequested);
  QWidget* firstName = FormControl(&view, 1001);
  QTest::keyClick(firstName, Qt::Key_F1);
  ASSERT_EQ(help.count(), 1);
  EXPECT_EQ(help[0][0].toInt(), 1001);
  EXPECT_EQ(help[0][1].toPoint(), firstName->mapToGlobal(firstName->rect().center()));

  // Controls made of inner parts answer for themselves.
  DatePicker(&view)->setEnabled(true);
  for (QWidget* control : {static_cast<QWidget*>(PersonSelector(&view)), static_cast<QWidget*>(DatePicker(&view)),
                           static_cast<QWidget*>(ContactsList(&view))}) {
    control->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    ASSERT_EQ(help.count(), 2);
    EXPECT_EQ(help.takeLast()[0].toInt(), ControlId(control));
  }
}

TEST_F(MainViewTest, HelpPointerAsksForTheControlClicked) {
  Show();
  QSignalSpy help(&view, &MainView::HelpRequested);
  view.EnterHelpMode();
  EXPECT_TRUE(view.InHelpMode());
  EXPECT_EQ(QWidget::mouseGrabber(), &view);
  ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WhatsThisCursor);

  QWidget* email = FormControl(&view, 1008);
  ClickOn(email);
  ASSERT_EQ(help.count(), 1);
  EXPECT_EQ(help[0][0].toInt(), 1008);
  EXPECT_EQ(help[0][1].toPoint(), email->mapToGlobal(email->rect().center()));
  EXPECT_FALSE(view.InHelpMode());
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  // The click was the help pointer's: the box did not take the focus.
  EXPECT_FALSE(email->hasFocus());

  // A label is a control too, and inner parts answer for their control.
  view.EnterHelpMode();
  ClickOn(FormControl(&view, 1036));
  view.EnterHelpMode();
  ClickOn(ContactsList(&view)->viewport());
  ASSERT_EQ(help.count(), 3);
  EXPECT_EQ(help[1][0].toInt(), 1036);
  EXPECT_EQ(help[2][0].toInt(), 1021);
}

TEST_F(MainViewTest, HelpPointerOnBackgroundOrGroupBoxAsksNothing) {
  Show();
  QSignalSpy help(&view, &MainView::HelpRequested);
  view.EnterHelpMode();
  ClickAt(view.mapTo(&host, QPoint(2, 1)));
  EXPECT_FALSE(view.InHelpMode());
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

  // A group box's title is no control.
  view.EnterHelpMode();
  QWidget* group = FormControl(&view, 1030);
  ClickAt(group->mapTo(&host, QPoint(group->width() / 2, 2)));
  EXPECT_FALSE(view.InHelpMode());
  EXPECT_EQ(help.count(), 0);
}

TEST_F(MainViewTest, HelpPointerReleasedOutsideTheFormStaysOn) {
  Show();
  QSignalSpy help(&view, &MainView::HelpRequested);
  view.EnterHelpMode();
  ClickAt(QPoint(10, 10));
  EXPECT_EQ(help.count(), 0);
  EXPECT_TRUE(view.InHelpMode());
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(MainViewTest, GroupBoxAtNamesTheBoxUnderAPoint) {
  Show();
  for (const int id : {1028, 1029, 1030}) {
    QWidget* group = FormControl(&view, id);
    EXPECT_EQ(view.GroupBoxAt(group->mapToGlobal(QPoint(5, group->height() / 2))), id);
  }
  EXPECT_EQ(view.GroupBoxAt(view.mapToGlobal(QPoint(1, 1))), 0);
  EXPECT_EQ(view.GroupBoxAt(host.mapToGlobal(QPoint(5, 5))), 0);
}

TEST_F(MainViewTest, WideningScalesThePanelsAndOnlyTheContactsBoxGrowsInHeight) {
  Show();
  QWidget* ext = FormControl(&view, 1031);
  QWidget* workPhone = FormControl(&view, 1025);
  QWidget* personGroup = FormControl(&view, 1028);
  const int extWidth = ext->width();
  const int phoneWidth = workPhone->width();
  const int personHeight = personGroup->height();
  const int listHeight = ContactsList(&view)->height();
  EXPECT_LT(extWidth * 2, phoneWidth);

  view.resize(view.width() * 2, view.height() + 200);
  EXPECT_GT(ext->width(), extWidth * 3 / 2);
  EXPECT_GT(workPhone->width(), phoneWidth * 3 / 2);
  EXPECT_EQ(personGroup->height(), personHeight);
  EXPECT_GE(ContactsList(&view)->height(), listHeight + 180);
}

// Every label and column shows its whole text at the form's own size, in
// the default font and larger ones, with dates written in digits.
TEST_F(FilledViewTest, TextsFitTheirColumnsAndLabelsInAnyFontSize) {
  AddType(4, "Correspondence by registered mail");
  AddContact(7, 2, At(2028, 12, 28, 23, 58, 58), 4, "letter");
  Person bob = *Data().persons.Find(2);
  bob.Company = "Becker & Sons Hardware";
  bob.WkPhone = "(217) 555-0108";
  bob.WkExt = "4417";
  bob.Phone = "+49 (0611) 123 4567";
  bob.EMail = "firstname.lastname@example.org";
  bob.Address = "Leoforos Kifisias\r\nFloor 3\r\nApt 7\r\nMarousi";
  Data().persons.Replace(bob);
  const QLocale locale;
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  const QFont font = QApplication::font();
  for (const int points : {font.pointSize(), 12, 16}) {
    QApplication::setFont(QFont(font.family(), points));
    MainView form;
    form.SetDocument(document);
    setup.Apply();
    form.resize(form.sizeHint());
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    for (const QLabel* label : form.findChildren<QLabel*>())
      EXPECT_TRUE(!label->isVisibleTo(&form) || label->width() >= label->sizeHint().width())
          << label->text().toStdString() << " at " << points;
    for (const int id : {1003, 1025, 1031, 1023, 1008}) {
      const auto* box = qobject_cast<QLineEdit*>(FormControl(&form, id));
      EXPECT_LE(box->fontMetrics().horizontalAdvance(box->text()), box->contentsRect().width() - 4)
          << box->text().toStdString() << " at " << points;
    }
    // The Address box shows four lines whole, below any scroll bar.
    const auto* address = qobject_cast<QPlainTextEdit*>(FormControl(&form, 1010));
    const QRect fourth = address->cursorRect(address->document()->findBlockByNumber(3).isValid()
                                                 ? QTextCursor(address->document()->findBlockByNumber(3))
                                                 : QTextCursor());
    const QScrollBar* bar = address->horizontalScrollBar();
    EXPECT_LE(fourth.bottom(), address->viewport()->height() - 1) << points;
    EXPECT_TRUE(!bar->isVisible() || bar->geometry().top() >= address->viewport()->geometry().bottom()) << points;
    QTreeView* list = ContactsList(&form);
    for (int column = 0; column < 3; ++column)
      EXPECT_GE(list->columnWidth(column), static_cast<QAbstractItemView*>(list)->sizeHintForColumn(column)) << points;
  }
  QApplication::setFont(font);
  QLocale::setDefault(locale);
}

// Typed as a user types: the results follow after the pause.
class FindBarTest : public FilledViewTest {
 protected:
  FindBar& Bar() { return *Finder(&view); }
  int Results() { return Bar().Results()->model()->rowCount(); }
  void Type(const char* text, int expectedRows) {
    Bar().Box()->selectAll();
    QTest::keyClicks(Bar().Box(), QString::fromUtf8(text));
    EXPECT_TRUE(QTest::qWaitFor([&] { return Results() == expectedRows; }, 3000)) << text << ": " << Results();
  }
};

TEST_F(FindBarTest, FindsAsTypedAndShowsTheChosenPersonOrContact) {
  Show();
  EXPECT_FALSE(Bar().isVisible());
  view.OpenFindBar();
  ASSERT_TRUE(Bar().isVisible());
  EXPECT_EQ(QApplication::focusWidget(), Bar().Box());
  EXPECT_FALSE(Bar().Box()->accessibleName().isEmpty());
  EXPECT_FALSE(Bar().Results()->accessibleName().isEmpty());

  // Bob's city: a person, and none of the notes.
  Type("SPRINGFIELD", 1);
  QTest::keyClick(Bar().Box(), Qt::Key_Return);
  EXPECT_EQ(view.State().currentPersonId, 2);

  // Bob's name: Bob, then his contacts newest first; the third row is the
  // January call.
  Pick(2);  // Smith, Ann
  Type("ADAMS", 4);
  EXPECT_EQ(Bar().Results()->model()->index(0, 0).data().toString(), "adams, Bob");
  QTest::keyClick(Bar().Box(), Qt::Key_Down);
  QTest::keyClick(Bar().Box(), Qt::Key_Down);
  QTest::keyClick(Bar().Box(), Qt::Key_Return);
  EXPECT_EQ(view.State().currentPersonId, 2);
  EXPECT_EQ(view.State().currentContactId, 4);
  EXPECT_EQ(NotesBox(&view)->toPlainText(), "January call");
  EXPECT_EQ(ContactsList(&view)->currentIndex().row(), 1);
  // A double click chooses as Enter does: the newest of Bob's contacts.
  QListView* results = Bar().Results();
  const QPoint newest = results->visualRect(results->model()->index(1, 0)).center();
  QTest::mouseClick(results->viewport(), Qt::LeftButton, {}, newest);
  QTest::mouseDClick(results->viewport(), Qt::LeftButton, {}, newest);
  EXPECT_EQ(view.State().currentContactId, 6);

  EXPECT_TRUE(Bar().NoMatch()->isHidden());
  Type("adams nowhere", 0);
  EXPECT_FALSE(Bar().NoMatch()->isHidden());

  QTest::keyClick(Bar().Box(), Qt::Key_Escape);
  EXPECT_FALSE(Bar().isVisible());
  EXPECT_EQ(OwningControl(QApplication::focusWidget()), 1024);

  // An edit closes the bar.
  view.OpenFindBar();
  view.PersonEdit();
  EXPECT_FALSE(Bar().isVisible());
}

// Enter in the selector makes the person current whose entry its text names
// alone; otherwise the selector shows the current person again.
TEST_F(FilledViewTest, EnterInTheSelectorNeverLeavesItDisagreeingWithTheForm) {
  Show();
  QLineEdit* text = PersonSelector(&view)->lineEdit();
  text->setFocus();
  const struct {
    const char* typed;
    int32_t current;
    const char* shown;
  } cases[] = {{"sm", 1, "Smith, Ann"}, {"zz", 1, "Smith, Ann"}, {"BAKER", 3, "Baker"}, {"", 3, "Baker"}};
  for (const auto& c : cases) {
    text->selectAll();
    QTest::keyClick(text, Qt::Key_Delete);
    QTest::keyClicks(text, QString::fromLatin1(c.typed));
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_EQ(view.State().currentPersonId, c.current) << c.typed;
    EXPECT_EQ(text->text(), c.shown) << c.typed;
    EXPECT_EQ(PersonSelector(&view)->currentIndex(), PersonSelector(&view)->currentIndex()) << c.typed;
  }
}

}  // namespace
}  // namespace vimbo
