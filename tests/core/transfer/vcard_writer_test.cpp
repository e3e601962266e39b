// Cards written with every detail a person has, in both versions, and read
// back into the same person.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/transfer/vcard_reader.h"
#include "core/transfer/vcard_writer.h"
#include "vcard_test_support.h"

namespace vimbo {
namespace {

PersonDetail Address(std::string_view label, std::string_view street, std::string_view country) {
  PersonDetail detail = PersonDetail::Of(DetailKind::kAddress, label, {});
  detail.street = street;
  detail.city = "Town; Hill";
  detail.region = "RG";
  detail.postalCode = "0815";
  detail.country = country;
  return detail;
}

// A person with every kind of detail, in the order a card read back gives
// them: the main address's country, the name parts, the units, then the
// rest as written.
Person EveryDetail() {
  Person p;
  p.Title = "Dr.";
  p.FName = "Tom";
  p.LName = "Becker";
  p.Company = "Acme, Inc.";
  p.Position = "Head";
  p.Address = "1 Main St\r\nSuite 4";
  p.City = "Springfield";
  p.Zip = "62701";
  p.Phone = "555-1";
  p.WkPhone = "555-2";
  p.WkExt = "9";
  p.CelPhone = "555-3";
  p.EMail = "tom@example.com";
  p.WebPage = "https://tom.example/";
  p.Birthday = {1980, 4, 12};
  p.Anniversary = {0, 6, 30};
  p.Notes = "Met at the fair.\r\nLikes tea; not coffee.";
  p.Details = {
      PersonDetail::Of(DetailKind::kName, kMiddleLabel, "Jo"),
      PersonDetail::Of(DetailKind::kName, kPrefixLabel, "Prof."),
      PersonDetail::Of(DetailKind::kName, kSuffixLabel, "Jr."),
      PersonDetail::Of(DetailKind::kOrg, kUnitLabel, "Sales"),
      PersonDetail::Of(DetailKind::kPhone, "work,voice", "555-4 ext. 2"),
      PersonDetail::Of(DetailKind::kPhone, "", "tel:555-5"),
      PersonDetail::Of(DetailKind::kEmail, "work", "tom@work.example"),
      Address("work", "2 Elm Rd", "Deutschland"),
      PersonDetail::Of(DetailKind::kUrl, "blog", "https://blog.example/?a=1,b=2"),
      PersonDetail::Of(DetailKind::kUrl, "photo", "https://tom.example/me.jpg"),
      PersonDetail::Of(DetailKind::kIm, "home", "xmpp:tom@example.org"),
      PersonDetail::Of(DetailKind::kSip, "", "sip:tom@voip.example"),
      PersonDetail::Of(DetailKind::kSip, "work", "100@pbx.example"),
      PersonDetail::Of(DetailKind::kName, kNicknameLabel, "Tommy"),
      PersonDetail::Of(DetailKind::kCustom, "X-SHOE-SIZE", "44"),
      PersonDetail::Of(DetailKind::kCustom, "Favourite colour", "green"),
      PersonDetail::Of(DetailKind::kCustom, "TEL", "not a phone"),
  };
  PersonDetail photo = PersonDetail::Of(DetailKind::kPhoto, {}, "AQIDBA==");
  photo.type = "image/jpeg";
  p.Details.push_back(photo);
  p.SetCountry("USA");
  return p;
}

TEST(VCardWriter, WritesEveryDetailInBothVersions) {
  const Person p = EveryDetail();
  const std::string common =
      "N:Becker;Tom;Jo;Dr.,Prof.;Jr.\r\n"
      "ORG:Acme\\, Inc.;Sales\r\n"
      "TITLE:Head\r\n"
      "ADR;TYPE=home:;;1 Main St\\nSuite 4;Springfield;;62701;USA\r\n"
      "TEL;TYPE=home:555-1\r\n"
      "TEL;TYPE=work:555-2 ext. 9\r\n"
      "TEL;TYPE=cell:555-3\r\n"
      "EMAIL:tom@example.com\r\n"
      "URL:https://tom.example/\r\n"
      "TEL;TYPE=work,voice:555-4 ext. 2\r\n"
      "TEL;VALUE=text:tel:555-5\r\n"
      "EMAIL;TYPE=work:tom@work.example\r\n"
      "ADR;TYPE=work:;;2 Elm Rd;Town\\; Hill;RG;0815;Deutschland\r\n"
      "URL;TYPE=blog:https://blog.example/?a=1\\,b=2\r\n";
  const std::string rest =
      "IMPP;TYPE=home:xmpp:tom@example.org\r\n"
      "IMPP:sip:tom@voip.example\r\n"
      "X-SIP;TYPE=work:100@pbx.example\r\n"
      "NICKNAME:Tommy\r\n"
      "X-SHOE-SIZE:44\r\n"
      "X-CUSTOM;X-LABEL=\"Favourite colour\":green\r\n"
      "X-CUSTOM;X-LABEL=TEL:not a phone\r\n";
  EXPECT_EQ(VCardText({&p}), "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Tom Becker\r\n" + common +
                                 "PHOTO:https://tom.example/me.jpg\r\n" + rest +
                                 "PHOTO:data:image/jpeg;base64,AQIDBA==\r\n"
                                 "BDAY:19800412\r\n"
                                 "ANNIVERSARY:--0630\r\n"
                                 "NOTE:Met at the fair.\\nLikes tea\\; not coffee.\r\n"
                                 "END:VCARD\r\n");
  EXPECT_EQ(VCardText({&p}, VCardVersion::kThree), "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Tom Becker\r\n" + common +
                                                       "PHOTO;VALUE=uri:https://tom.example/me.jpg\r\n" + rest +
                                                       "PHOTO;ENCODING=b;TYPE=JPEG:AQIDBA==\r\n"
                                                       "BDAY:1980-04-12\r\n"
                                                       "X-ANNIVERSARY:--06-30\r\n"
                                                       "NOTE:Met at the fair.\\nLikes tea\\; not coffee.\r\n"
                                                       "END:VCARD\r\n");

  // The name as a phone shows it, whatever the person has of one.
  Person first;
  first.FName = "Ann";
  Person mail;
  mail.EMail = "bob@example.com";
  const std::string cards = VCardText({&first, &mail});
  EXPECT_NE(cards.find("FN:Ann\r\nN:;Ann;;;\r\n"), std::string::npos);
  EXPECT_NE(cards.find("FN:bob@example.com\r\nN:;;;;\r\n"), std::string::npos);
}

TEST(VCardRoundTrip, GivesEveryDetailKindBack) {
  const Person every = EveryDetail();
  Person photoOnly;
  PersonDetail photo = PersonDetail::Of(DetailKind::kPhoto, {}, "/9j/4AAQSkZJRg==");
  photo.type = "image/png";
  photoOnly.Details = {photo};
  Person companyOnly;
  companyOnly.Company = "Acme";
  companyOnly.Details = {PersonDetail::Of(DetailKind::kOrg, kUnitLabel, "R&D"),
                         PersonDetail::Of(DetailKind::kOrg, kUnitLabel, "Lab 2")};
  Person countryOnly;
  countryOnly.LName = "Far";
  countryOnly.SetCountry("Japan");
  countryOnly.Birthday = {0, 2, 29};
  const std::vector<const Person*> persons = {&every, &photoOnly, &companyOnly, &countryOnly};
  for (const VCardVersion version : {VCardVersion::kFour, VCardVersion::kThree}) {
    const VCardImport read = ReadVCards(VCardText(persons, version));
    EXPECT_TRUE(read.problems.empty());
    ASSERT_EQ(read.persons.size(), persons.size());
    for (std::size_t i = 0; i < persons.size(); ++i)
      EXPECT_EQ(testing::Describe(read.persons[i]), testing::Describe(*persons[i])) << i;
  }
}

}  // namespace
}  // namespace vimbo
