#include "core/reports/contacts_report.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "core/reports/fake_canvas.h"
#include "support/dates.h"
#include "support/people.h"

namespace vimbo {
namespace {

using testing::FakeCanvas;
using Kind = FakeCanvas::Kind;

// Default fake page: the rectangle is (50, 50)-(800, 1050), lines 20 high,
// characters 10 wide. Columns: person 60, date 257, description 435..800,
// which holds 36 characters.
constexpr int kPersonX = 60;
constexpr int kDateX = 257;
constexpr int kDescriptionX = 435;

using testing::At;

using testing::NamedPerson;

class ContactsReportTest : public ::testing::Test {
 protected:
  void Add(int32_t personId, const DateTimeValue& when, const std::string& description = "Note") {
    Contact contact;
    contact.ID = contacts.NextID();
    contact.PersonID = personId;
    contact.DateTime = when;
    contact.Description = description;
    contacts.Insert(contact);
  }

  std::unique_ptr<ContactsReport> Build(const std::map<int32_t, Person>& chosen) {
    auto report = std::make_unique<ContactsReport>(canvas, chosen, begin, end, contacts);
    report->SetMargins({});
    return report;
  }

  static FakeCanvas Draw(ContactsReport& report, int pageIndex) {
    FakeCanvas page;
    report.DrawPage(page, pageIndex);
    return page;
  }

  // (x, text) of every entry text below the headings, in drawing order.
  static std::vector<std::pair<int, std::string>> EntryTexts(const FakeCanvas& page) {
    std::vector<std::pair<int, std::string>> result;
    for (const auto& d : page.Of(Kind::Text))
      if (d.font.weight == 400) result.emplace_back(d.x, d.text);
    return result;
  }

  FakeCanvas canvas;
  Contacts contacts;
  DateTimeValue begin = At(2024, 3, 1, 9, 0);
  DateTimeValue end = At(2024, 3, 31, 17, 0);
};

TEST_F(ContactsReportTest, ListsTheRangeInclusiveNewestFirstPerPerson) {
  Add(1, At(2024, 3, 1, 9, 0), "at begin");
  Add(1, At(2024, 3, 1, 8, 59, 59), "just before");
  Add(1, At(2024, 3, 31, 17, 0), "at end");
  Add(1, At(2024, 3, 31, 17, 0, 1), "just after");
  Add(1, At(2024, 3, 15, 13, 5), "middle");
  Add(2, At(2024, 3, 20, 10, 0), "baker");
  Add(3, At(2024, 3, 20, 10, 0), "not chosen");
  Add(99, At(2024, 3, 20, 10, 0), "no such person");
  auto report = Build({{2, NamedPerson(2, "Mary", "Baker")}, {1, NamedPerson(1, "John \t", "Adams")}});
  ASSERT_EQ(report->GetPageCount(), 1);
  const FakeCanvas page = Draw(*report, 0);

  using Texts = std::vector<std::pair<int, std::string>>;
  EXPECT_EQ(EntryTexts(page), (Texts{{kPersonX, "John Adams"},
                                     {kDateX, "03/31/24 05:00PM"},
                                     {kDateX, "03/15/24 01:05PM"},
                                     {kDateX, "03/01/24 09:00AM"},
                                     {kPersonX, "Mary Baker"},
                                     {kDateX, "03/20/24 10:00AM"}}));
  std::vector<std::string> descriptions;
  for (const auto& block : page.Of(Kind::Block)) descriptions.push_back(block.text);
  EXPECT_EQ(descriptions, (std::vector<std::string>{"at end", "middle", "at begin", "baker"}));
}

// A person known only by a company would otherwise print a blank name, and
// the contacts would read as those of the person printed above.
TEST_F(ContactsReportTest, APersonWithoutANameIsPrintedUnderTheCompany) {
  Add(1, At(2024, 3, 10, 9, 0), "ann's");
  Add(2, At(2024, 3, 12, 9, 0), "the agency's");
  Person agency = NamedPerson(2, "", "");
  agency.Company = "Zenith Agency";
  auto report = Build({{1, NamedPerson(1, "Ann", "Lee")}, {2, agency}});
  using Texts = std::vector<std::pair<int, std::string>>;
  EXPECT_EQ(EntryTexts(Draw(*report, 0)), (Texts{{kPersonX, "Ann Lee"},
                                                 {kDateX, "03/10/24 09:00AM"},
                                                 {kPersonX, "Zenith Agency"},
                                                 {kDateX, "03/12/24 09:00AM"}}));
}

TEST_F(ContactsReportTest, HeaderTitleHeadingsAndFooter) {
  auto report = Build({{1, NamedPerson(1, "Ann", "Lee")}});
  ASSERT_EQ(report->GetPageCount(), 1) << "a chosen person without contacts still gets a page";
  const FakeCanvas page = Draw(*report, 0);

  const auto texts = page.Of(Kind::Text);
  ASSERT_EQ(texts.size(), 5u);
  EXPECT_EQ(texts[0].text, "CONTACTS 03/01/24 - 03/31/24");
  EXPECT_EQ(texts[0].x, 50 + (750 - 280) / 2);
  EXPECT_EQ(texts[0].y, 50);
  const std::pair<int, std::string> headings[] = {
      {kPersonX, "Person"}, {kDateX, "Date / Time"}, {kDescriptionX, "Description"}};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(texts[1 + i].x, headings[i].first);
    EXPECT_EQ(texts[1 + i].y, 90);
    EXPECT_EQ(texts[1 + i].text, headings[i].second);
  }
  EXPECT_EQ(texts[4].text, "Page 1");
  EXPECT_EQ(texts[4].y, 1030);
  for (const auto& text : texts) EXPECT_EQ(text.font, report->BoldFont()) << text.text;

