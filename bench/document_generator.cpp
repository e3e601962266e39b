#include "document_generator.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <string_view>
#include <vector>

#include "core/document/document_writer.h"

namespace vimbo {
namespace {

// splitmix64: tiny, fast and fully specified, unlike the standard library's
// distributions, whose results differ between implementations.
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}

  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }

  // 0 .. bound-1, by multiplying the high 32 bits (bias is far below what
  // matters for test data).
  uint32_t Below(uint32_t bound) { return static_cast<uint32_t>(((Next() >> 32) * bound) >> 32); }
  int Between(int low, int high) { return low + static_cast<int>(Below(static_cast<uint32_t>(high - low + 1))); }
  bool Percent(uint32_t chance) { return Below(100) < chance; }

  template <std::size_t N>
  std::string_view Pick(const std::array<std::string_view, N>& items) {
    return items[Below(static_cast<uint32_t>(N))];
  }

 private:
  uint64_t state_;
};

constexpr uint64_t kSeed = 0x5EED'2026'0001ull;

constexpr std::array<std::string_view, 6> kTitles = {"Mr.", "Mrs.", "Ms.", "Dr.", "Prof.", "Rev."};

constexpr std::array<std::string_view, 48> kFirstNames = {
    "James",   "Mary",      "Robert",  "Patricia", "John",        "Jennifer", "Michael", "Linda",
    "William", "Elizabeth", "David",   "Barbara",  "Richard",     "Susan",    "Joseph",  "Jessica",
    "Thomas",  "Sarah",     "Charles", "Karen",    "Christopher", "Nancy",    "Daniel",  "Lisa",
    "Matthew", "Margaret",  "Anthony", "Sandra",   "Mark",        "Ashley",   "Donald",  "Kimberly",
    "Steven",  "Emily",     "Paul",    "Donna",    "Andrew",      "Michelle", "Joshua",  "Carol",
    "Kenneth", "Amanda",    "Kevin",   "Dorothy",  "Brian",       "Melissa",  "George",  "Deborah"};

constexpr std::array<std::string_view, 48> kLastNames = {
    "Smith",     "Johnson", "Williams", "Brown",  "Jones",    "Garcia",  "Miller",   "Davis",   "Rodriguez", "Martinez",
    "Hernandez", "Lopez",   "Gonzalez", "Wilson", "Anderson", "Thomas",  "Taylor",   "Moore",   "Jackson",   "Martin",
    "Lee",       "Perez",   "Thompson", "White",  "Harris",   "Sanchez", "Clark",    "Ramirez", "Lewis",     "Robinson",
    "Walker",    "Young",   "Allen",    "King",   "Wright",   "Scott",   "Torres",   "Nguyen",  "Hill",      "Flores",
    "Green",     "Adams",   "Nelson",   "Baker",  "Hall",     "Rivera",  "Campbell", "O'Connor"};

constexpr std::array<std::string_view, 20> kCompanyWords = {
    "Bluewater", "Cedar Ridge", "Summit",   "Pioneer",    "Harbor",      "Keystone", "Riverbend",
    "Granite",   "Northfield",  "Lakeside", "Silverline", "Oakmont",     "Redwood",  "Brightpath",
    "Ironwood",  "Meadowbrook", "Westgate", "Clearview",  "Stonebridge", "Evergreen"};

constexpr std::array<std::string_view, 12> kCompanySuffixes = {
    "Inc.",       "LLC",      "Ltd.",      "Consulting", "Associates", "Group",
    "Supply Co.", "Partners", "Logistics", "Dental",     "Realty",     "Insurance Agency"};

// Names that need escaping in the file: the markup characters turn up in
// real company names often enough to matter for the parser's slow path.
constexpr std::array<std::string_view, 6> kOddCompanies = {
    "\"Fresh\" Bakery & Cafe", "Less<More Design",      "O'Brien \"The Plumber\" Services", "R&D Labs",
    "Kids < 12 Daycare",       "Tom's Tools & Hardware"};

constexpr std::array<std::string_view, 16> kPositions = {"Manager",
                                                         "Sales Representative",
                                                         "Accountant",
                                                         "Owner",
                                                         "Director of Sales",
                                                         "Office Manager",
                                                         "Engineer",
                                                         "Project Manager",
                                                         "Vice President",
                                                         "Receptionist",
                                                         "Consultant",
                                                         "Chief Financial Officer",
                                                         "Buyer",
                                                         "Attorney",
                                                         "Technician",
                                                         "Marketing Coordinator"};

constexpr std::array<std::string_view, 24> kStreets = {
    "Main",  "Oak",    "Pine",      "Maple",   "Cedar",    "Elm",      "Washington", "Lake",
    "Hill",  "Park",   "Sunset",    "Lincoln", "Jackson",  "Church",   "Highland",   "Mill",
    "River", "Spring", "Ridgeview", "Willow",  "Franklin", "Chestnut", "Meadow",     "Forest"};

