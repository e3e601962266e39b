#include <gtest/gtest.h>

#include <QComboBox>
#include <vector>

#include "core/editing/document_editor.h"
#include "core/records/date_time_text.h"
#include "gfx/display_text.h"
#include "support/dates.h"
#include "support/people.h"
#include "ui/form/contacts_list_model.h"
#include "ui/form/person_list_model.h"

namespace vimbo {
namespace {

using testing::At;

struct ContactsListModelTest : ::testing::Test {
  ContactsListModelTest() {
    editor.AddPerson(testing::NamedPerson(0, "Ann", "Smith"));
    editor.AddPerson(testing::NamedPerson(0, "Bob", "Jones"));
    editor.AddContactType("Telephone");
  }

  int32_t Add(int32_t personId, const DateTimeValue& when, int32_t typeId = 1, std::string notes = {}) {
    return editor
        .AddContact(
            {.ID = 0, .PersonID = personId, .DateTime = when, .Description = std::move(notes), .ContactTypeID = typeId})
        .id;
  }

  // The IDs of the rows after a refill for `personId`.
  std::vector<int32_t> Listed(int32_t personId) {
    model.Fill(editor.Data(), personId);
    std::vector<int32_t> ids;
    for (int row = 0; row < model.rowCount(); ++row) ids.push_back(model.index(row, 0).data(Qt::UserRole).toInt());
    return ids;
  }

  DocumentEditor editor;
  ContactsListModel model;
};

TEST_F(ContactsListModelTest, RowsShowOnePersonsContactsLatestFirst) {
  const int32_t call = Add(1, At(2004, 3, 1, 9, 0, 0), 1, "Called\r\nagreed");
  const int32_t lost = Add(1, At(2004, 3, 2, 9, 0, 0), 99, "lost type");
  Add(2, At(2010, 1, 1, 0, 0, 0));
  EXPECT_EQ(Listed(1), (std::vector<int32_t>{lost, call}));
  const std::vector<QString> expected{ToDisplay(ShortDateText(At(2004, 3, 1, 9, 0, 0))),
                                      ToDisplay(ShortTimeText(At(2004, 3, 1, 9, 0, 0))), "Telephone", "Called agreed"};
  for (int column = 0; column < 4; ++column) EXPECT_EQ(model.index(1, column).data().toString(), expected[column]);
  EXPECT_EQ(model.index(0, 2).data().toString(), QString()) << "a missing type";
  EXPECT_EQ(model.headerData(2, Qt::Horizontal).toString(), "Contact Type");
  EXPECT_TRUE(Listed(3).empty());
}

TEST_F(ContactsListModelTest, EqualMomentsKeepIdOrderAndDaysBefore1900CountForward) {
  const int32_t a = Add(1, At(2004, 1, 1, 8, 0, 0));
  const int32_t b = Add(1, At(2004, 1, 1, 9, 0, 0));
  const int32_t c = Add(1, At(2004, 1, 1, 8, 0, 0));
  const int32_t d = Add(1, At(2004, 1, 1, 9, 0, 0));
  // Before 30 December 1899 the stored number runs backwards within a day.
  const int32_t evening = Add(1, At(1899, 12, 29, 18, 0, 0));
  const int32_t morning = Add(1, At(1899, 12, 29, 6, 0, 0));
  EXPECT_EQ(Listed(1), (std::vector<int32_t>{b, d, a, c, evening, morning}));
}

TEST_F(ContactsListModelTest, RefillFollowsEveryEditAndUndo) {
  const int32_t first = Add(1, At(2004, 1, 1, 8, 0, 0));
  const int32_t later = Add(1, At(2005, 1, 1, 8, 0, 0));
  Add(2, At(2006, 1, 1, 8, 0, 0));
  EXPECT_EQ(Listed(1), (std::vector<int32_t>{later, first}));

  editor.DeleteContact(later);
  // Rows of a contact deleted since the last refill show nothing.
  EXPECT_EQ(model.index(0, 3).data(), QVariant());
  EXPECT_EQ(Listed(1), (std::vector<int32_t>{first}));
  editor.Undo();
  EXPECT_EQ(Listed(1), (std::vector<int32_t>{later, first}));

  editor.DeletePerson(1);
  EXPECT_TRUE(Listed(1).empty());
  EXPECT_EQ(Listed(2).size(), 1u);
  editor.Undo();
  EXPECT_EQ(Listed(1), (std::vector<int32_t>{later, first}));
}

TEST(PersonListModelTest, EntriesKeepNameOrderThroughInsertAndRemove) {
  PersonListModel model;
  QComboBox combo;
  combo.setModel(&model);
  model.Fill({{"Smith, Ann", 1}, {"adams, Bob", 2}, {"Baker", 3}, {"baker", 4}});
  EXPECT_EQ(combo.itemText(0), "adams, Bob");
  EXPECT_EQ(combo.findData(4), 2) << "equal names in ID order";
  EXPECT_EQ(model.Insert({"BAKER", 5}), 3);
  EXPECT_EQ(model.Insert({"Aaron", 6}), 0);
  model.Remove(1);
  std::vector<int32_t> ids;
  for (int row = 0; row < combo.count(); ++row) ids.push_back(combo.itemData(row).toInt());
  EXPECT_EQ(ids, (std::vector<int32_t>{6, 3, 4, 5, 1}));
  EXPECT_EQ(model.RowOf(5), 3);
  EXPECT_EQ(model.RowOf(2), -1);
  EXPECT_EQ(model.IdAt(5), 0);
}

}  // namespace
}  // namespace vimbo
