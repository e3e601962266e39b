#include "core/reports/address_book_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/reports/fake_canvas.h"
#include "support/people.h"

namespace vimbo {
namespace {

using testing::FakeCanvas;
using Kind = FakeCanvas::Kind;

// Default fake page: the rectangle is (50, 50)-(800, 1050), lines 20 high,
// characters 10 wide; the left column starts at 60, the right one at 435.
using testing::NamedPerson;

std::vector<std::string> NameLines(const FakeCanvas& page) {
  std::vector<std::string> names;
  const auto texts = page.Of(Kind::Text);
  for (std::size_t i = 0; i + 1 < texts.size(); ++i)
    if (texts[i + 1].text.rfind("Company: ", 0) == 0) names.push_back(texts[i].text);
  return names;
}

TEST(AddressBookReport, SortsByDisplayNameByteByByte) {
  FakeCanvas canvas;
  AddressBookReport report(
      canvas, {{1, NamedPerson(1, "Ann", "Lee")}, {2, NamedPerson(2, "", "adams")}, {3, NamedPerson(3, "", "Baker")}});
  report.SetMargins({});
  FakeCanvas page;
  report.DrawPage(page, 0);
  // A missing first name leaves the blank before the last name.
  EXPECT_EQ(NameLines(page), (std::vector<std::string>{" Baker", "Ann Lee", " adams"}));
}

TEST(AddressBookReport, DrawsOneEntryLineByLine) {
  FakeCanvas canvas;
  Person p = NamedPerson(1, "Ann \t", "Lee");
  p.Title = "Dr.";
  p.Company = "Acme";
  p.Position = "Boss";
  p.Address = "1 Main St\r\nApt 22";
  p.City = "Springfield ";
  p.State = "IL";
  p.Zip = "62701";
  p.Phone = "555-1";
  p.WkPhone = "555-2";
  p.WkExt = "12";
  p.Pager = "555-3";
  p.CelPhone = "555-4";
  p.Fax = "555-5";
  p.EMail = "ann@example.com";
  p.WebPage = "example.com";
  AddressBookReport report(canvas, {{1, p}, {2, NamedPerson(2, "Bob", "Moe")}});
  report.SetMargins({});
  FakeCanvas page;
  report.DrawPage(page, 0);

  struct Line {
    int x, y;
    std::string text;
  };
  const std::vector<Line> expected = {
      {365, 50, "ADDRESS BOOK"},
      {395, 1030, "Page 1"},
      {60, 90, "Ann Lee"},
      {60, 110, "Company: Acme"},
      {60, 130, "Position: Boss"},
      {60, 190, "Springfield, IL 62701"},
      {435, 90, "Home Phone: 555-1"},
      {435, 110, "Work Phone: 555-2 Ext. 12"},
      {435, 130, "Pager: 555-3"},
      {435, 150, "Cel Phone: 555-4"},
      {435, 170, "Fax: 555-5"},
      {435, 190, "E-Mail: ann@example.com"},
      {435, 210, "Web Page: example.com"},
      {60, 250, "Bob Moe"},
  };
  const auto texts = page.Of(Kind::Text);
  ASSERT_GE(texts.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(texts[i].text, expected[i].text);
    EXPECT_EQ(texts[i].x, expected[i].x) << expected[i].text;
    EXPECT_EQ(texts[i].y, expected[i].y) << expected[i].text;
  }
  EXPECT_EQ(texts[0].font.weight, 700);
  EXPECT_EQ(texts[1].font.weight, 700);
  EXPECT_EQ(texts[2].font, report.RegularFont());

  const auto blocks = page.Of(Kind::Block);
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(blocks[0].text, "1 Main St\nApt 22");
  EXPECT_EQ(blocks[0].rect, (CanvasRect{60, 150, 150, 190}));
  EXPECT_EQ(blocks[0].wrap, Canvas::Wrap::kLineFeedsOnly);

  // Decorations first, then one rule under each entry.
  const auto lines = page.Of(Kind::Line);
  ASSERT_EQ(lines.size(), 8u);
  const int ends[][4] = {{50, 50, 50, 1050},    {800, 50, 800, 1050},   {50, 50, 150, 50},   {800, 50, 700, 50},
                         {50, 1050, 150, 1050}, {800, 1050, 700, 1050}, {60, 230, 790, 230}, {60, 390, 790, 390}};
  for (std::size_t i = 0; i < lines.size(); ++i)
    EXPECT_EQ((std::vector<int>{lines[i].x, lines[i].y, lines[i].x2, lines[i].y2}),
              (std::vector<int>(ends[i], ends[i] + 4)))
        << "line " << i;
}

// Further phones and e-mail addresses follow the seventeen fields' lines,
// and the entry grows by their lines, pushing the next entry down.
TEST(AddressBookReport, FurtherPhonesAndEMailsLengthenTheEntry) {
  FakeCanvas canvas;
  Person p = NamedPerson(1, "Ann", "Lee");
  const std::pair<DetailKind, const char*> details[] = {
      {DetailKind::kPhone, "work"}, {DetailKind::kUrl, "blog"}, {DetailKind::kEmail, ""}};
  for (const auto& [kind, label] : details) {
    PersonDetail detail;
    detail.kind = kind;
    detail.label = label;
    detail.value = "v";
    p.Details.push_back(detail);
  }
  AddressBookReport report(canvas, {{1, p}, {2, NamedPerson(2, "Bob", "Moe")}});
  report.SetMargins({});
  FakeCanvas page;
  report.DrawPage(page, 0);
  std::vector<std::string> right;
  int bobY = 0;
  for (const auto& text : page.Of(Kind::Text)) {
    if (text.x == 435 && text.y > 210 && text.y < 290) right.push_back(text.text + "@" + std::to_string(text.y));
    if (text.text == "Bob Moe") bobY = text.y;
  }
  EXPECT_EQ(right, (std::vector<std::string>{"Phone (work): v@230", "E-Mail: v@250"}));
  EXPECT_EQ(bobY, 290);
}

TEST(AddressBookReport, EmptyFieldsKeepTheirLabelsAndCityLineCommas) {
  FakeCanvas canvas;
  Person bare = NamedPerson(1, "", "Bare");
  Person boston = NamedPerson(2, "", "Boston");
  boston.City = "Boston";
  Person zipOnly = NamedPerson(3, "", "Zip");
  zipOnly.City = "Austin";
  zipOnly.Zip = "73301 ";
  Person stateOnly = NamedPerson(4, "", "State");
  stateOnly.City = "Dover \r\n";
  stateOnly.State = "DE\t";
  AddressBookReport report(canvas, {{1, bare}, {2, boston}, {3, zipOnly}, {4, stateOnly}});
  report.SetMargins({});
  FakeCanvas page;
  report.DrawPage(page, 0);

  const auto texts = page.Texts();
  const std::vector<std::string> bareEntry(texts.begin() + 2, texts.begin() + 14);
  EXPECT_EQ(bareEntry,
            (std::vector<std::string>{" Bare", "Company: ", "Position: ", ",", "Home Phone: ", "Work Phone:  Ext. ",
                                      "Pager: ", "Cel Phone: ", "Fax: ", "E-Mail: ", "Web Page: ", " Boston"}));
  EXPECT_NE(page.Find("Boston,"), nullptr);
  EXPECT_NE(page.Find("Austin, 73301"), nullptr);
  EXPECT_NE(page.Find("Dover, DE"), nullptr);
}

TEST(AddressBookReport, LongAddressRunsIntoTheNextEntry) {
  FakeCanvas canvas;
  Person p = NamedPerson(1, "A", "A");
  p.Address = "1\r\n2\r\r\n3\r\n4";  // the CR CR LF of older files is one break
  p.City = "C";
  AddressBookReport report(canvas, {{1, p}, {2, NamedPerson(2, "B", "B")}});
  report.SetMargins({});
  FakeCanvas page;
  report.DrawPage(page, 0);
  EXPECT_EQ(page.Of(Kind::Block)[0].text, "1\n2\n3\n4");
  EXPECT_EQ(page.Find("C,")->y, 150 + 80);
  EXPECT_EQ(page.Find("B B")->y, 90 + 160);
}

TEST(AddressBookReport, SixtyLinePagesHoldSevenEntries) {
  FakeCanvas canvas;
  canvas.physicalHeight = 1300;  // rectangle 50..1250: 60 lines
  std::map<int32_t, Person> persons;
  for (int32_t id = 1; id <= 15; ++id) persons[id] = NamedPerson(id, "", std::string(1, static_cast<char>('A' + id)));
  AddressBookReport report(canvas, persons);
  EXPECT_EQ(report.GetPageCount(), 0) << "no layout before the margins";
  report.SetMargins({});
  ASSERT_EQ(report.GetPageCount(), 3);

  std::vector<std::vector<std::string>> pages;
  for (int i = 0; i < 3; ++i) {
    FakeCanvas page;
    report.DrawPage(page, i);
    pages.push_back(NameLines(page));
    EXPECT_NE(page.Find("Page " + std::to_string(i + 1)), nullptr);
  }
  EXPECT_EQ(pages[0].size(), 7u);
  EXPECT_EQ(pages[1].front(), " I");
  EXPECT_EQ(pages[2], (std::vector<std::string>{" P"}));

  // Twice the line height: 30 lines a page, three entries each.
  canvas.metricsByHeight[-27] = {40, 0, 20};
  report.SetPointSize(20);
  EXPECT_EQ(report.GetPageCount(), 5);
}

TEST(AddressBookReport, EntryTallerThanThePageDoesNotLeaveABlankPage) {
  FakeCanvas canvas;
  canvas.physicalHeight = 300;  // ten lines a page, an entry needs two more
  AddressBookReport report(canvas, {{1, NamedPerson(1, "", "A")}, {2, NamedPerson(2, "", "B")}});
  report.SetMargins({});
  ASSERT_EQ(report.GetPageCount(), 2);
  FakeCanvas page;
  report.DrawPage(page, 0);
  EXPECT_EQ(NameLines(page), (std::vector<std::string>{" A"}));
}

}  // namespace
}  // namespace vimbo
