#include <gtest/gtest.h>

#include <QDateTimeEdit>
#include <QLocale>
#include <vector>

#include "core/editing/document_editor.h"
#include "support/dates.h"
#include "support/people.h"
#include "ui/form/contacts_list_model.h"
#include "ui/form/person_list_model.h"
#include "ui/kit/form_text.h"

namespace vimbo {
namespace {

using testing::At;
using Ids = std::vector<int32_t>;

struct ContactsListModelTest : ::testing::Test {
  ContactsListModelTest() {
    editor.AddPerson(testing::NamedPerson(0, "Ann", "Smith"));
    editor.AddPerson(testing::NamedPerson(0, "Bob", "Jones"));
    editor.AddContactType("Telephone");
  }

  int32_t Add(int32_t personId, const DateTimeValue& when, int32_t typeId = 1, const std::string& notes = {}) {
    return editor.AddContact({0, personId, when, notes, typeId, {}}).id;
  }

  // The IDs the rows carry after a refill for `personId`.
  Ids Listed(int32_t personId) {
    model.Fill(editor.Data(), personId);
    Ids ids;
    for (int row = 0; row < model.rowCount(); ++row) ids.push_back(model.index(row, 0).data(Qt::UserRole).toInt());
    return ids;
  }

  DocumentEditor editor;
  ContactsListModel model;
};

TEST_F(ContactsListModelTest, RowsShowOnePersonsContactsLatestFirst) {
  const int32_t call = Add(1, At(2004, 3, 1, 9, 0, 0), 1, "Called\r\nagreed");
  const int32_t lost = Add(1, At(2004, 3, 2, 9, 0, 0), 99);
  EXPECT_EQ(Listed(1), (Ids{lost, call}));
  const FormDateTimeText texts;
  const QString expected[] = {texts.Date(At(2004, 3, 1, 9, 0, 0)), texts.Time(At(2004, 3, 1, 9, 0, 0)), "Telephone",
                              "Called agreed"};
  for (int column = 0; column < 4; ++column) EXPECT_EQ(model.index(1, column).data().toString(), expected[column]);
  EXPECT_EQ(model.index(0, 2).data().toString(), QString()) << "a missing type";

  // Equal moments keep their IDs' order; before 30 December 1899 the stored
  // number runs backwards within a day, the list does not.
  const int32_t again = Add(1, At(2004, 3, 1, 9, 0, 0));
  const int32_t evening = Add(1, At(1899, 12, 29, 18, 0, 0));
  const int32_t morning = Add(1, At(1899, 12, 29, 6, 0, 0));
  EXPECT_EQ(Listed(1), (Ids{lost, call, again, evening, morning}));
}

// A date reads the same in the list as in the picker above it, in the
// locale's order with all four digits of the year.
TEST_F(ContactsListModelTest, DatesAndTimesReadAsThePickersShowThem) {
  const QLocale before;
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  ContactsListModel list;
  QDateTimeEdit picker;
  picker.setDisplayFormat(PickerDateFormat(QLocale()) + ' ' + PickerTimeFormat(QLocale()));
  picker.setMinimumDate(QDate(100, 1, 1));
  const struct {
    DateTimeValue when;
    const char* text;
  } cases[] = {{At(2026, 11, 30, 14, 5, 9), "11/30/2026 2:05:09 PM"},
               {At(2005, 7, 4, 0, 0, 0), "7/4/2005 12:00:00 AM"},
               {At(1926, 2, 3, 12, 0, 0), "2/3/1926 12:00:00 PM"},
               {At(999, 1, 2, 23, 59, 59), "1/2/0999 11:59:59 PM"},
               {At(100, 1, 2, 6, 7, 8), "1/2/0100 6:07:08 AM"}};
  for (const auto& c : cases) {
    const int32_t id = Add(2, c.when);
    list.Fill(editor.Data(), 2);
    const int row = list.RowOf(id);
    const QString shown = list.index(row, 0).data().toString() + ' ' + list.index(row, 1).data().toString();
    const SystemTime at = c.when.ToSystemTime();
    picker.setDateTime(QDateTime(QDate(at.year, at.month, at.day), QTime(at.hour, at.minute, at.second)));
    EXPECT_EQ(shown, QString::fromLatin1(c.text));
    EXPECT_EQ(shown, picker.text());
  }
  QLocale::setDefault(before);
}

TEST_F(ContactsListModelTest, RefillFollowsEveryEditAndUndo) {
  const int32_t first = Add(1, At(2004, 1, 1, 8, 0, 0));
  const int32_t other = Add(2, At(2006, 1, 1, 8, 0, 0));
  const int32_t later = Add(1, At(2005, 1, 1, 8, 0, 0));
  Add(2, At(2007, 1, 1, 8, 0, 0));
  EXPECT_EQ(Listed(1), (Ids{later, first}));
  editor.DeleteContact(other);
  EXPECT_EQ(Listed(1), (Ids{later, first})) << "found past a deleted record";

  editor.DeleteContact(later);
  EXPECT_EQ(model.index(0, 3).data(), QVariant()) << "a row deleted since the refill shows nothing";
  EXPECT_EQ(Listed(1), (Ids{first}));
  editor.Undo();
  EXPECT_EQ(Listed(1), (Ids{later, first}));
  editor.DeletePerson(1);
  EXPECT_TRUE(Listed(1).empty());
  EXPECT_EQ(Listed(2).size(), 1u);
  editor.Undo();
  EXPECT_EQ(Listed(1), (Ids{later, first}));
}

TEST(PersonListModelTest, InsertAndRemoveKeepTheOrderOfAFill) {
  PersonListModel model;
  model.Fill({{"Smith, Ann", 1}, {"adams, Bob", 2}, {"Baker", 3}, {"baker", 4}});
  EXPECT_EQ(model.Insert({"BAKER", 5}), 3) << "equal names in ID order";
  EXPECT_EQ(model.Insert({"Aaron", 6}), 0);
  model.Remove(1);
  Ids ids;
  for (int row = 0; row < model.rowCount(); ++row) ids.push_back(model.index(row).data(Qt::UserRole).toInt());
  EXPECT_EQ(ids, (Ids{6, 3, 4, 5, 1}));

  // A refill with the same entries keeps the list; one name changed sorts anew.
  const std::vector<NamedEntry> same = {{"Smith, Ann", 1}, {"Baker", 3}, {"baker", 4}, {"BAKER", 5}, {"Aaron", 6}};
  model.Fill(same);
  EXPECT_EQ(model.IdAt(0), 6);
  std::vector<NamedEntry> renamed = same;
  renamed[4].text = "Zed";
  model.Fill(renamed);
  EXPECT_EQ(model.IdAt(0), 3);
  EXPECT_EQ(model.IdAt(4), 6);
}

}  // namespace
}  // namespace vimbo
