#include "core/reports/envelope_report.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "core/reports/fake_canvas.h"

namespace vimbo {
namespace {

using testing::FakeCanvas;
using Kind = FakeCanvas::Kind;

// Default fake page: the rectangle is (50, 50)-(800, 1050), lines 20 high,
// characters 10 wide. The return address starts at (60, 50); the recipient
// block is centred on x = 435 and starts at y = 1000 / 2 + 20 = 520.
constexpr int kRecipientY = 520;

struct Placed {
  int x, y;
  std::string text;
  friend bool operator==(const Placed&, const Placed&) = default;
};

std::ostream& operator<<(std::ostream& out, const Placed& p) {
  return out << "(" << p.x << ", " << p.y << ", \"" << p.text << "\")";
}

// Texts and blocks in drawing order: the recipient's (from the recipient
// block's top down) or the return address's (above it).
std::vector<Placed> Placements(const FakeCanvas& page, bool recipient) {
  std::vector<Placed> result;
  for (const auto& d : page.drawn)
    if ((d.y >= kRecipientY) == recipient) result.push_back({d.x, d.y, d.text});
  return result;
}

Person Recipient(const std::string& first, const std::string& last) {
  Person person;
  person.ID = 1;
  person.FName = first;
  person.LName = last;
  person.Zip = "12345";
  return person;
}

User Sender() {
  User user;
  user.Title = "Dr.";
  user.FName = "Jane";
  user.LName = "Roe";
  user.Position = "Editor";
  user.Company = "Press";
  user.Address = "1 Home Rd\r\nFlat 2";
  user.City = "Boston";
  user.State = "MA";
  user.Zip = "02134";
  return user;
}

FakeCanvas DrawEnvelope(const User& sender, const Person& person, const EnvelopeOptions& options = {}) {
  FakeCanvas canvas;
  EnvelopeReport report(canvas, sender, {person}, options);
  report.SetMargins({});
  FakeCanvas page;
  report.DrawPage(page, 0);
  for (const auto& d : page.drawn) EXPECT_EQ(d.font, report.RegularFont()) << d.text;
  return page;
}

TEST(EnvelopeReport, OnePagePerPersonInTheGivenOrder) {
  FakeCanvas canvas;
  std::vector<Person> persons = {Recipient("Zoe", "Zane"), Recipient("Max", "Miller"), Recipient("Al", "Adams")};
  EnvelopeReport report(canvas, Sender(), persons, {});
  EXPECT_EQ(report.GetPageCount(), 3) << "counted on construction";
  report.SetMargins({});
  const std::vector<Placed> returnAddress = {
      {60, 50, "Jane Roe"}, {60, 70, "1 Home Rd\nFlat 2"}, {60, 110, "Boston, MA 02134"}};
  const char* names[] = {"Zoe Zane", "Max Miller", "Al Adams"};
  for (int i = 0; i < 3; ++i) {
    FakeCanvas page;
    report.DrawPage(page, i);
    EXPECT_EQ(Placements(page, false), returnAddress);
    EXPECT_EQ(Placements(page, true)[0].text, names[i]);
    EXPECT_EQ(page.Find("Page " + std::to_string(i + 1)), nullptr) << "envelopes have no footer";
  }
}

TEST(EnvelopeReport, ReturnAddressRules) {
  User user = Sender();
  EXPECT_EQ(Placements(DrawEnvelope(user, Recipient("A", "B"), {false, false, false, true, true, true}), false),
            (std::vector<Placed>{{60, 50, "Dr. Jane Roe"},
                                 {60, 70, "Editor"},
                                 {60, 90, "Press"},
                                 {60, 110, "1 Home Rd\nFlat 2"},
                                 {60, 150, "Boston, MA 02134"}}));

  user.FName = "";
  user.State = "";
  user.Address = "PO Box 9\r\r\n";
  const auto plain = Placements(DrawEnvelope(user, Recipient("A", "B")), false);
  EXPECT_EQ(plain, (std::vector<Placed>{{60, 50, " Roe"}, {60, 70, "PO Box 9\n"}, {60, 110, "Boston, 02134"}}));

  user.Title = "Dr.  \t";
  EXPECT_EQ(Placements(DrawEnvelope(user, Recipient("A", "B"), {false, false, false, true, false, false}), false)[0],
            (Placed{60, 50, "Dr. Roe"}));
}

TEST(EnvelopeReport, RecipientNameAndCityLines) {
  struct Case {
    Person person;
    bool title;
    std::string name;
    std::string city;
  };
  Person titled = Recipient("", "Adams");
  titled.Title = "Mr. ";
  Person padded = Recipient(" John ", "Doe \t");
  padded.City = " Springfield ";
  Person full = Recipient("Ann", "Lee");
  full.City = "Springfield";
  full.State = "IL";
  full.Zip = "62701";
  Person noZip = full;
  noZip.Zip = "";
  Person stateOnly = Recipient("Ann", "Lee");
  stateOnly.State = "IL";
  const Case cases[] = {
      {Recipient("", "Adams"), false, "Adams", "12345"},
      {titled, true, "Mr. Adams", "12345"},
      {titled, false, "Adams", "12345"},
      {padded, false, "John Doe", "Springfield 12345"},
      {full, true, "Ann Lee", "Springfield, IL 62701"},
      {noZip, false, "Ann Lee", "Springfield, IL"},
      {stateOnly, false, "Ann Lee", ", IL 12345"},
  };
  for (const Case& c : cases) {
    EnvelopeOptions options;
    options.recipientTitle = c.title;
    const auto placed = Placements(DrawEnvelope(User{}, c.person, options), true);
    ASSERT_EQ(placed.size(), 3u);
    const int x = 435 - static_cast<int>(c.city.size()) * 10 / 2;
    EXPECT_EQ(placed[0], (Placed{x, kRecipientY, c.name}));
    EXPECT_EQ(placed[2], (Placed{x, kRecipientY + 40, c.city}));
  }
}

TEST(EnvelopeReport, RecipientBlockWithOptions) {
  Person p = Recipient("", "");
  p.Title = "Ms.";
  p.Company = "Acme Corporation";
  p.Position = "Buyer";
  p.Address = "9 Dock St\r\r\nUnit 4\r\n";
  p.City = std::string(55, 'W');  // a wide city line moves the block left
  const std::string cityLine = p.City + " 12345";
  const int x = 435 - 610 / 2;

  EXPECT_EQ(Placements(DrawEnvelope(User{}, p), true),
            (std::vector<Placed>{{x, 520, ""}, {x, 540, "9 Dock St\nUnit 4\n"}, {x, 600, cityLine}}));
  EXPECT_EQ(Placements(DrawEnvelope(User{}, p, {false, true, false, false, false, false}), true),
            (std::vector<Placed>{
                {x, 520, ""}, {x, 540, "Acme Corporation"}, {x, 560, "9 Dock St\nUnit 4\n"}, {x, 620, cityLine}}));
  EXPECT_EQ(Placements(DrawEnvelope(User{}, p, {true, true, true, false, false, false}), true),
            (std::vector<Placed>{{x, 520, "Ms."},
                                 {x, 540, "Buyer"},
                                 {x, 560, "Acme Corporation"},
                                 {x, 580, "9 Dock St\nUnit 4\n"},
                                 {x, 640, cityLine}}));
}

TEST(EnvelopeReport, RecipientHeightIgnoresTheTopMargin) {
  FakeCanvas canvas;
  EnvelopeReport report(canvas, User{}, {Recipient("A", "B")}, {});
  report.SetMargins({500, 1500, 500, 500});  // rectangle 150..1050
  FakeCanvas page;
  report.DrawPage(page, 0);
  EXPECT_EQ(page.Find("A B")->y, 900 / 2 + 20);
}

}  // namespace
}  // namespace vimbo
