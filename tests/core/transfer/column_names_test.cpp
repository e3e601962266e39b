#include "core/transfer/column_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/transfer/transfer_keys.h"

namespace vimbo {
namespace {

using Strings = std::vector<std::string>;

TEST(ColumnNames, HeadingsOfOtherProgramsAndOurOwnKeys) {
  const struct {
    const char* heading;
    const char* key;
  } cases[] = {
      {"First Name", "FirstName"},
      {"Given Name", "FirstName"},
      {"last_name", "LastName"},
      {"Last Name", "LastName"},
      {"Surname", "LastName"},
      {"Family Name", "LastName"},
      {"Company", "Company"},
      {"Organization", "Company"},
      {"Organization 1 - Name", "Company"},
      {"Job Title", "Position"},
      {"Organization 1 - Title", "Position"},
      {"Title", "Title"},
      {"Name Prefix", "Title"},
      {"E-mail Address", "E-Mail"},
      {"E-mail 1 - Value", "E-Mail"},
      {"Email", "E-Mail"},
      {"EMAIL", "E-Mail"},
      {"Home Phone", "Phone"},
      {"Phone 1 - Value", "Phone"},
      {"Business Phone", "WorkPhone"},
      {"Work Phone", "WorkPhone"},
      {"Mobile Phone", "CelPhone"},
      {"Cell Phone", "CelPhone"},
      {"Pager", "Pager"},
      {"Fax", "Fax"},
      {"Business Fax", "Fax"},
      {"Street", "Address"},
      {"Home Street", "Address"},
      {"City", "City"},
      {"Home City", "City"},
      {"State/Province", "State"},
      {"Region", "State"},
      {"ZIP", "ZipCode"},
      {"Postal Code", "ZipCode"},
      {"Web Page", "WebPage"},
      {"Website", "WebPage"},
      {"  web-page  ", "WebPage"},
      // Not a field of a person, or nothing at all.
      {"Country", ""},
      {"Business Street", ""},
      {"Middle Name", ""},
      {"EMPTY FIELD", ""},
      {"", ""},
      {" - ", ""},
      {"Nom de famille\xC3\xA9", ""},
  };
  for (const auto& entry : cases) EXPECT_EQ(PersonKeyOfHeading(entry.heading), entry.key) << entry.heading;
  // Every key the export writes is known again on import.
  for (const PersonKey& key : kPersonKeys) EXPECT_EQ(PersonKeyOfHeading(key.key), key.key);
}

TEST(ColumnNames, EachFieldGoesToItsFirstColumnOnly) {
  EXPECT_EQ(MatchColumnHeadings({"Given Name", "Surname", "Country", "First Name", "E-mail 1 - Value",
                                 "E-mail 2 - Value", "Email", "Mobile Phone"}),
            (Strings{"FirstName", "LastName", "", "", "E-Mail", "", "", "CelPhone"}));
  EXPECT_EQ(MatchColumnHeadings({}), Strings{});
  EXPECT_EQ(MatchColumnHeadings({"id", "", "notes"}), (Strings{"", "", ""}));
}

}  // namespace
}  // namespace vimbo
