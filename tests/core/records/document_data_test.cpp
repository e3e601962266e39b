#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/records/document_data.h"

namespace vimbo {
namespace {

std::vector<std::string> TypeNames(const DocumentData& data) {
  std::vector<std::string> names;
  for (const auto& [id, type] : data.contactTypes) names.push_back(std::to_string(id) + " " + type.Description);
  return names;
}

Contact MakeContact(int32_t id, int32_t person, int32_t type) {
  Contact contact;
  contact.ID = id;
  contact.PersonID = person;
  contact.ContactTypeID = type;
  return contact;
}

TEST(DocumentData, StartsEmptyAtVersion11) {
  DocumentData data;
  EXPECT_TRUE(data.persons.Empty());
  EXPECT_TRUE(data.contacts.Empty());
  EXPECT_TRUE(data.contactTypes.Empty());
  EXPECT_EQ(data.persons.LastID, 0);
  EXPECT_EQ(data.version, 11);
  EXPECT_EQ(data.user.FName, "");
}

TEST(DocumentData, ClearResetsOnlyCountersOfCollectionsThatHeldRecords) {
  DocumentData data;
  data.persons.LastID = 7;  // empty, but numbered before
  data.contactTypes.Insert({5, "Visit"});
  data.contactTypes.LastID = 5;
  data.user.FName = "Owner";
  data.version = 3;

  data.Clear();
  EXPECT_EQ(data.persons.LastID, 7);
  EXPECT_EQ(data.persons.NextID(), 8);
  EXPECT_TRUE(data.contactTypes.Empty());
  EXPECT_EQ(data.contactTypes.LastID, 0);
  EXPECT_EQ(data.user.FName, "Owner");
  EXPECT_EQ(data.version, 3);
}

TEST(DocumentData, DefaultContactTypesAfterClearAreNumberedOneToFour) {
  DocumentData data;
  data.contactTypes.Insert({12, "Old"});
  data.contactTypes.LastID = 12;
  data.Clear();
  data.AddDefaultContactTypes();
  EXPECT_EQ(TypeNames(data),
            (std::vector<std::string>{"1 Telephone", "2 E-Mail", "3 Personal", "4 Correspondence"}));
  EXPECT_EQ(data.contactTypes.LastID, 4);
}

TEST(DocumentData, DefaultContactTypesFollowTheCounter) {
  DocumentData data;
  data.contactTypes.Insert({2, "Visit"});
  data.contactTypes.LastID = 6;
  data.AddDefaultContactTypes();
  EXPECT_EQ(TypeNames(data), (std::vector<std::string>{"2 Visit", "7 Telephone", "8 E-Mail", "9 Personal",
                                                       "10 Correspondence"}));
}

TEST(DocumentData, DeletingAPersonRemovesExactlyTheirContacts) {
  DocumentData data;
  for (int32_t id : {1, 2, 3}) {
    Person person;
    person.ID = id;
    data.persons.Insert(person);
  }
  data.contacts.Insert(MakeContact(1, 2, 1));
  data.contacts.Insert(MakeContact(2, 1, 1));
  data.contacts.Insert(MakeContact(3, 2, 1));
  data.contacts.Insert(MakeContact(4, 3, 1));
  data.contacts.Insert(MakeContact(5, 2, 1));
  data.contacts.LastID = 5;

  data.DeletePerson(2);
  EXPECT_EQ(data.persons.Find(2), nullptr);
  EXPECT_NE(data.persons.Find(1), nullptr);
  std::vector<int32_t> left;
  for (const auto& [id, contact] : data.contacts) left.push_back(id);
  EXPECT_EQ(left, (std::vector<int32_t>{2, 4}));
  EXPECT_EQ(data.contacts.LastID, 5);
}

TEST(DocumentData, AContactTypeInUseIsNotDeleted) {
  DocumentData data;
  data.AddDefaultContactTypes();
  data.contacts.Insert(MakeContact(1, 1, 2));
  EXPECT_FALSE(data.DeleteContactType(2));
  EXPECT_NE(data.contactTypes.Find(2), nullptr);
  data.contacts.Erase(1);
  EXPECT_TRUE(data.DeleteContactType(2));
  EXPECT_EQ(data.contactTypes.Find(2), nullptr);
  EXPECT_EQ(data.contactTypes.NextID(), 5) << "a deleted type's number is not handed out again";
}

// The form dates a new contact from the clock it is given; a record made
// anywhere else reads no clock of its own.
TEST(DocumentData, ANewContactHasNoMomentUntilOneIsGiven) {
  const Contact contact;
  EXPECT_FALSE(contact.DateTime.IsValid());
  EXPECT_EQ(contact.ID, 0);
  EXPECT_EQ(contact.PersonID, 0);
  EXPECT_EQ(contact.ContactTypeID, 0);
}

}  // namespace
}  // namespace vimbo