constexpr std::array<std::string_view, 8> kStreetTypes = {"Street", "Avenue", "Road",  "Drive",
                                                          "Lane",   "Court",  "Blvd.", "Way"};

struct City {
  std::string_view name;
  std::string_view state;
};

constexpr std::array<City, 24> kCities = {{
    {"Springfield", "IL"}, {"Portland", "OR"},  {"Austin", "TX"},     {"Columbus", "OH"}, {"Madison", "WI"},
    {"Albany", "NY"},      {"Raleigh", "NC"},   {"Boise", "ID"},      {"Tucson", "AZ"},   {"Omaha", "NE"},
    {"Richmond", "VA"},    {"Savannah", "GA"},  {"Fresno", "CA"},     {"Spokane", "WA"},  {"Des Moines", "IA"},
    {"Burlington", "VT"},  {"Knoxville", "TN"}, {"Tulsa", "OK"},      {"Lansing", "MI"},  {"Provo", "UT"},
    {"Salem", "MA"},       {"Wichita", "KS"},   {"Charleston", "SC"}, {"Santa Fe", "NM"},
}};

constexpr std::array<std::string_view, 8> kMailDomains = {"example.com",       "mail.example.net", "example.org",
                                                          "inbox.example.com", "corp.example.com", "example.net",
                                                          "post.example.org",  "example.us"};

// Words of the contact notes; a few carry markup characters, as notes do.
constexpr std::array<std::string_view, 72> kWords = {
    "called",  "about",    "the",     "invoice",    "meeting",  "scheduled", "for",       "next",     "week",
    "left",    "message",  "on",      "voicemail",  "sent",     "proposal",  "and",       "pricing",  "sheet",
    "asked",   "to",       "follow",  "up",         "after",    "holidays",  "discussed", "contract", "renewal",
    "terms",   "they",     "want",    "a",          "discount", "of",        "ten",       "percent",  "mailed",
    "catalog", "birthday", "card",    "lunch",      "at",       "noon",      "Q&A",       "session",  "went",
    "well",    "needs",    "revised", "quote",      "by",       "Friday",    "shipment",  "delayed",  "until",
    "Monday",  "P&L",      "review",  "\"urgent\"", "reply",    "expected",  "soon",      "thanked",  "them",
    "for",     "referral", "order",   "#4471",      "<draft>",  "attached",  "copy",      "in",       "file"};

std::string Digits(Random& random, int count) {
  std::string digits;
  for (int i = 0; i < count; ++i) digits += static_cast<char>('0' + random.Below(10));
  return digits;
}

// The parts of a value are drawn in a fixed order, last part first: the
// order g++ happened to give the first version of these lines, whose
// documents stay as they were. Drawn inside one expression, the order would
// be the compiler's choice, and the same counts could give other bytes.
std::string PhoneNumber(Random& random) {
  const std::string line = Digits(random, 4);
  const int exchange = random.Between(200, 999);
  const int area = random.Between(201, 989);
  char phone[32];
  std::snprintf(phone, sizeof phone, "(%d) %d-%s", area, exchange, line.c_str());
  return phone;
}

