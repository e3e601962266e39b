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
  EXPECT_EQ(TypeNames(data), (std::vector<std::string>{"1 Telephone", "2 E-Mail", "3 Personal", "4 Correspondence"}));
  EXPECT_EQ(data.contactTypes.LastID, 4);
}

TEST(DocumentData, DefaultContactTypesFollowTheCounter) {
  DocumentData data;
  data.contactTypes.Insert({2, "Visit"});
  data.contactTypes.LastID = 6;
  data.AddDefaultContactTypes();
  EXPECT_EQ(TypeNames(data),
            (std::vector<std::string>{"2 Visit", "7 Telephone", "8 E-Mail", "9 Personal", "10 Correspondence"}));
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
