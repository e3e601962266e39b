#include <gtest/gtest.h>

#include <string>

#include "core/document/document_writer.h"
#include "support/temp_dir.h"

namespace vimbo {
namespace {

constexpr const char* kEmptyUser =
    "\t\t<User>\n"
    "\t\t\t<Title></Title>\n\t\t\t<FName></FName>\n\t\t\t<LName></LName>\n\t\t\t<Address></Address>\n"
    "\t\t\t<City></City>\n\t\t\t<State></State>\n\t\t\t<Zip></Zip>\n\t\t\t<HmPhone></HmPhone>\n"
    "\t\t\t<CelPhone></CelPhone>\n\t\t\t<WkPhone></WkPhone>\n\t\t\t<WkExt></WkExt>\n\t\t\t<Fax></Fax>\n"
    "\t\t\t<EMail></EMail>\n\t\t\t<WebPage></WebPage>\n\t\t\t<Company></Company>\n\t\t\t<Position></Position>\n"
    "\t\t</User>\n";

DocumentData NewDocument() {
  DocumentData data;
  data.Clear();
  data.AddDefaultContactTypes();
  return data;
}

TEST(DocumentWriter, NewDocumentBytes) {
  DocumentData data = NewDocument();
  const std::string expected =
      std::string("<?xml version=\"1.0\"?>\n<Vimbo Version=\"12\">\n") + kEmptyUser +
      "\t<Persons LastID=\"0\">\n\t</Persons>\n"
      "\t<Contacts LastID=\"0\">\n\t</Contacts>\n"
      "\t<ContactTypes LastID=\"4\">\n"
      "\t\t<ContactType ID=\"1\">\n\t\t\t<Description>Telephone</Description>\n\t\t</ContactType>\n"
      "\t\t<ContactType ID=\"2\">\n\t\t\t<Description>E-Mail</Description>\n\t\t</ContactType>\n"
      "\t\t<ContactType ID=\"3\">\n\t\t\t<Description>Personal</Description>\n\t\t</ContactType>\n"
      "\t\t<ContactType ID=\"4\">\n\t\t\t<Description>Correspondence</Description>\n"
      "\t\t</ContactType>\n"
      "\t</ContactTypes>\n"
      "</Vimbo>\n";
  data.version = 7;
  EXPECT_EQ(DocumentText(data), expected) << "an older document is written in the current version";
  EXPECT_EQ(data.version, 7) << "writing leaves the data as it was";
}

TEST(DocumentWriter, PersonAndContactFieldsInFileOrder) {
  DocumentData data;
  Person person;
  person.ID = 7;
  const char* values[] = {"Mr",    "Ann",   "Lee",   "Acme",  "Boss",    "1 Main St\r\nApt 2",
                          "Town",  "ST",    "12345", "555-1", "555-2",   "9",
                          "555-3", "555-4", "555-5", "a@b.c", "http://x"};
  CompactText* fields[] = {&person.Title,   &person.FName,  &person.LName,    &person.Company, &person.Position,
                           &person.Address, &person.City,   &person.State,    &person.Zip,     &person.Phone,
                           &person.WkPhone, &person.WkExt,  &person.CelPhone, &person.Pager,   &person.Fax,
                           &person.EMail,   &person.WebPage};
  for (int i = 0; i < 17; ++i) *fields[i] = values[i];
  data.persons.Insert(person);
  data.persons.LastID = 7;
  Contact contact;
  contact.ID = 3;
  contact.PersonID = 7;
  contact.ContactTypeID = -2;
  contact.Description = "Lunch";
  contact.DateTime.SetDateTime(2004, 3, 7, 14, 5, 9);
  data.contacts.Insert(contact);
  data.contacts.LastID = 3;

  const std::string text = DocumentText(data);
  EXPECT_NE(text.find("\t<Persons LastID=\"7\">\n"
                      "\t\t<Person ID=\"7\">\n"
                      "\t\t\t<Title>Mr</Title>\n\t\t\t<FName>Ann</FName>\n\t\t\t<LName>Lee</LName>\n"
                      "\t\t\t<Address>1 Main St\r\nApt 2</Address>\n\t\t\t<City>Town</City>\n"
                      "\t\t\t<State>ST</State>\n\t\t\t<Zip>12345</Zip>\n\t\t\t<Phone>555-1</Phone>\n"
                      "\t\t\t<WkPhone>555-2</WkPhone>\n\t\t\t<WkExt>9</WkExt>\n\t\t\t<Pager>555-4</Pager>\n"
                      "\t\t\t<CelPhone>555-3</CelPhone>\n\t\t\t<Fax>555-5</Fax>\n\t\t\t<EMail>a@b.c</EMail>\n"
                      "\t\t\t<WebPage>http://x</WebPage>\n\t\t\t<Company>Acme</Company>\n"
                      "\t\t\t<Position>Boss</Position>\n"
                      "\t\t</Person>\n"
                      "\t</Persons>\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("\t<Contacts LastID=\"3\">\n"
                      "\t\t<Contact ID=\"3\">\n"
                      "\t\t\t<PersonID>7</PersonID>\n"
                      "\t\t\t<DateTime>3/7/2004 2:05:09 PM</DateTime>\n"
                      "\t\t\t<Description>Lunch</Description>\n"
                      "\t\t\t<ContactTypeID>-2</ContactTypeID>\n"
                      "\t\t</Contact>\n"
                      "\t</Contacts>\n"),
            std::string::npos)
      << text;
}

TEST(DocumentWriter, EscapesTheFiveMarkupCharactersOnly) {
  DocumentData data;
  ContactType type;
  type.ID = 1;
  type.Description = "a<b & \"c\" 'd' >\t\r\n\xe9\x01";
  data.contactTypes.Insert(type);
  const std::string text = DocumentText(data);
  EXPECT_NE(text.find("<Description>a&lt;b &amp; &quot;c&quot; &apos;d&apos; &gt;\t\r\n\xe9\x01</Description>"),
            std::string::npos);
}

TEST(DocumentWriter, AZeroByteIsWrittenAsAReference) {
  DocumentData data;
  data.user.FName = std::string("a\0b", 3);
  EXPECT_NE(DocumentText(data).find("<FName>a&#0;b</FName>"), std::string::npos);
}

// The escaping searches several bytes at a time; a markup character must be
// found wherever it falls in a block, and a long run of them must not
// overflow the room set aside for the text.
TEST(DocumentWriter, EscapesAtEveryPositionAndInLongRuns) {
  const auto escapedOnce = [](char c) -> std::string {
    switch (c) {
      case '&': return "&amp;";
      case '<': return "&lt;";
      case '>': return "&gt;";
      case '\'': return "&apos;";
      case '"': return "&quot;";
      case '\0': return "&#0;";
      default: return std::string(1, c);
    }
  };
  for (const char special : {'&', '<', '>', '\'', '"', '\0'}) {
    for (std::size_t length = 1; length <= 40; ++length) {
      for (std::size_t at = 0; at < length; ++at) {
        std::string field(length, 'x');
        field[at] = special;
        DocumentData data;
        data.user.City = field;
        const std::string expected = std::string(at, 'x') + escapedOnce(special) + std::string(length - at - 1, 'x');
        ASSERT_NE(DocumentText(data).find("<City>" + expected + "</City>"), std::string::npos)
            << "length " << length << ", at " << at;
      }
    }
  }

  DocumentData data;
  data.user.Company = std::string(1'000'000, '"');
  std::string expected;
  for (int i = 0; i < 1'000'000; ++i) expected += "&quot;";
  EXPECT_NE(DocumentText(data).find("<Company>" + expected + "</Company>"), std::string::npos);
}

TEST(DocumentWriter, RecordsInAscendingIdAndDatesInTheirForms) {
  DocumentData data;
  for (int32_t id : {30, -4, 12}) {
    Contact contact;
    contact.ID = id;
    data.contacts.Insert(contact);
  }
  data.contacts.Erase(12);
  Contact midnight;
  midnight.ID = 5;
  midnight.DateTime.SetDateTime(2010, 12, 31, 0, 0, 0);
  data.contacts.Insert(midnight);
  Contact undated;
  undated.ID = 6;
  undated.DateTime = DateTimeValue();
  data.contacts.Insert(undated);

  const std::string text = DocumentText(data);
  const auto at = [&](const char* needle) { return text.find(needle); };
  EXPECT_LT(at("<Contact ID=\"-4\">"), at("<Contact ID=\"5\">"));
  EXPECT_LT(at("<Contact ID=\"5\">"), at("<Contact ID=\"6\">"));
  EXPECT_LT(at("<Contact ID=\"6\">"), at("<Contact ID=\"30\">"));
  EXPECT_EQ(at("<Contact ID=\"12\">"), std::string::npos);
  EXPECT_NE(at("<DateTime>12/31/2010</DateTime>"), std::string::npos) << "midnight has no time part";
  EXPECT_NE(at("<DateTime></DateTime>"), std::string::npos) << "an invalid date is an empty element";
}

TEST(DocumentWriter, WriteReplacesTheFileWithTheText) {
  testing::TempDir dir;
  const std::string path = dir.File("a.tch");
  testing::WriteBytes(path, std::string(100000, 'x'));
  DocumentData data = NewDocument();
  ASSERT_TRUE(Write(data, path).IsDone());
  EXPECT_EQ(testing::ReadBytes(path), DocumentText(data));
}

// A large document reaches the file in many pieces; together they must be
// exactly the text, whatever the sizes of the records and fields.
TEST(DocumentWriter, ALargeDocumentIsWrittenWhole) {
  testing::TempDir dir;
  const std::string path = dir.File("large.tch");
  DocumentData data = NewDocument();
  for (int32_t id = 1; id <= 3000; ++id) {
    Person person;
    person.ID = id;
    person.LName = "Name & " + std::to_string(id);
    person.Address = std::string(static_cast<std::size_t>(id % 300), '<');
    data.persons.Insert(person);
    Contact contact;
    contact.ID = id;
    contact.PersonID = id;
    contact.Description = std::string(static_cast<std::size_t>(id * 7 % 1000), 'n');
    data.contacts.Insert(contact);
  }
  data.user.Address = std::string(700'000, '>');
  ASSERT_TRUE(Write(data, path).IsDone());
  EXPECT_EQ(testing::ReadBytes(path), DocumentText(data));
}

}  // namespace
}  // namespace vimbo
