#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/records/field_tables.h"
#include "core/transfer/vcard_reader.h"
#include "core/transfer/vcard_writer.h"

namespace vimbo {
namespace {

std::string Fixture(const std::string& name) {
  std::ifstream file(std::string(VIMBO_VCARD_FIXTURES) + "/" + name, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

// The fields of a person as "Name=value" lines, the empty ones left out.
std::string Fields(const Person& person) {
  std::string text;
  for (const RecordField<Person>& field : kPersonFields)
    if (!(person.*field.member).empty())
      text.append(field.fileName).append("=").append((person.*field.member).view()).append("\n");
  return text;
}

TEST(VCardReader, ReadsCardsAsAddressBooksWriteThem) {
  struct Case {
    const char* file;
    std::vector<std::string> persons;
    int unreadable;
  };
  const Case cases[] = {
      {"v21_phone.vcf",
       {"Title=Dr.\nFName=J\xC3\xBCrgen\nLName=M\xC3\xBCller\nAddress=Hauptstra\xC3\x9F"
        "e 5\r\nHinterhaus\n"
        "City=Berlin\nZip=10115\nPhone=+49 30 1234567\nWkPhone=+49 30 7654321\nCelPhone=+49 170 1112223\n"
        "Fax=+49 30 7654322\nEMail=juergen@example.de\nCompany=M\xC3\xBCller & S\xC3\xB6hne\n"
        "Position=Gesch\xC3\xA4"
        "ftsf\xC3\xBChrer\n"},
       0},
      {"v30_groups.vcf",
       {"FName=David\nLName=Okafor\nAddress=1020 Main Street\r\nSuite 4\nCity=Springfield\nState=IL\nZip=62701\n"
        "WkPhone=(217) 555-0108\nWkExt=12\nCelPhone=(217) 555-0100\nEMail=david@okafor.example\n"
        "WebPage=https://okafor.example/\nCompany=Okafor, Lee & Partners\n"},
       0},
      {"v40_pref.vcf",
       {"Title=M.\nFName=\xC3\x89tienne\nLName=Lef\xC3\xA8vre\nAddress=12 rue de la Paix\r\nB\xC3\xA2timent C\n"
        "City=Paris\nState=\xC3\x8Ele-de-France\nZip=75002\nPhone=+33-1-23-45-67-89\nPager=+33 6 00 00 00 01\n"
        "CelPhone=+33-6-55-66-77-88\nEMail=etienne@home.example\nWebPage=https://etienne.example/\n"},
       0},
      {"broken.vcf",
       {"FName=First\nLName=Good\n", "FName=SoftBreakBeforeEnd\nLName=Broken\nPhone=555\n", "FName=Third\nLName=Good\n",
        "FName=Only A Formatted\nLName=Name\n"},
       4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string text = Fixture(c.file);
    ASSERT_FALSE(text.empty());
    EXPECT_TRUE(LooksLikeVCard(text));
    const VCardImport read = ReadVCards(text);
    std::vector<std::string> persons;
    for (const Person& person : read.persons) persons.push_back(Fields(person));
    EXPECT_EQ(persons, c.persons);
    EXPECT_EQ(read.unreadable, c.unreadable);
  }
  EXPECT_FALSE(LooksLikeVCard("\n  \nFirstName,LastName\nBEGIN:VCARD\n"));
}

TEST(VCardWriter, WritesVersionFourByteForByte) {
  Person p;
  p.Title = "Dr.";
  p.FName = "J\xFCrgen";  // Windows-1252, written as UTF-8
  p.LName = "M\xC3\xBCller; Jr.";
  p.Company = "A, B & C";
  p.Position = "Head\\of";
  p.Address = "1 Main St\r\nApt 2";
  p.City = "Town";
  p.Zip = "12345";
  p.Phone = "555-1";
  p.WkPhone = "555-2";
  p.WkExt = "9";
  p.Fax = "555-3";
  // Long enough to fold, with a two-byte character across the 75th octet.
  p.WebPage = "https://example.com/" + std::string(50, 'x') +
              "\xC3\xA9"
              "end";
  Person company;
  company.Company = "Acme";
  EXPECT_EQ(VCardText({&p, &company}),
            "BEGIN:VCARD\r\nVERSION:4.0\r\n"
            "FN:J\xC3\xBCrgen M\xC3\xBCller\\; Jr.\r\n"
            "N:M\xC3\xBCller\\; Jr.;J\xC3\xBCrgen;;Dr.;\r\n"
            "ORG:A\\, B & C\r\n"
            "TITLE:Head\\\\of\r\n"
            "ADR;TYPE=home:;;1 Main St\\nApt 2;Town;;12345;\r\n"
            "TEL;TYPE=home:555-1\r\n"
            "TEL;TYPE=work:555-2 ext. 9\r\n"
            "TEL;TYPE=fax:555-3\r\n"
            "URL:https://example.com/" +
                std::string(50, 'x') +
                "\r\n \xC3\xA9"
                "end\r\n"
                "END:VCARD\r\n"
                "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Acme\r\nN:;;;;\r\nORG:Acme\r\nEND:VCARD\r\n");
}

// Every field back byte for byte, over persons made of separators, line
// breaks and text of several scripts.
TEST(VCardRoundTrip, GivesEveryFieldBack) {
  const std::vector<std::string> pieces = {
      "a",    "Z", " ",    ",",        ";",        "\\",           ":",
      "\"",   "=", "\r\n", "\xC3\xA9", "\xD0\x96", "\xE4\xB8\xAD", "\xF0\x9F\x98\x80",
      "tel:", "0"};
  std::mt19937 random(20261207);
  std::vector<Person> persons(200);
  for (Person& person : persons) {
    for (const RecordField<Person>& field : kPersonFields) {
      std::string text;
      const int length = static_cast<int>(random() % 40);
      for (int i = 0; i < length; ++i) text += pieces[random() % pieces.size()];
      person.*field.member = text;
    }
    if (person.LName.empty()) person.LName = "L";
    // " ext. " is what parts the work number from its extension.
    if (person.WkPhone.view().find(" ext. ") != std::string_view::npos) person.WkPhone = "1";
  }
  std::vector<const Person*> written;
  written.reserve(persons.size());
  for (const Person& person : persons) written.push_back(&person);
  const VCardImport read = ReadVCards(VCardText(written));
  ASSERT_EQ(read.persons.size(), persons.size());
  EXPECT_EQ(read.unreadable, 0);
  for (std::size_t i = 0; i < persons.size(); ++i) EXPECT_EQ(Fields(read.persons[i]), Fields(persons[i])) << i;
}

}  // namespace
}  // namespace vimbo