std::string Lowercase(std::string_view text) {
  std::string lower;
  for (const char c : text)
    if (std::isalpha(static_cast<unsigned char>(c)))
      lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

std::string CompanyName(Random& random) {
  if (random.Percent(3)) return std::string(random.Pick(kOddCompanies));
  if (random.Percent(20)) {
    const std::string_view second = random.Pick(kLastNames);
    const std::string_view first = random.Pick(kLastNames);
    return std::string(first) + " & " + std::string(second);
  }
  const std::string_view suffix = random.Pick(kCompanySuffixes);
  const std::string_view word = random.Pick(kCompanyWords);
  return std::string(word) + " " + std::string(suffix);
}

// One or two address lines; the edit box joins lines with "\r\n".
std::string StreetAddress(Random& random) {
  const std::string_view streetType = random.Pick(kStreetTypes);
  const std::string_view street = random.Pick(kStreets);
  const int number = random.Between(1, 9999);
  std::string address = std::to_string(number) + " " + std::string(street) + " " + std::string(streetType);
  if (random.Percent(25)) {
    switch (random.Below(3)) {
      case 0: {
        const char letter = static_cast<char>('A' + random.Below(6));
        address += "\r\nApt " + std::to_string(random.Between(1, 40)) + letter;
        break;
      }
      case 1: address += "\r\nSuite " + std::to_string(random.Between(100, 950)); break;
      default: address += "\r\nP.O. Box " + std::to_string(random.Between(10, 9999)); break;
    }
  }
  return address;
}

// Filled from whichever record kind asks: the owner and the persons share
// most of their fields.
template <typename Record>
void FillCommonFields(Random& random, Record& record) {
  if (random.Percent(60)) record.Title = random.Pick(kTitles);
  record.FName = random.Pick(kFirstNames);
  record.LName = random.Pick(kLastNames);
  if (random.Percent(65)) {
    record.Company = CompanyName(random);
    if (random.Percent(80)) record.Position = random.Pick(kPositions);
  }
  if (random.Percent(95)) {
    record.Address = StreetAddress(random);
    const City& city = kCities[random.Below(kCities.size())];
    record.City = city.name;
    record.State = city.state;
    std::string zip = Digits(random, 5);
    if (random.Percent(20)) zip.append("-").append(Digits(random, 4));
    record.Zip = zip;
  }
  if (random.Percent(50)) {
    record.WkPhone = PhoneNumber(random);
    if (random.Percent(40)) record.WkExt = Digits(random, random.Between(2, 5));
  }
  if (random.Percent(60)) record.CelPhone = PhoneNumber(random);
  if (random.Percent(15)) record.Fax = PhoneNumber(random);
  if (random.Percent(70)) {
    static constexpr std::array<std::string_view, 3> kSeparators = {".", "_", ""};
    std::string email = Lowercase(record.FName) + std::string(random.Pick(kSeparators)) + Lowercase(record.LName);
    if (random.Percent(30)) email += std::to_string(random.Between(1, 99));
    email += '@';
    email += random.Pick(kMailDomains);
    record.EMail = email;
  }
  if (random.Percent(30)) {
    const std::string site = record.Company.empty() ? Lowercase(record.LName) : Lowercase(record.Company);
    record.WebPage = (random.Percent(50) ? "https://www." : "http://www.") + site + ".example.com/";
  }
}

// A note of 20 to 300 bytes, mostly short, made of sentences; some notes
// put sentences on lines of their own, as a multi-line edit box stores them.
std::string ContactNote(Random& random) {
  constexpr std::size_t kShortest = 20;
  constexpr std::size_t kLongest = 300;
  const std::size_t target =
      kShortest + std::min(random.Below(kLongest - kShortest + 1), random.Below(kLongest - kShortest + 1));
  const bool multiLine = random.Percent(15);
  std::string note;
  bool sentenceStart = true;
  while (note.size() < target) {
    std::string word(random.Pick(kWords));
    if (sentenceStart) word[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(word[0])));
    const std::string_view gap = note.empty() ? "" : (sentenceStart && multiLine ? "\r\n" : " ");
    // The one byte kept back is for the closing full stop.
    if (note.size() + gap.size() + word.size() + 1 > kLongest) break;
    note += gap;
    note += word;
    sentenceStart = random.Percent(12);
    if (sentenceStart) note += '.';
  }
  if (!sentenceStart) note += '.';
  return note;
}

int DaysInMonth(int year, int month) {
  static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

}  // namespace

void GenerateDocument(DocumentData& data, int32_t personCount, int32_t contactCount) {
  Random random(kSeed);
  data.AddDefaultContactTypes();
  std::vector<int32_t> typeIds;
  for (const auto& [id, type] : data.contactTypes) typeIds.push_back(id);

  FillCommonFields(random, data.user);
  data.user.HmPhone = PhoneNumber(random);

  for (int32_t i = 0; i < personCount; ++i) {
    Person person;
    person.ID = data.persons.NextID();
    FillCommonFields(random, person);
    if (random.Percent(85)) person.Phone = PhoneNumber(random);
    if (random.Percent(5)) person.Pager = PhoneNumber(random);
    data.persons.Insert(std::move(person));
  }

  for (int32_t i = 0; i < contactCount; ++i) {
    Contact contact;
    contact.ID = data.contacts.NextID();
    contact.PersonID = personCount > 0 ? 1 + static_cast<int32_t>(random.Below(static_cast<uint32_t>(personCount))) : 0;
    const int year = random.Between(2000, 2026);
    const int month = random.Between(1, 12);
    // Drawn last to first, as in PhoneNumber.
    const int second = random.Between(0, 59);
    const int minute = random.Between(0, 59);
    const int hour = random.Between(0, 23);
    const int day = random.Between(1, DaysInMonth(year, month));
    contact.DateTime.SetDateTime(year, month, day, hour, minute, second);
    contact.Description = ContactNote(random);
    contact.ContactTypeID = typeIds[random.Below(static_cast<uint32_t>(typeIds.size()))];
    data.contacts.Insert(std::move(contact));
  }
}

std::string GenerateDocumentText(int32_t personCount, int32_t contactCount) {
  DocumentData data;
  GenerateDocument(data, personCount, contactCount);
  return DocumentText(data);
}

}  // namespace vimbo
