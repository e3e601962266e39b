// Files in the layouts of the big web and desktop address books, imported
// with their columns matched by name as `--columns auto` and the wizard do,
// and our persons written in those layouts.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "core/transfer/column_names.h"
#include "core/transfer/field_tokenizer.h"
#include "core/transfer/layout_export.h"
#include "core/transfer/person_text_reader.h"
#include "core/transfer/transfer_keys.h"
#include "support/temp_dir.h"

namespace vimbo {
namespace {

using Strings = std::vector<std::string>;

TextImport<Person> ImportByNames(const std::string& bytes) {
  testing::TempDir dir;
  TextTransferSettings settings = PersonsImportSettings();
  settings.FileName = dir.File("book.csv");
  testing::WriteBytes(settings.FileName, bytes);
  FieldTokenizer tokenizer;
  tokenizer.SetCharacters(",", "\"");
  const std::string firstLine = bytes.substr(0, bytes.find('\n'));
  std::string_view header = firstLine;
  std::string name;
  while (tokenizer.NextField(header, name)) settings.ImportedFieldNames.push_back(name);
  settings.Fields = MatchColumnHeadings(settings.ImportedFieldNames);
  settings.ColumnCount = static_cast<int>(settings.Fields.size());
  settings.FirstLineHasNames = true;
  settings.Separator = ",";
  settings.Encloser = "\"";
  return ReadTextImport(settings);
}

// Each detail as "kind label=value", an address's parts joined by "|".
Strings Details(const Person& person) {
  Strings lines;
  for (const PersonDetail& detail : person.Details) {
    std::string line = std::string(DetailKindName(detail.kind)) + " " + detail.label.str() + "=" + detail.value.str();
    if (detail.kind == DetailKind::kAddress) {
      for (const AddressPart& part : kAddressParts) line += (detail.*part.member).str() + "|";
    }
    lines.push_back(line);
  }
  return lines;
}

TEST(AddressBookImport, WebLayoutWithNumberedTypedColumnsAndMultiValues) {
  const TextImport<Person> import = ImportByNames(
      "Name,Given Name,Additional Name,Family Name,Yomi Name,Name Prefix,Name Suffix,Nickname,Birthday,Notes,Photo,"
      "Group Membership,E-mail 1 - Type,E-mail 1 - Value,E-mail 2 - Type,E-mail 2 - Value,Phone 1 - Type,"
      "Phone 1 - Value,Phone 2 - Type,Phone 2 - Value,Phone 3 - Type,Phone 3 - Value,Phone 4 - Type,Phone 4 - Value,"
      "Address 1 - Type,Address 1 - Formatted,Address 1 - Street,Address 1 - City,Address 1 - PO Box,"
      "Address 1 - Region,Address 1 - Postal Code,Address 1 - Country,Address 1 - Extended Address,"
      "Organization 1 - Type,Organization 1 - Name,Organization 1 - Title,Organization 1 - Department,"
      "Website 1 - Type,Website 1 - Value,Custom Field 1 - Type,Custom Field 1 - Value\n"
      // Business only, two e-mails of one type in one cell, a phone type
      // with a star, an extension in the work number.
      "Ann Lee,Ann,Marie,Lee,,Dr.,PhD,Annie,1980-04-12,Met at the fair,https://p.example/1.jpg,* myContacts,"
      "* Home,ann@home.example ::: ann2@home.example,Work,ann@work.example,* Mobile,+49 170 1 ::: +49 170 2,"
      "Work,+49 611 3 x12,Work Fax,+49 611 4,Main,+49 611 5,"
      "Work,\"Main St 1\nWiesbaden\",Main St 1,Wiesbaden,PO 7,Hessen,65183,Germany,Floor 2,"
      ",Acme,Engineer,R&D,Profile,https://ann.example,Shoe size,38\n"
      // Only a whole name, two addresses in one group, no year.
      "Bob Ray,,,,,,,,--07-30,,,,,,,,,,,,,,,,"
      "Home ::: Other,,Elm 1 ::: Oak 2,Bath ::: Bristol,,,,,,,,,,,,,,\n"
      // An e-mail address alone is someone too; nothing at all is nobody.
      ",,,,,,,,,,,,,bo@solo.example,,,,,,,,,,,,,,,,,,,,,,,,,,,\n"
      ",,,,,,,,,,,* myContacts,,,,,,,,,,,,,,,,,,,,,,,,,,,,,\n");
  ASSERT_EQ(import.persons.size(), 3u);
  EXPECT_EQ(import.columnsNotImported, (Strings{"Photo", "Group Membership"}));

  const Person& ann = import.persons[0];
  EXPECT_EQ(ann.Title, "Dr.");
  EXPECT_EQ(ann.FName, "Ann");
  EXPECT_EQ(ann.LName, "Lee");
  EXPECT_EQ(ann.Birthday.Text(), "1980-04-12");
  EXPECT_EQ(ann.Notes, "Met at the fair");
  EXPECT_EQ(ann.EMail, "ann@home.example");
  EXPECT_EQ(ann.CelPhone, "+49 170 1");
  EXPECT_EQ(ann.WkPhone, "+49 611 3");
  EXPECT_EQ(ann.WkExt, "12");
  EXPECT_EQ(ann.Fax, "+49 611 4");
  EXPECT_EQ(ann.Phone, "");
  EXPECT_EQ(ann.Address, "Main St 1\nFloor 2\nPO 7");
  EXPECT_EQ(ann.City, "Wiesbaden");
  EXPECT_EQ(ann.State, "Hessen");
  EXPECT_EQ(ann.Zip, "65183");
  EXPECT_EQ(ann.Country(), "Germany");
  EXPECT_EQ(ann.Company, "Acme");
  EXPECT_EQ(ann.Position, "Engineer");
  EXPECT_EQ(ann.WebPage, "https://ann.example");
  EXPECT_EQ(Details(ann),
            (Strings{"address =||||Germany|", "name middle=Marie", "name suffix=PhD", "name nickname=Annie",
                     "email home=ann2@home.example", "email work=ann@work.example", "phone cell=+49 170 2",
                     "phone main=+49 611 5", "org unit=R&D", "custom Shoe size=38"}));

  const Person& bob = import.persons[1];
  EXPECT_EQ(bob.FName, "Bob");
  EXPECT_EQ(bob.LName, "Ray");
  EXPECT_EQ(bob.Birthday.Text(), "--07-30");
  EXPECT_EQ(bob.Address, "Elm 1");
  EXPECT_EQ(bob.City, "Bath");
  EXPECT_EQ(Details(bob), Strings{"address other=Oak 2|Bristol||||"});

  EXPECT_EQ(import.persons[2].EMail, "bo@solo.example");
  EXPECT_EQ(import.persons[2].DisplayName(), "bo@solo.example");
}

TEST(AddressBookImport, DesktopLayoutWithAddressBlocksAndFixedPhones) {
  const TextImport<Person> import = ImportByNames(
      "Title,First Name,Middle Name,Last Name,Suffix,Company,Department,Job Title,Business Street,Business City,"
      "Business State,Business Postal Code,Business Country/Region,Home Street,Home City,Home State,Home Postal Code,"
      "Home Country/Region,Other Street,Other City,Business Fax,Business Phone,Business Phone 2,Home Fax,Home Phone,"
      "Home Phone 2,Mobile Phone,Pager,Other Phone,Anniversary,Birthday,E-mail Address,E-mail Type,E-mail 2 Address,"
      "E-mail 3 Address,Notes,Web Page,Categories\n"
      "Mr.,Tom,J,Becker,Jr.,Globex,Sales,Manager,Work Rd 2,Springfield,IL,62701,USA,Home Ln 3,Shelbyville,IL,62565,"
      "United States,,Capital City,555-0109,555-0100,555-0101,555-0108,555-0102,555-0103,555-0104,555-0105,555-0106,"
      "6/1/2005,0/0/00,tom@x.example,SMTP,tom2@x.example,,\"Line 1\r\nLine 2\",www.x.example,Friends\r\n"
      // A business address alone fills the fields; a day first when the
      // first number cannot be a month; text that is no date is kept.
      ",Eve,,Stone,,,,,Quay 9,Cork,,,Ireland,,,,,,,,,,,,,,,,,next spring,25.12.1990,,,,,,,\r\n");
  ASSERT_EQ(import.persons.size(), 2u);
  EXPECT_EQ(import.columnsNotImported, (Strings{"E-mail Type", "Categories"}));

  const Person& tom = import.persons[0];
  EXPECT_EQ(tom.Title, "Mr.");
  EXPECT_EQ(tom.Company, "Globex");
  EXPECT_EQ(tom.Position, "Manager");
  EXPECT_EQ(tom.Address, "Home Ln 3");
  EXPECT_EQ(tom.City, "Shelbyville");
  EXPECT_EQ(tom.State, "IL");
  EXPECT_EQ(tom.Zip, "62565");
  EXPECT_EQ(tom.Country(), "United States");
  EXPECT_EQ(tom.Fax, "555-0109");
  EXPECT_EQ(tom.WkPhone, "555-0100");
  EXPECT_EQ(tom.Phone, "555-0102");
  EXPECT_EQ(tom.CelPhone, "555-0104");
  EXPECT_EQ(tom.Pager, "555-0105");
  EXPECT_EQ(tom.Anniversary.Text(), "2005-06-01");
  EXPECT_FALSE(tom.Birthday.IsSet());
  EXPECT_EQ(tom.EMail, "tom@x.example");
  EXPECT_EQ(tom.Notes, "Line 1\r\nLine 2");
  EXPECT_EQ(tom.WebPage, "www.x.example");
  EXPECT_EQ(Details(tom),
            (Strings{"address =||||United States|", "name middle=J", "name suffix=Jr.", "org unit=Sales",
                     "phone work=555-0101", "phone home,fax=555-0108", "phone home=555-0103", "phone other=555-0106",
                     "email =tom2@x.example", "address work=Work Rd 2|Springfield|IL|62701|USA|",
                     "address other=|Capital City||||"}));

  const Person& eve = import.persons[1];
  EXPECT_EQ(eve.Address, "Quay 9");
  EXPECT_EQ(eve.City, "Cork");
  EXPECT_EQ(eve.Country(), "Ireland");
  EXPECT_EQ(eve.Birthday.Text(), "1990-12-25");
  EXPECT_EQ(Details(eve), (Strings{"address =||||Ireland|", "custom Anniversary=next spring"}));
}

// Everyone the layouts have room for: each kind of value in the fields and
// as details, a country, dates with and without a year, an extension.
Person EveryKind() {
  Person ann;
  ann.Title = "Dr.";
  ann.FName = "Ann";
  ann.LName = "O'Neil, \"Jr\"";
  ann.Company = "Acme";
  ann.Position = "Chair";
  ann.Address = "12 Elm St\nApt 3";
  ann.City = "Springfield";
  ann.State = "IL";
  ann.Zip = "62701";
  ann.SetCountry("USA");
  ann.Phone = "555-0100";
  ann.WkPhone = "555-0101";
  ann.WkExt = "12";
  ann.CelPhone = "555-0102";
  ann.Pager = "555-0103";
  ann.Fax = "555-0104";
  ann.EMail = "ann@home.example";
  ann.WebPage = "https://ann.example";
  ann.Birthday = *PartialDate::Parse("1980-04-12");
  ann.Anniversary = *PartialDate::Parse("2005-06-01");
  ann.Notes = "Likes tea,\nnot coffee";
  const auto add = [&](DetailKind kind, const char* label, const char* value) {
    PersonDetail detail;
    detail.kind = kind;
    detail.label = label;
    detail.value = value;
    ann.Details.push_back(detail);
  };
  add(DetailKind::kName, "middle", "Marie");
  add(DetailKind::kName, "suffix", "PhD");
  add(DetailKind::kOrg, "unit", "Research");
  add(DetailKind::kPhone, "work", "555-0105");
  add(DetailKind::kPhone, "home", "555-0106");
  add(DetailKind::kEmail, "work", "ann@work.example");
  PersonDetail office;
  office.kind = DetailKind::kAddress;
  office.label = "work";
  office.street = "1 Quay";
  office.city = "Cork";
  office.country = "Ireland";
  ann.Details.push_back(office);
  return ann;
}

// The details in a fixed order of kinds, keeping their order within a kind:
// a layout writes kinds in its own column order.
Strings DetailsByKind(const Person& person) {
  Person sorted = person;
  std::stable_sort(sorted.Details.begin(), sorted.Details.end(),
                   [](const PersonDetail& a, const PersonDetail& b) { return a.kind < b.kind; });
  return Details(sorted);
}

void ExpectSamePerson(const Person& got, const Person& want) {
  for (const PersonKey& key : kPersonKeys) {
    EXPECT_EQ(got.*key.member, want.*key.member) << key.key;
  }
  EXPECT_EQ(got.Birthday, want.Birthday);
  EXPECT_EQ(got.Anniversary, want.Anniversary);
  EXPECT_EQ(got.Notes, want.Notes);
  EXPECT_EQ(DetailsByKind(got), DetailsByKind(want));
}

TEST(AddressBookExport, EveryDetailComesBackThroughEachLayout) {
  DocumentData data;
  Person ann = EveryKind();
  ann.ID = 1;
  // The web layout also has a nickname, web, messaging and custom values.
  Person web = ann;
  PersonDetail more;
  for (const auto& [kind, label, value] :
       {std::tuple{DetailKind::kName, "nickname", "Annie"}, std::tuple{DetailKind::kPhone, "cell", "555-0107"},
        std::tuple{DetailKind::kPhone, "main", "555-0108"}, std::tuple{DetailKind::kUrl, "blog", "https://b.example"},
        std::tuple{DetailKind::kIm, "work", "xmpp:ann@chat.example"},
        std::tuple{DetailKind::kCustom, "X-SHOE-SIZE", "38"}}) {
    more.kind = kind;
    more.label = label;
    more.value = value;
    web.Details.push_back(more);
  }
  data.persons.Insert(ann);
  const TextImport<Person> desktop = ImportByNames(LayoutExportText(data, ExportLayout::kOutlook));
  ASSERT_EQ(desktop.persons.size(), 1u);
  // The desktop layout's e-mail columns carry no type.
  Person untyped = ann;
  for (PersonDetail& detail : untyped.Details)
    if (detail.kind == DetailKind::kEmail) detail.label.clear();
  ExpectSamePerson(desktop.persons[0], untyped);
  EXPECT_TRUE(desktop.columnsNotImported.empty());

  data.persons.Clear();
  data.persons.Insert(web);
  const TextImport<Person> google = ImportByNames(LayoutExportText(data, ExportLayout::kGoogle));
  ASSERT_EQ(google.persons.size(), 1u);
  ExpectSamePerson(google.persons[0], web);
  EXPECT_TRUE(google.columnsNotImported.empty());
}

TEST(AddressBookExport, LayoutsAsWritten) {
  DocumentData data;
  Person bob;
  bob.ID = 1;
  bob.FName = "Bob";
  bob.LName = "Ray";
  bob.CelPhone = "555-0102";
  bob.Birthday = *PartialDate::Parse("--07-30");
  PersonDetail mail;
  mail.kind = DetailKind::kEmail;
  mail.label = "work";
  mail.value = "bob@work.example";
  bob.Details.push_back(mail);
  bob.EMail = "bob@home.example";
  data.persons.Insert(bob);
  Person moss;
  moss.ID = 2;
  moss.Company = "Moss & Co";
  moss.Anniversary = *PartialDate::Parse("2005-06-01");
  data.persons.Insert(moss);
  EXPECT_EQ(LayoutExportText(data, ExportLayout::kGoogle),
            "Name,Given Name,Additional Name,Family Name,Name Prefix,Name Suffix,Nickname,Birthday,Notes,"
            "E-mail 1 - Type,E-mail 1 - Value,E-mail 2 - Type,E-mail 2 - Value,Phone 1 - Type,Phone 1 - Value,"
            "Organization 1 - Type,Organization 1 - Name,Organization 1 - Title,Organization 1 - Department,"
            "Event 1 - Type,Event 1 - Value\n"
            "Bob Ray,Bob,,Ray,,,,--07-30,,,bob@home.example,Work,bob@work.example,Mobile,555-0102,,,,,,\n"
            ",,,,,,,,,,,,,,,,Moss & Co,,,Anniversary,2005-06-01\n");
  const std::string desktop = LayoutExportText(data, ExportLayout::kOutlook);
  EXPECT_EQ(desktop.substr(0, desktop.find('\n')),
            "Title,First Name,Middle Name,Last Name,Suffix,Company,Department,Job Title,Business Street,"
            "Business City,Business State,Business Postal Code,Business Country/Region,Home Street,Home City,"
            "Home State,Home Postal Code,Home Country/Region,Other Street,Other City,Other State,Other Postal Code,"
            "Other Country/Region,Business Fax,Business Phone,Business Phone 2,Home Fax,Home Phone,Home Phone 2,"
            "Mobile Phone,Other Fax,Other Phone,Pager,Anniversary,Birthday,E-mail Address,E-mail 2 Address,"
            "E-mail 3 Address,Notes,Web Page");
  EXPECT_EQ(desktop.substr(desktop.find('\n') + 1),
            ",Bob,,Ray,,,,,,,,,,,,,,,,,,,,,,,,,,555-0102,,,,,--07-30,bob@home.example,bob@work.example,,,\n"
            ",,,,,Moss & Co,,,,,,,,,,,,,,,,,,,,,,,,,,,,6/1/2005,,,,,,\n");
}

// Without an address of its own, a person's business address goes to the
// business block, and comes back as the address of the fields.
TEST(AddressBookExport, AnAddressGoesToTheBlockOfItsLabel) {
  DocumentData data;
  Person eve;
  eve.ID = 1;
  eve.FName = "Eve";
  eve.LName = "Stone";
  for (const auto& [label, street, city] : {std::tuple{"work", "Quay 9", "Cork"}, std::tuple{"other", "Elm 1", ""}}) {
    PersonDetail address;
    address.kind = DetailKind::kAddress;
    address.label = label;
    address.street = street;
    address.city = city;
    eve.Details.push_back(address);
  }
  data.persons.Insert(eve);
  const std::string text = LayoutExportText(data, ExportLayout::kOutlook);
  EXPECT_EQ(text.substr(text.find('\n') + 1), ",Eve,,Stone,,,,,Quay 9,Cork,,,,,,,,,Elm 1,,,,,,,,,,,,,,,,,,,,,\n");
  const TextImport<Person> back = ImportByNames(text);
  ASSERT_EQ(back.persons.size(), 1u);
  EXPECT_EQ(back.persons[0].Address, "Quay 9");
  EXPECT_EQ(back.persons[0].City, "Cork");
  EXPECT_EQ(Details(back.persons[0]), Strings{"address other=Elm 1|||||"});
}

}  // namespace
}  // namespace vimbo
