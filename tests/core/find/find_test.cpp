#include "core/find/find.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/find/text_fold.h"
#include "core/find/text_search.h"

namespace vimbo {
namespace {

TEST(Find, FoldsTextAsTheFormShowsIt) {
  struct Case {
    std::string bytes;
    std::string folded;
  };
  const Case cases[] = {
      {"M\xC3\xBCller", "muller"},  // UTF-8
      {"M\xFCller", "muller"},      // Windows-1252
      {"\xC9tienne Stra\xDF"
       "e",
       "etienne strasse"},                              // Windows-1252
      {"\xC3\x89TIENNE \xC3\x86sop", "etienne aesop"},  // UTF-8
      {"Mu\xCC\x88ller", "muller"},                     // a combining diaeresis
      {"\x8A\x8C\x9F \x80", "soey \xE2\x82\xAC"},       // 1252's own letters; the euro sign kept
      {"\xD0\x9F\xD0\x81\xD0\xA2\xD0\xA0", "\xD0\xBF\xD0\xB5\xD1\x82\xD1\x80"},  // ПЁТР
      {"\xCE\xA9mega 5\xC3\x97"
       "3",
       "\xCF\x89mega 5\xC3\x97"
       "3"},  // Ωmega 5×3
      // Greek: tonos and dialytika dropped, final sigma as any other.
      {"Ευάγγελος ΆΈΉΊΌΎΏ ΪΫ ΐΰ άέήίόύώ ϊϋ ΣΩ", "ευαγγελοσ αεηιουω ιυ ιυ αεηιουω ιυ σω"},
      {"Ευα\xCC\x81γγελος", "ευαγγελοσ"},                                             // a combining tonos
      {"ἈΘῆΝΑΙ Ὀδυσσεύς ᾠδή ῥήτωρ \xE1\xBD\xB1 ῾", "αθηναι οδυσσευσ ωδη ρητωρ α ῾"},  // polytonic; U+1F71
      {"\xCD\xBE \xCE\x87 \xCE\x8B", "\xCD\xBE \xCE\x87 \xCE\x8B"},  // the Greek question mark, ano teleia, a gap
      {"", ""},
  };
  for (const Case& c : cases) {
    std::string folded;
    AppendFolded(c.bytes, folded);
    EXPECT_EQ(folded, c.folded) << c.bytes;
  }
  EXPECT_EQ(QueryWords("  Ok  ok\tM\xC3\x9CLLER \xCC\x88 "), (std::vector<std::string>{"ok", "muller"}));
  EXPECT_EQ(QueryWords("b a B c A muller b M\xFCller"), (std::vector<std::string>{"b", "a", "c", "muller"}));
}

bool Contains(std::string_view text, std::string_view word, bool& ascii) {
  return FindAsciiCaseless(text, word, ascii) != std::string_view::npos;
}

TEST(Find, CaselessSearchFindsEveryPlaceAndSeesEveryByte) {
  // Places before, across and after each sixteen-byte block, and near misses;
  // a byte past ASCII anywhere, the last one included, is seen.
  const std::string text(100, '.');
  bool ascii = false;
  for (std::size_t at : {0U, 15U, 16U, 31U, 47U, 93U}) {
    std::string placed = text;
    placed.replace(at, 7, "ShElVeS");
    EXPECT_EQ(FindAsciiCaseless(placed, "shelves", ascii), at) << at;
    EXPECT_FALSE(Contains(placed, "shelvez", ascii)) << at;
    EXPECT_TRUE(ascii);
    EXPECT_FALSE(Contains(placed.substr(0, at + 6), "shelves", ascii)) << at;
    std::string high = text;
    high[at + 6] = '\xE9';
    EXPECT_FALSE(Contains(high, "shelves", ascii) || ascii) << at;
  }
  // Words of 1 to 24 bytes in texts at the edges of the sixteen-byte probes:
  // the word at each place, and a byte past ASCII at each place.
  const std::string letters = "abcdefghijklmnopqrstuvwx";
  for (std::size_t m : {1U, 5U, 17U, 18U, 24U}) {
    const std::string word = letters.substr(0, m);
    std::string upper = word;
    for (char& c : upper) c = static_cast<char>(c - 'a' + 'A');
    for (std::size_t n : {m, m + 14, m + 15, m + 16, m + 31, m + 32, m + 47}) {
      SCOPED_TRACE(testing::Message() << m << " in " << n);
      const std::string dots(n, '.');
      EXPECT_EQ(FindAsciiCaseless(dots, word, ascii), std::string_view::npos);
      EXPECT_TRUE(ascii);
      for (std::size_t at = 0; at + m <= n; ++at) {
        std::string placed = dots;
        std::copy(upper.begin(), upper.end(), placed.begin() + static_cast<std::ptrdiff_t>(at));
        EXPECT_EQ(FindAsciiCaseless(placed, word, ascii), at) << at;
      }
      for (std::size_t at = 0; at < n; ++at) {
        std::string high = dots;
        high[at] = '\x80';
        EXPECT_FALSE(Contains(high, word, ascii) || ascii) << at;
      }
    }
  }
  // Setting the case bit must not make "@" a "`" or "[" a "{".
  EXPECT_FALSE(Contains(std::string(40, '@'), "`", ascii));
  EXPECT_FALSE(Contains(std::string(40, '[') + "x", "{x", ascii));
}

Person MakePerson(int32_t id, const char* first, const char* last, const char* phone = "", const char* city = "") {
  Person person;
  person.ID = id;
  person.FName = first;
  person.LName = last;
  person.Phone = phone;
  person.City = city;
  return person;
}

Contact MakeContact(int32_t id, int32_t personId, double moment, std::string_view notes) {
  Contact contact;
  contact.ID = id;
  contact.PersonID = personId;
  contact.DateTime = DateTimeValue(moment);
  contact.Description = notes;
  return contact;
}

TEST(Find, MatchesEveryWordInPersonsAndInNotesOrTheirPersonsName) {
  DocumentData data;
  data.persons.Insert(MakePerson(1, "David", "Okafor", "(217) 555-0108", "Springfield"));
  data.persons.Insert(MakePerson(2, "J\xFCrgen", "M\xFCller"));  // Windows-1252
  data.persons.Insert(MakePerson(3, "\xC3\x89tienne", "Becker", "555 0199"));
  Person company;
  company.ID = 4;
  company.Company = "Shelving & Co";
  company.WebPage = "http://5550108.example";
  data.persons.Insert(company);
  // Fields folded one by one: the city's UTF-8 and the company's 1252 bytes.
  Person mixed = MakePerson(5, "Ann", "\xD0\x9F\xD0\x81\xD0\xA2\xD0\xA0", "", "Z\xC3\xBCrich");  // ПЁТР
  mixed.Company = "Gr\xFCn AG";
  mixed.State = "ville";
  data.persons.Insert(mixed);
  data.contacts.Insert(MakeContact(10, 1, 40000.5, "Asked for the shelving quote"));
  data.contacts.Insert(MakeContact(11, 2, 41000.0, "Called about the QUOTE"));
  data.contacts.Insert(MakeContact(12, 3, 41000.0, "Quote for shelving, sent"));
  data.contacts.Insert(MakeContact(13, 1, 39000.0, "Lunch\r\nwith Müller's team"));
  data.contacts.Insert(MakeContact(14, 99, 42000.0, "quote for a person long gone"));
  data.contacts.Insert(MakeContact(15, 2, std::nan(""), "quote, undated"));
  data.contacts.Insert(MakeContact(16, 4, 30000.0, "Delivered"));
  // Moments around zero: -0 is +0, and a negative moment counts its time
  // of day away from day 0 (-1.5 is -0.5, -2.25 is -1.75).
  data.contacts.Insert(MakeContact(17, 5, -0.0, "zero hour"));
  data.contacts.Insert(MakeContact(18, 5, 0.0, "zero hour"));
  data.contacts.Insert(MakeContact(19, 5, -1.5, "zero hour"));
  data.contacts.Insert(MakeContact(20, 5, -2.25, "zero hour"));
  data.contacts.Insert(MakeContact(21, 5, 2.5, "zero hour"));

  struct Case {
    const char* query;
    std::vector<int32_t> persons;
    std::vector<int32_t> contacts;
  };
  const Case cases[] = {
      {"muller", {2}, {11, 13, 15}},  // the name, 1252 bytes; the UTF-8 note; no moment last
      {"ETIENNE", {3}, {12}},
      {"jurgen quote", {}, {11, 15}},       // one word in the name, one in the notes
      {"shelving quote", {}, {12, 10}},     // newest first
      {"quote", {}, {14, 11, 12, 10, 15}},  // same moment by ID
      {"5550108", {1, 4}, {}},              // a phone's digits; the web page holds them as they are
      {"555-0108", {1}, {}},
      {"5550199 becker", {3}, {}},
      {"okafor springfield", {1}, {}},  // words in different fields
      {"okafor lunch", {}, {13}},
      {"&", {4}, {16}},
      {"quote nothing", {}, {}},
      {"co delivered", {}, {16}},     // the company is the name
      {"5550108 delivered", {}, {}},  // the web page is not
      {"springfield lunch", {}, {}},  // nor is the city
      {"zurich", {5}, {}},
      {"gr\xC3\xBCn \xD0\xBF\xD0\xB5\xD1\x82\xD1\x80", {5}, {}},            // грн пётр, folded words
      {"\xD0\x9F\xD1\x91\xD1\x82\xD1\x80 hour", {}, {21, 17, 18, 19, 20}},  // Пётр in the name
      {"zurichville", {}, {}},                                              // no word runs from one field into the next
      {"ann,", {}, {}},
      {" \t ", {}, {}},
      {"", {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.query);
    const FindResults results = Find(data, c.query);
    EXPECT_EQ(results.persons, c.persons);
    EXPECT_EQ(results.contacts, c.contacts);
  }
}

TEST(Find, LooksInDetailsFoldsGreekAndReadsPhonesByTheirDigits) {
  DocumentData data;
  Person lee = MakePerson(1, "Ann", "Lee", "+34 600 123 456");
  lee.Notes = "Met at the harbour caf\xC3\xA9";
  lee.SetCountry("Ireland");
  lee.Details.push_back(PersonDetail::Of(DetailKind::kPhone, "work", "(0611) 123-4567"));
  lee.Details.push_back(PersonDetail::Of(DetailKind::kEmail, "home", "ann@quay.example"));
  PersonDetail address = PersonDetail::Of(DetailKind::kAddress, "home", "");
  address.street = "12 Quay Road";
  address.city = "Galway";
  address.postalCode = "H91";
  lee.Details.push_back(address);
  lee.Details.push_back(PersonDetail::Of(DetailKind::kName, "nickname", "Shorty"));
  lee.Details.push_back(PersonDetail::Of(DetailKind::kName, "middle", "Quentin"));
  lee.Details.push_back(PersonDetail::Of(DetailKind::kOrg, "unit", "Purchasing"));
  lee.Details.push_back(PersonDetail::Of(DetailKind::kCustom, "X-SHOE-SIZE", "44"));
  lee.Details.push_back(PersonDetail::Of(DetailKind::kPhoto, "", "secretword"));
  data.persons.Insert(lee);
  Person greek = MakePerson(2, "Ευάγγελος", "Παπαδόπουλος", "210.555.0147");
  greek.Details.push_back(PersonDetail::Of(DetailKind::kAddress, "work", ""));
  greek.Details.back().city = "Αθήνα";
  data.persons.Insert(greek);
  data.persons.Insert(MakePerson(3, "Ray", "Ortiz", "", "Springfield"));
  data.contacts.Insert(MakeContact(10, 1, 45000.0, "Order shipped"));
  data.contacts.Insert(MakeContact(11, 2, 45001.0, "Sent the catalogue"));

  struct Case {
    const char* query;
    std::vector<int32_t> persons;
    std::vector<int32_t> contacts;
  };
  const Case cases[] = {
      {"harbour cafe", {1}, {}},  // the notes, folded
      {"ireland galway quay h91", {1}, {}},
      {"shorty quentin purchasing 44", {1}, {}},
      {"ann@quay", {1}, {}},
      {"secretword", {}, {}},      // a photo's bytes are no text
      {"shorty shipped", {}, {}},  // a name part is not the name a contact is found by
      {"lee shipped", {}, {10}},
      {"ευαγγελος", {2}, {11}},
      {"ΠΑΠΑΔΟΠΟΥΛΟΣ catalogue", {}, {11}},
      {"παπαδοπουλοσ αθηνα", {2}, {}},
      {"+34600123456", {1}, {}},
      {"600-123 0034", {}, {}},  // each word whole: "0034" is not in the number
      {"600-123", {1}, {}},
      {"(600)123.456", {1}, {}},
      {"06111234567", {1}, {}},  // the phone detail
      {"4567 2105550147", {}, {}},
      {"2105550147", {2}, {}},
      {"210-555", {2}, {}},
      {"456-0611", {}, {}},  // no number runs from one phone into the next
      {"600-12a", {}, {}},   // a letter makes a word no phone number
      {"+34-600x", {}, {}},
      {"123-600", {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.query);
    const FindResults results = Find(data, c.query);
    EXPECT_EQ(results.persons, c.persons);
    EXPECT_EQ(results.contacts, c.contacts);
  }
}

TEST(Find, AnswersAPastedQueryOfAHundredThousandWords) {
  // A thousand words of notes; the second person and the second contact miss
  // one of them.
  std::string all;
  std::string allButOne;
  for (int k = 0; k < 1000; ++k) {
    const std::string word = "k" + std::to_string(k) + " ";
    all += word;
    if (k != 500) allButOne += word;
  }
  DocumentData data;
  Person ann = MakePerson(1, "Ann", "Quillington");
  ann.Notes = all;
  Person bob = MakePerson(2, "Bob", "Quillington");
  bob.Notes = allButOne;
  data.persons.Insert(ann);
  data.persons.Insert(bob);
  data.persons.Insert(MakePerson(3, "Cy", "Quillington"));
  data.contacts.Insert(MakeContact(10, 3, 45000.0, all));
  data.contacts.Insert(MakeContact(11, 3, 45001.0, allButOne));
  data.contacts.Insert(MakeContact(12, 1, 45002.0, all));

  // The notes' words a hundred times over in a changing order, beside a
  // word of the name: a long one, tried early, or a short one, tried last.
  std::string repeated;
  for (int round = 0; round < 100; ++round)
    for (int k = 0; k < 1000; ++k) repeated += "K" + std::to_string((k * 7 + round) % 1000) + " ";
  EXPECT_EQ(QueryWords(repeated).size(), 1000U);
  FindResults results = Find(data, repeated + "quillington");
  EXPECT_EQ(results.persons, (std::vector<int32_t>{1}));
  EXPECT_EQ(results.contacts, (std::vector<int32_t>{12, 10}));
  results = Find(data, "ann " + repeated);
  EXPECT_EQ(results.persons, (std::vector<int32_t>{1}));
  EXPECT_EQ(results.contacts, (std::vector<int32_t>{12}));
  results = Find(data, repeated + "n,");  // "Quillington, Ann", "Quillington, Cy"
  EXPECT_TRUE(results.persons.empty());
  EXPECT_EQ(results.contacts, (std::vector<int32_t>{12, 10}));

  // A hundred thousand different words: the thousand above and more that
  // nobody holds.
  std::string distinct;
  for (int k = 0; k < 100'000; ++k) distinct += "k" + std::to_string(k) + " ";
  EXPECT_TRUE(Find(data, distinct).Empty());
  EXPECT_EQ(Find(data, distinct.substr(0, all.size())).persons, (std::vector<int32_t>{1}));
}

}  // namespace
}  // namespace vimbo
