#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "core/records/document_data.h"

namespace vimbo {
namespace {

Person NamedPerson(int32_t id, const std::string& last) {
  Person person;
  person.ID = id;
  person.LName = last;
  return person;
}

std::vector<int32_t> Ids(const Persons& persons) {
  std::vector<int32_t> ids;
  for (const auto& [id, person] : persons) ids.push_back(id);
  return ids;
}

TEST(Collection, InsertKeepsTheFirstRecordOfAnId) {
  Persons persons;
  EXPECT_TRUE(persons.Insert(NamedPerson(3, "First")));
  EXPECT_FALSE(persons.Insert(NamedPerson(3, "Second")));
  ASSERT_NE(persons.Find(3), nullptr);
  EXPECT_EQ(persons.Find(3)->LName, "First");
  EXPECT_EQ(persons.Size(), 1u);
  EXPECT_EQ(persons.Find(4), nullptr);
}

TEST(Collection, IteratesInAscendingIdWhateverTheInsertOrder) {
  Persons persons;
  for (int32_t id : {9, -2, 4, 0, 7}) persons.Insert(NamedPerson(id, "x"));
  EXPECT_EQ(Ids(persons), (std::vector<int32_t>{-2, 0, 4, 7, 9}));
}

TEST(Collection, EraseDuringIterationVisitsEveryOtherEntry) {
  Persons persons;
  for (int32_t id = 1; id <= 6; ++id) persons.Insert(NamedPerson(id, "x"));
  for (auto it = persons.begin(); it != persons.end();) it = it->first % 2 == 0 ? persons.Erase(it) : std::next(it);
  EXPECT_EQ(Ids(persons), (std::vector<int32_t>{1, 3, 5}));
  persons.Erase(42);  // absent: nothing happens
  EXPECT_EQ(persons.Size(), 3u);
}

TEST(Collection, BatchCallsMatchOneRecordAtATime) {
  Persons persons;
  for (int32_t id : {2, 4, 6, 8}) persons.Insert(NamedPerson(id, "old"));
  // Interleaved with the present IDs, out of order, one repeated, one present.
  const Person added[] = {NamedPerson(5, "new"), NamedPerson(1, "new"), NamedPerson(9, "new"), NamedPerson(5, "again"),
                          NamedPerson(4, "new")};
  persons.InsertMany({&added[0], &added[1], &added[2], &added[3], &added[4]});
  EXPECT_EQ(Ids(persons), (std::vector<int32_t>{1, 2, 4, 5, 6, 8, 9}));
  EXPECT_EQ(persons.Find(4)->LName, "old");
  EXPECT_EQ(persons.Find(5)->LName, "new");
  persons.EraseMany({9, 3, 1, 5});
  EXPECT_EQ(Ids(persons), (std::vector<int32_t>{2, 4, 6, 8}));
  EXPECT_TRUE(persons.Replace(NamedPerson(6, "replaced")));
  EXPECT_FALSE(persons.Replace(NamedPerson(7, "absent")));
  EXPECT_EQ(persons.Find(6)->LName, "replaced");
  EXPECT_EQ(persons.Find(7), nullptr);
}

TEST(Collection, NextIdNeverReusesAFreedNumber) {
  Persons persons;
  for (int i = 0; i < 3; ++i) persons.Insert(NamedPerson(persons.NextID(), "x"));
  EXPECT_EQ(persons.LastID, 3);
  persons.Erase(3);
  EXPECT_EQ(persons.NextID(), 4);
  persons.Clear();
  EXPECT_TRUE(persons.Empty());
  EXPECT_EQ(persons.LastID, 4) << "Clear() of the collection leaves the counter";
}

TEST(Collection, NextIdAtTheEndOfTheRangeGivesNoIdentifier) {
  Persons persons;
  persons.LastID = std::numeric_limits<int32_t>::max() - 1;
  EXPECT_EQ(persons.NextID(), std::numeric_limits<int32_t>::max());
  EXPECT_EQ(persons.NextID(), 0);
  EXPECT_EQ(persons.LastID, std::numeric_limits<int32_t>::max());
}

TEST(PersonDisplayName, FollowsLastNameFirstNameCompany) {
  Person person;
  EXPECT_EQ(person.DisplayName(), "");
  person.Company = "Acme";
  EXPECT_EQ(person.DisplayName(), "Acme");
  person.FName = "Ann";
  EXPECT_EQ(person.DisplayName(), "Ann");
  person.LName = "Lee";
  EXPECT_EQ(person.DisplayName(), "Lee, Ann");
  person.FName.clear();
  EXPECT_EQ(person.DisplayName(), "Lee");
}

}  // namespace
}  // namespace vimbo
