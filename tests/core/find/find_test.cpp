#include "core/find/find.h"

#include <gtest/gtest.h>

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
      {"M\xC3\xBCller", "muller"},                         // UTF-8
      {"M\xFCller", "muller"},                             // Windows-1252
      {"\xC9tienne Stra\xDF" "e", "etienne strasse"},      // Windows-1252
      {"\xC3\x89TIENNE \xC3\x86sop", "etienne aesop"},     // UTF-8
      {"Mu\xCC\x88ller", "muller"},                        // a combining diaeresis
      {"\x8A\x8C\x9F \x80", "soey \xE2\x82\xAC"},          // 1252's own letters; the euro sign kept
      {"\xD0\x9F\xD0\x81\xD0\xA2\xD0\xA0", "\xD0\xBF\xD0\xB5\xD1\x82\xD1\x80"},  // ПЁТР
      {"\xCE\xA9mega 5\xC3\x97" "3", "\xCF\x89mega 5\xC3\x97" "3"},           // Ωmega 5×3
      {"", ""},
  };
  for (const Case& c : cases) {
    std::string folded;
    AppendFolded(c.bytes, folded);
    EXPECT_EQ(folded, c.folded) << c.bytes;
  }
  EXPECT_EQ(QueryWords("  Ok  ok\tM\xC3\x9CLLER \xCC\x88 "), (std::vector<std::string>{"ok", "muller"}));
}

TEST(Find, CaselessSearchFindsEveryPlaceAndSeesEveryByte) {
  // Places before, across and after each sixteen-byte block, and near misses;
  // a byte past ASCII anywhere, the last one included, is seen.
  const std::string text(100, '.');
  bool ascii = false;
  for (std::size_t at : {0U, 15U, 16U, 31U, 47U, 93U}) {
    std::string placed = text;
    placed.replace(at, 7, "ShElVeS");
    EXPECT_TRUE(ContainsAsciiCaseless(placed, "shelves", ascii)) << at;
    EXPECT_FALSE(ContainsAsciiCaseless(placed, "shelvez", ascii)) << at;
    EXPECT_TRUE(ascii);
    EXPECT_FALSE(ContainsAsciiCaseless(placed.substr(0, at + 6), "shelves", ascii)) << at;
    std::string high = text;
    high[at + 6] = '\xE9';
    EXPECT_FALSE(ContainsAsciiCaseless(high, "shelves", ascii) || ascii) << at;
  }
  // Setting the case bit must not make "@" a "`" or "[" a "{".
  EXPECT_FALSE(ContainsAsciiCaseless(std::string(40, '@'), "`", ascii));
  EXPECT_FALSE(ContainsAsciiCaseless(std::string(40, '[') + "x", "{x", ascii));
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

Contact MakeContact(int32_t id, int32_t personId, double moment, const char* notes) {
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
  data.contacts.Insert(MakeContact(10, 1, 40000.5, "Asked for the shelving quote"));
  data.contacts.Insert(MakeContact(11, 2, 41000.0, "Called about the QUOTE"));
  data.contacts.Insert(MakeContact(12, 3, 41000.0, "Quote for shelving, sent"));
  data.contacts.Insert(MakeContact(13, 1, 39000.0, "Lunch\r\nwith Müller's team"));
  data.contacts.Insert(MakeContact(14, 99, 42000.0, "quote for a person long gone"));
  data.contacts.Insert(MakeContact(15, 2, std::nan(""), "quote, undated"));

  struct Case {
    const char* query;
    std::vector<int32_t> persons;
    std::vector<int32_t> contacts;
  };
  const Case cases[] = {
      {"muller", {2}, {11, 13, 15}},            // the name, 1252 bytes; the UTF-8 note; no moment last
      {"ETIENNE", {3}, {12}},
      {"jurgen quote", {}, {11, 15}},           // one word in the name, one in the notes
      {"shelving quote", {}, {12, 10}},         // newest first
      {"quote", {}, {14, 11, 12, 10, 15}},      // same moment by ID
      {"5550108", {1, 4}, {}},                  // a phone's digits; the web page holds them as they are
      {"555-0108", {1}, {}},
      {"5550199 becker", {3}, {}},
      {"okafor springfield", {1}, {}},          // words in different fields
      {"okafor lunch", {}, {13}},
      {"&", {4}, {}},
      {"quote nothing", {}, {}},
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

}  // namespace
}  // namespace vimbo
