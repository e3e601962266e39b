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
      {"Organization 1 - Name", "Organization 1 - Name"},
      {"Job Title", "Position"},
      {"Organization 1 - Title", "Organization 1 - Title"},
      {"Title", "Title"},
      {"Name Prefix", "Title"},
      {"E-mail Address", "E-mail"},
      {"E-mail 1 - Value", "E-mail 1 - Value"},
      {"Email", "E-Mail"},
      {"EMAIL", "E-Mail"},
      {"Home Phone", "Phone (home)"},
      {"Phone 1 - Value", "Phone 1 - Value"},
      {"Business Phone", "Phone (work)"},
      {"Work Phone", "WorkPhone"},
      {"Mobile Phone", "Phone (cell)"},
      {"Cell Phone", "Phone (cell)"},
      {"Pager", "Pager"},
      {"Fax", "Fax"},
      {"Business Fax", "Phone (work,fax)"},
      {"Street", "Address"},
      {"Home Street", "Address (home) - Street"},
      {"City", "City"},
      {"Home City", "Address (home) - City"},
      {"State/Province", "State"},
      {"Region", "State"},
      {"ZIP", "ZipCode"},
      {"Postal Code", "ZipCode"},
      {"Web Page", "WebPage"},
      {"Website", "WebPage"},
      {"  web-page  ", "WebPage"},
      // The layouts of address books: numbered groups, address blocks and
      // details beyond the seventeen fields.
      {"Phone 2 - Type", "Phone 2 - Type"},
      {"Phone 12 - Label", "Phone 12 - Type"},
      {"E-mail 3 - Type", "E-mail 3 - Type"},
      {"Address 1 - Postal Code", "Address 1 - Postal Code"},
      {"Address 2 - Extended Address", "Address 2 - Extended Address"},
      {"Address 1 - PO Box", "Address 1 - PO Box"},
      {"Organization 1 - Department", "Organization 1 - Department"},
      {"Website 1 - Value", "Website 1 - Value"},
      {"Custom Field 1 - Value", "Custom Field 1 - Value"},
      {"IM 1 - Value", "IM 1 - Value"},
      {"Country", "Country"},
      {"Country/Region", "Country"},
      {"Business Street", "Address (work) - Street"},
      {"Business Street 2", "Address (work) - Street"},
      {"Business Country/Region", "Address (work) - Country"},
      {"Other Postal Code", "Address (other) - Postal Code"},
      {"Home Fax", "Phone (home,fax)"},
      {"Business Phone 2", "Phone (work)"},
      {"Company Main Phone", "Phone (main)"},
      {"E-mail 2 Address", "E-mail"},
      {"Middle Name", "Middle Name"},
      {"Additional Name", "Middle Name"},
      {"Suffix", "Name Suffix"},
      {"Nickname", "Nickname"},
      {"Birthday", "Birthday"},
      {"Anniversary", "Anniversary"},
      {"Notes", "Notes"},
      {"Department", "Organization - Department"},
      {"Name", "Name"},
      // Nothing a person holds, or nothing at all.
      {"Phone 0 - Value", ""},
      {"Phone 1 - Street", ""},
      {"Address 1 - Value", ""},
      {"IM 1 - Service", ""},
      {"Group Membership", ""},
      {"Photo", ""},
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
  EXPECT_EQ(
      MatchColumnHeadings({"Given Name", "Surname", "Country", "First Name", "E-mail 1 - Value", "E-mail 2 - Value",
                           "Email", "Mobile Phone", "E-Mail", "Birthday", "Birthday", "Home Phone", "Home Phone 2"}),
      (Strings{"FirstName", "LastName", "Country", "", "E-mail 1 - Value", "E-mail 2 - Value", "E-Mail", "Phone (cell)",
               "", "Birthday", "", "Phone (home)", "Phone (home)"}));
  EXPECT_EQ(MatchColumnHeadings({}), Strings{});
  EXPECT_EQ(MatchColumnHeadings({"id", "", "photo"}), (Strings{"", "", ""}));
  EXPECT_EQ(ColumnsNotImportedText({"Photo", "Group Membership"}), "Columns not imported: Photo, Group Membership");
  EXPECT_EQ(ColumnsNotImportedText({}), "");
}

}  // namespace
}  // namespace vimbo