  const auto lines = page.Of(Kind::Line);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ((std::vector<int>{lines[0].x, lines[0].y, lines[0].x2, lines[0].y2}),
            (std::vector<int>{kPersonX, 90, 800, 90}));
}

TEST_F(ContactsReportTest, LongDescriptionWrapsAndTheNextEntryFollowsAfterABlankLine) {
  std::string longText;
  for (int i = 0; i < 14; ++i) longText += i == 0 ? "word" : " word";  // seven words a line
  Add(1, At(2024, 3, 10, 12, 0), longText);
  Add(1, At(2024, 3, 9, 12, 0), "short\r\r\nsecond line");
  Add(1, At(2024, 3, 8, 12, 0), "last");
  auto report = Build({{1, NamedPerson(1, "Ann", "Lee")}});
  const FakeCanvas page = Draw(*report, 0);

  const auto blocks = page.Of(Kind::Block);
  ASSERT_EQ(blocks.size(), 3u);
  EXPECT_EQ(blocks[0].rect, (CanvasRect{kDescriptionX, 110, 800, 150}));
  EXPECT_EQ(blocks[0].wrap, Canvas::Wrap::kWords);
  EXPECT_EQ(blocks[1].text, "short\nsecond line");
  EXPECT_EQ(blocks[1].rect, (CanvasRect{kDescriptionX, 170, 800, 210}));
  EXPECT_EQ(blocks[2].rect.top, 230);
  EXPECT_EQ(page.Find("03/08/24 12:00PM")->y, 230);
}

TEST_F(ContactsReportTest, NamesRepeatOnAContinuedPageButNotForSameNameNeighbours) {
  canvas.physicalHeight = 300;  // rectangle 50..250: three one-line entries a page
  for (int day = 1; day <= 4; ++day) Add(1, At(2024, 3, day, 10, 0));
  Add(2, At(2024, 3, 20, 10, 0));
  Add(3, At(2024, 3, 21, 10, 0));
  auto report =
      Build({{1, NamedPerson(1, "Al", "Bo")}, {2, NamedPerson(2, "Cy", "Do")}, {3, NamedPerson(3, "Cy", "Do")}});
  ASSERT_EQ(report->GetPageCount(), 2);

  using Texts = std::vector<std::pair<int, std::string>>;
  EXPECT_EQ(EntryTexts(Draw(*report, 0)), (Texts{{kPersonX, "Al Bo"},
                                                 {kDateX, "03/04/24 10:00AM"},
                                                 {kDateX, "03/03/24 10:00AM"},
                                                 {kDateX, "03/02/24 10:00AM"}}));
  EXPECT_EQ(EntryTexts(Draw(*report, 1)), (Texts{{kPersonX, "Al Bo"},
                                                 {kDateX, "03/01/24 10:00AM"},
                                                 {kPersonX, "Cy Do"},
                                                 {kDateX, "03/20/24 10:00AM"},
                                                 {kDateX, "03/21/24 10:00AM"}}));
}

TEST_F(ContactsReportTest, PaginationMeasuresInTheCurrentReportFont) {
  // 29 characters: one line at 10 units a character, two at 20.
  for (int day = 1; day <= 8; ++day) Add(1, At(2024, 3, day, 10, 0), "aaaa bbbb cccc dddd eeee ffff");
  auto report = Build({{1, NamedPerson(1, "Ann", "Lee")}});
  EXPECT_EQ(report->GetPageCount(), 1);

  canvas.metricsByHeight[-27] = {40, 0, 20};
  report->SetPointSize(20);
  // Entries of 2 + 1 lines of 40 from 210 on a page ending at 1050: 7 a page.
  ASSERT_EQ(report->GetPageCount(), 2);
  const FakeCanvas last = Draw(*report, 1);
  EXPECT_EQ(last.Of(Kind::Block).size(), 1u);
}

TEST_F(ContactsReportTest, NoChosenPersonMeansNoPages) {
  Add(1, At(2024, 3, 10, 12, 0));
  auto report = Build({});
  EXPECT_TRUE(report->PaginationDone());
  EXPECT_EQ(report->GetPageCount(), 0);
}

// Page 1 is there once the margins are; slices of any size, a page drawn
// ahead of its turn and a restart in mid-run end with the pages of one run.
TEST_F(ContactsReportTest, PaginationInSlicesGivesThePagesOfOneRun) {
  canvas.physicalHeight = 400;
  const std::string notes[] = {"a", "ccc ccc ccc ccc ccc ccc ccc ccc ccc", "dd\ndd", ""};
  for (int i = 0; i < 60; ++i) Add(1 + i % 3, At(2024, 3, 1 + i % 28, 9 + i % 8, i), notes[i % 4]);
  const std::map<int32_t, Person> chosen{
      {1, NamedPerson(1, "Al", "Bo")}, {2, NamedPerson(2, "Cy", "Do")}, {3, NamedPerson(3, "Ed", "Fu")}};
  const auto drawing = [](ContactsReport& report, int page) {
    std::vector<std::tuple<int, int, std::string, int>> shown;
    for (const auto& d : Draw(report, page).drawn) shown.emplace_back(d.x, d.y, d.text, d.rect.bottom);
    return shown;
  };
  auto whole = Build(chosen);
  const int pages = whole->GetPageCount();
  ASSERT_GT(pages, 10);
  for (std::size_t slice : {1, 7, 1000}) {
    auto sliced = Build(chosen);
    EXPECT_EQ(sliced->KnownPageCount(), 1);
    EXPECT_FALSE(sliced->PaginationDone());
    EXPECT_EQ(drawing(*sliced, 4), drawing(*whole, 4));
    if (slice == 7) {
      sliced->PaginateMore(slice);
      sliced->SetMargins({});
      EXPECT_EQ(sliced->KnownPageCount(), 1) << "started over";
    }
    while (!sliced->PaginateMore(slice)) EXPECT_LT(sliced->KnownPageCount(), pages);
    ASSERT_EQ(sliced->KnownPageCount(), pages);
    for (int page = 0; page < pages; ++page) EXPECT_EQ(drawing(*sliced, page), drawing(*whole, page)) << page;
  }
}

}  // namespace
}  // namespace vimbo
