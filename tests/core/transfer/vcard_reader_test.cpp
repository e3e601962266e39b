// Cards as phones, mail programs and web address books write them, read into
// the seventeen fields and the details beside them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/transfer/base64_text.h"
#include "core/transfer/vcard_reader.h"
#include "vcard_test_support.h"

namespace vimbo {
namespace {

using testing::Describe;

std::string Card(const std::string& version, const std::string& body) {
  return "BEGIN:VCARD\nVERSION:" + version + "\n" + body + "END:VCARD\n";
}

// The persons read, each described, and the problems said.
std::string Read(const std::string& text) {
  const VCardImport read = ReadVCards(text);
  std::string described;
  for (const Person& person : read.persons) described += Describe(person) + "--\n";
  for (const std::string& problem : read.problems) described += problem + "\n";
  return described;
}

TEST(VCardReader, KeepsEveryPropertyInAFieldOrADetail) {
  const struct {
    const char* what;
    std::string card;
    std::string person;
  } cases[] = {
      {"phones: the first or preferred of a kind to its field, the rest kept with their types",
       Card("3.0",
            "N:Becker;Tom;Jo,Ann;Dr.,Prof.;Jr.\nTEL;TYPE=home:1\nTEL;TYPE=work,voice:2\nTEL;TYPE=cell:3\n"
            "TEL;TYPE=HOME;TYPE=VOICE:4\nTEL;TYPE=pager:5\nTEL;TYPE=work,fax:6\nTEL;TYPE=cell;PREF=1:7\nTEL:8\n"),
       "Title=Dr.\nFName=Tom\nLName=Becker\nPhone=1\nWkPhone=2\nPager=5\nCelPhone=7\nFax=6\n"
       "name[middle]=Jo\nname[middle]=Ann\nname[prefix]=Prof.\nname[suffix]=Jr.\nphone[cell]=3\n"
       "phone[home,voice]=4\nphone[]=8\n"},
      {"tel: addresses as numbers, their extension kept",
       Card(
           "4.0",
           "FN:Ann Lee\nTEL;VALUE=uri;TYPE=work:tel:+1-555-0100;ext=12\nTEL;VALUE=uri;TYPE=work:tel:+1-555-0199;ext=7\n"
           "TEL;VALUE=uri;TYPE=cell:tel:+1-555-0101\nTEL;VALUE=text:tel:not an address\n"),
       "FName=Ann\nLName=Lee\nPhone=tel:not an address\nWkPhone=+1-555-0100\nWkExt=12\nCelPhone=+1-555-0101\n"
       "phone[work]=+1-555-0199 ext. 7\n"},
      {"e-mails, addresses with their country, web addresses",
       Card("3.0",
            "N:Lee;Ann;;;\nEMAIL;TYPE=INTERNET,HOME:ann@home.example\nEMAIL;TYPE=work:ann@work.example\n"
            "ADR;TYPE=work:PO Box 7;Suite 4;1 Main St;Springfield;IL;62701;USA\n"
            "ADR;TYPE=home:;;2 Elm Rd;Shelbyville;;62565;USA\nURL:https://ann.example/\n"
            "URL;TYPE=work:https://work.example/\n"),
       "FName=Ann\nLName=Lee\nAddress=1 Main St\r\nSuite 4\r\nPO Box 7\nCity=Springfield\nState=IL\nZip=62701\n"
       "EMail=ann@home.example\nWebPage=https://ann.example/\naddress[]=|||||USA\nemail[work]=ann@work.example\n"
       "address[home]=|2 Elm Rd|Shelbyville||62565|USA\nurl[work]=https://work.example/\n"},
      {"dates, notes, nicknames, units, messaging, custom properties; a name that repeats the company",
       Card("4.0",
            "FN:Acme Corp\nORG:Acme Corp;Sales;EMEA\nTITLE:Manager\nTITLE:Chair\nBDAY:--0412\nANNIVERSARY:20100612\n"
            "X-ANNIVERSARY:2011-01-01\nBDAY:circa 1900\nNOTE:First line\\nsecond\\, with comma\nNOTE:Another\n"
            "NICKNAME:Ace,Boss\nIMPP;TYPE=home:xmpp:ann@example.org\nIMPP:sip:ann@voip.example\n"
            "X-SIP:100@pbx.example\nX-SHOE-SIZE:42\nROLE:Lead\nitem1.X-ABLabel:Dog\nUID:urn:uuid:1\nPRODID:-//x\n"
            "REV:20200101T000000Z\n"),
       "Company=Acme Corp\nPosition=Manager\nBirthday=--04-12\nAnniversary=2010-06-12\n"
       "Notes=First line\r\nsecond, with comma\r\nAnother\norg[unit]=Sales\norg[unit]=EMEA\ncustom[TITLE]=Chair\n"
       "custom[X-ANNIVERSARY]=2011-01-01\ncustom[BDAY]=circa 1900\nname[nickname]=Ace\nname[nickname]=Boss\n"
       "im[home]=xmpp:ann@example.org\nsip[]=sip:ann@voip.example\nsip[]=100@pbx.example\n"
       "custom[X-SHOE-SIZE]=42\ncustom[ROLE]=Lead\ncustom[X-ABLABEL]=Dog\n"},
      {"photos inline in each version's way, a photo's address as a web address",
       Card("3.0",
            "N:Pic;Ann\nPHOTO;ENCODING=b;TYPE=JPEG:AQID\nPHOTO:data:image/png;base64,BA\n UG\n"
            "PHOTO;VALUE=uri:https://example.com/ann.jpg\nPHOTO;ENCODING=b;TYPE=GIF:@@@@\n"),
       "FName=Ann\nLName=Pic\nphoto[]=AQID image/jpeg\nphoto[]=BAUG image/png\nurl[photo]=https://example.com/ann.jpg\n"
       "--\nline 8: photo that is not base64 left out\n"},
      {"no name but an e-mail address: listed by it", Card("4.0", "FN:bob@example.com\nEMAIL:bob@example.com\n"),
       "EMail=bob@example.com\n"},
      {"no name but a phone", Card("2.1", "TEL;CELL:+1 555 0100\n"), "CelPhone=+1 555 0100\n"},
      {"one word is a last name", Card("3.0", "FN:  Madonna \n"), "LName=Madonna\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::string expected = c.person;
    if (expected.find("--\n") == std::string::npos) expected += "--\n";
    EXPECT_EQ(Read(c.card), expected);
  }
}

// The same card with every line end phones and programs write, with folds,
// soft line breaks, and the odd lines the readers of phones let pass.
TEST(VCardReader, ToleratesLineEndsFoldsAndOddLines) {
  const std::string lines =
      "BEGIN:VCARD\n"
      "VERSION:2.1\n"
      "# written by a phone\n"
      "N;ENCODING=QUOTED-PRINTABLE;CHARSET=UTF-8:M=C3=BC=\n"
      "ller;Ann\n"
      "NOTE;ENCODING=QUOTED-PRINTABLE;CHARSET=UTF-8:caf=C\n"
      " 3=A9 and caf=\n"
      " C3=A9=0D=0Anext line\n"
      "ORG:Folded\n"
      "\t Company\n"
      "ADR;HOME:;;1 Main St\\\n"
      "2nd floor;Town;;;\n"
      "PHOTO;ENCODING=BASE64;TYPE=JPEG:AQID\n"
      "BAUG\n"
      "\n"
      "EMAIL:ann@example.com\n"
      "END:VCARD\n";
  const std::string expected =
      "FName=Ann\nLName=M\xC3\xBCller\nAddress=1 Main St\r\n2nd floor\nCity=Town\nEMail=ann@example.com\n"
      "Company=Folded Company\nNotes=caf\xC3\xA9 and caf\xC3\xA9\r\nnext line\nphoto[]=AQIDBAUG image/jpeg\n--\n";
  for (const std::string lineEnd : {"\n", "\r\n", "\r", "\r\r\n"}) {
    std::string text;
    for (const char c : lines) text += c == '\n' ? lineEnd : std::string(1, c);
    EXPECT_EQ(Read(text), expected) << ::testing::PrintToString(lineEnd);
  }
  // A value folded over 100,000 lines, and a soft line break chain as long.
  std::string folded = "BEGIN:VCARD\r\nN:Long\r\nNOTE:";
  std::string chain = "BEGIN:VCARD\r\nN:Long\r\nNOTE;QUOTED-PRINTABLE:";
  for (int i = 0; i < 100000; ++i) {
    folded += "abcdefghij\r\n ";
    chain += "abc=3D=\r\n";
  }
  for (std::string* text : {&folded, &chain}) text->append("end\r\nEND:VCARD\r\n");
  EXPECT_EQ(ReadVCards(folded).persons.at(0).Notes.size(), 1000003u);
  EXPECT_EQ(ReadVCards(chain).persons.at(0).Notes.size(), 400003u);
}

TEST(VCardReader, ConvertsEveryDeclaredCharset) {
  const struct {
    const char* charset;
    const char* quotedPrintable;
    const char* utf8;
  } cases[] = {
      {"ISO-8859-1", "=4A=FC=72=67=65=6E", "J\xC3\xBCrgen"},
      {"ISO-8859-2", "=A3=F3=64=BC",
       "\xC5\x81\xC3\xB3"
       "d\xC5\xBA"},
      {"ISO-8859-7", "=C5=F5=DC=E3=E3=E5=EB=EF=F2",
       "\xCE\x95\xCF\x85\xCE\xAC\xCE\xB3\xCE\xB3\xCE\xB5\xCE\xBB\xCE\xBF\xCF\x82"},
      {"windows-1250", "=44=76=6F=F8=E1=6B", "Dvo\xC5\x99\xC3\xA1k"},
      {"windows-1251", "=C6=E0=ED=ED=E0", "\xD0\x96\xD0\xB0\xD0\xBD\xD0\xBD\xD0\xB0"},
      {"windows-1252", "=80=41",
       "\xE2\x82\xAC"
       "A"},
      {"KOI8-R", "=F6=C1=CE=CE=C1", "\xD0\x96\xD0\xB0\xD0\xBD\xD0\xBD\xD0\xB0"},
      {"koi8-u", "=B7=D6=C1=CB", "\xD0\x87\xD0\xB6\xD0\xB0\xD0\xBA"},
      {"Shift_JIS", "=8E=52=93=63", "\xE5\xB1\xB1\xE7\x94\xB0"},
      // The second byte of this character is a backslash: converted before
      // any escape is read.
      {"Shift_JIS", "=95=5C", "\xE8\xA1\xA8"},
      {"EUC-JP", "=BB=B3=C5=C4", "\xE5\xB1\xB1\xE7\x94\xB0"},
      {"GB2312", "=CD=F5=CE=B0", "\xE7\x8E\x8B\xE4\xBC\x9F"},
      {"GBK", "=CD=F5=CE=B0", "\xE7\x8E\x8B\xE4\xBC\x9F"},
      {"GB18030", "=CD=F5=CE=B0", "\xE7\x8E\x8B\xE4\xBC\x9F"},
      {"Big5", "=B3=AF=A4=6A=A4=E5", "\xE9\x99\xB3\xE5\xA4\xA7\xE6\x96\x87"},
      {"EUC-KR", "=B1=E8=B9=CE=BC=F6", "\xEA\xB9\x80\xEB\xAF\xBC\xEC\x88\x98"},
      {"UTF-16", "=FE=FF=00=5A=00=6F=00=EB", "Zo\xC3\xAB"},
      {"UTF-32LE", "=5A=00=00=00=EB=00=00=00", "Z\xC3\xAB"},
      {"UTF-8", "=5A=6F=C3=AB", "Zo\xC3\xAB"},
      // Undeclared and unknown sets: UTF-8 when it is, else Windows-1252;
      // a set whose bytes do not fit, the same.
      {"", "=5A=6F=C3=AB", "Zo\xC3\xAB"},
      {"", "=5A=6F=EB", "Zo\xC3\xAB"},
      {"x-unknown", "=5A=6F=EB", "Zo\xC3\xAB"},
      {"UTF-8//IGNORE", "=5A=6F=EB", "Zo\xC3\xAB"},
      {"Shift_JIS", "=5A=6F=EB", "Zo\xC3\xAB"},
  };
  for (const auto& c : cases) {
    const std::string charset = *c.charset ? std::string(";CHARSET=") + c.charset : "";
    const std::string text = Card("2.1", std::string("N")
                                             .append(charset)
                                             .append(";ENCODING=QUOTED-PRINTABLE:")
                                             .append(c.quotedPrintable)
                                             .append("\nNOTE")
                                             .append(charset)
                                             .append(":x\n"));
    EXPECT_EQ(Read(text), std::string("LName=") + c.utf8 + "\nNotes=x\n--\n") << c.charset << " " << c.quotedPrintable;
  }

  // A whole file in UTF-16 or UTF-32 with its byte order mark.
  const std::string card = "BEGIN:VCARD\r\nN:Zo\xC3\xAB;Ann\r\nEND:VCARD\r\n";
  const auto wide = [&](std::string mark, int width, bool little) {
    std::string bytes = std::move(mark);
    for (const char32_t c : std::u32string{U"BEGIN:VCARD\r\nN:Zo\u00EB;Ann\r\nEND:VCARD\r\n"})
      for (int i = 0; i < width; ++i) {
        const int shift = 8 * (little ? i : width - 1 - i);
        bytes += static_cast<char>((c >> shift) & 0xFF);
      }
    return bytes;
  };
  for (const std::string& file :
       {wide("\xFF\xFE", 2, true), wide("\xFE\xFF", 2, false), wide(std::string("\xFF\xFE\0\0", 4), 4, true),
        wide(std::string("\0\0\xFE\xFF", 4), 4, false), "\xEF\xBB\xBF" + card}) {
    EXPECT_TRUE(LooksLikeVCard(file));
    EXPECT_EQ(Read(file), "FName=Ann\nLName=Zo\xC3\xAB\n--\n");
  }
}

TEST(VCardReader, NamesTheCardsItSkipsByLine) {
  const std::string photo = Base64Encode(std::string(kLargestPhoto + 1, 'x'));
  const std::string text =
      "BEGIN:VCARD\nN:Good;First\nEND:VCARD\n"                   // 1-3
      "BEGIN:VCARD\nN:Broken;NoColon\nno property\nEND:VCARD\n"  // 4-7
      "BEGIN:VCARD\n fold onto nothing\nEND:VCARD\n"             // 8-10
      "BEGIN:VCARD\nVERSION:3.0\nUID:1\nEND:VCARD\n"             // 11-14
      "BEGIN:VCARD\nN:No;End\n"                                  // 15-16
      "BEGIN:VCARD\nN:Big;Photo\nPHOTO;ENCODING=b:" +
      photo +
      "\nEND:VCARD\n"  // 17-20
      "END:VCARD\n"
      "BEGIN:VCARD\nN:At;TheEnd\n";  // 22-23
  const VCardImport read = ReadVCards(text);
  EXPECT_TRUE(read.foundCard);
  ASSERT_EQ(read.persons.size(), 2u);
  EXPECT_EQ(read.persons[1].LName, "Big");
  EXPECT_TRUE(read.persons[1].Details.empty());
  EXPECT_EQ(read.unreadable, 5);
  EXPECT_EQ(read.problems, (std::vector<std::string>{
                               "line 6: card has a line that is no property",
                               "line 9: card has a fold with nothing to continue",
                               "line 11: card holds nothing",
                               "line 15: card has no END",
                               "line 19: photo larger than 1 MB left out",
                               "line 22: card has no END",
                           }));

  for (const std::string none : {"", "\r\n\r\n", "Name,Phone\nAnn,555\n", "END:VCARD\nN:Lee\n"}) {
    const VCardImport nothing = ReadVCards(none);
    EXPECT_FALSE(nothing.foundCard);
    EXPECT_TRUE(nothing.persons.empty());
    EXPECT_FALSE(LooksLikeVCard(none));
  }
}

}  // namespace
}  // namespace vimbo
