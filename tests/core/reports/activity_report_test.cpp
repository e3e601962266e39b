#include "core/reports/activity_report.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "core/reports/fake_canvas.h"
#include "support/dates.h"
#include "support/people.h"

namespace vimbo {
namespace {

using testing::At;
using testing::FakeCanvas;
using testing::NamedPerson;
using testing::PersonContact;
using Kind = FakeCanvas::Kind;

// Telephone 1, E-Mail 2, Personal 3, Correspondence 4; persons 1 to 3. The
// months of 15 November 2025 to 10 February 2026, hand-counted:
//   Nov 2025  Telephone 1 (p1), E-Mail 1 (p2)
//   Dec 2025  nothing
//   Jan 2026  Telephone 1 (p1), a type that was deleted (p2), no type (p3)
//   Feb 2026  E-Mail 1 (p1)
// and four contacts that fall outside: a minute early, a day late, no date.
DocumentData SampleDocument() {
  DocumentData data;
  data.AddDefaultContactTypes();
  for (int32_t id = 1; id <= 3; ++id) data.persons.Insert(NamedPerson(id, "P", std::to_string(id)));
  struct Row {
    int32_t person, type;
    DateTimeValue when;
  };
  const Row rows[] = {
      {1, 1, At(2025, 11, 14, 23, 59)},    {1, 1, At(2025, 11, 15, 0, 0)},  {2, 2, At(2025, 11, 30, 23, 59, 59)},
      {1, 1, At(2026, 1, 1, 0, 0)},        {3, -1, At(2026, 1, 15, 12, 0)}, {2, 99, At(2026, 1, 20, 9, 30)},
      {1, 2, At(2026, 2, 10, 23, 59, 59)}, {1, 1, At(2026, 2, 11, 0, 0)},   {1, 1, DateTimeValue()},
      {3, 3, At(2024, 6, 1, 10, 0)},
  };
  int32_t id = 0;
  for (const Row& row : rows) {
    Contact contact = PersonContact(++id, row.person, row.type);
    contact.DateTime = row.when;
    data.contacts.Insert(contact);
  }
  return data;
}

const DateTimeValue kFrom = At(2025, 11, 15, 0, 0);
const DateTimeValue kTo = At(2026, 2, 10, 23, 59, 59);

TEST(CountActivity, MatchesHandCountedMonths) {
  const DocumentData data = SampleDocument();
  const std::vector<ActivityMonth> months = {{2025, 11}, {2025, 12}, {2026, 1}, {2026, 2}};
  const std::vector<int32_t> first = {1};
  const std::vector<int32_t> thirdTwice = {3, 3};
  const std::vector<int32_t> nobody;
  struct Case {
    const char* name;
    const std::vector<int32_t>* persons;
    std::vector<std::string> types;
    std::vector<int> counts;
  };
  const Case cases[] = {
      {"everyone", nullptr, {"Telephone", "E-Mail", "(none)"}, {1, 1, 0, 0, 0, 0, 1, 0, 2, 0, 1, 0}},
      {"person 1", &first, {"Telephone", "E-Mail"}, {1, 0, 0, 0, 1, 0, 0, 1}},
      {"person 3 named twice", &thirdTwice, {"(none)"}, {0, 0, 1, 0}},
      {"nobody", &nobody, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ActivityCounts counts = CountActivity(data, kFrom, kTo, c.persons);
    EXPECT_EQ(counts.months, months);
    EXPECT_EQ(counts.types, c.types);
    EXPECT_EQ(counts.counts, c.counts);
  }
  const ActivityCounts everyone = CountActivity(data, kFrom, kTo, nullptr);
  EXPECT_EQ(everyone.MonthTotal(2), 3);
  EXPECT_EQ(everyone.Total(), 6);
}

TEST(CountActivity, RangeEdges) {
  const DocumentData data = SampleDocument();
  // A range that ends before it begins, or has an invalid end, has no months.
  EXPECT_TRUE(CountActivity(data, kTo, kFrom, nullptr).months.empty());
  EXPECT_TRUE(CountActivity(data, kFrom, DateTimeValue(), nullptr).months.empty());
  // One day: one month. An end a fraction of a second before midnight stays
  // in its month.
  const ActivityCounts day = CountActivity(data, At(2025, 11, 15, 0, 0), At(2025, 11, 15, 23, 59, 59), nullptr);
  EXPECT_EQ(day.months, (std::vector<ActivityMonth>{{2025, 11}}));
  EXPECT_EQ(day.Total(), 1);
  const ActivityCounts almostMidnight =
      CountActivity(data, At(2026, 1, 1, 0, 0), DateTimeValue(At(2026, 2, 1, 0, 0).Number() - 0.2 / 86400), nullptr);
  EXPECT_EQ(almostMidnight.months, (std::vector<ActivityMonth>{{2026, 1}}));
  EXPECT_EQ(almostMidnight.Total(), 3);
}

TEST(RoundScale, StepsOfOneTwoOrFive) {
  const struct {
    int largest, top, step;
  } cases[] = {{0, 1, 1},
               {1, 1, 1},
               {5, 5, 1},
               {6, 6, 2},
               {7, 8, 2},
               {11, 15, 5},
               {23, 25, 5},
               {26, 30, 10},
               {1000, 1000, 200},
               {1001, 1500, 500},
               {99999, 100000, 20000}};
  for (const auto& c : cases) {
    const ChartScale scale = RoundScale(c.largest);
    EXPECT_EQ(scale.top, c.top) << c.largest;
    EXPECT_EQ(scale.step, c.step) << c.largest;
  }
}

class ActivityReportTest : public ::testing::Test {
 protected:
  std::unique_ptr<ActivityReport> Build(const DateTimeValue& from, const DateTimeValue& to) {
    auto report = std::make_unique<ActivityReport>(canvas, data, from, to, nullptr);
    report->SetMargins({});
    return report;
  }
  static FakeCanvas Draw(ActivityReport& report, int pageIndex) {
    FakeCanvas page;
    report.DrawPage(page, pageIndex);
    return page;
  }
  // The filled rectangles, bars and legend boxes alike, in drawing order.
  static std::vector<FakeCanvas::Drawn> Fills(const FakeCanvas& page) { return page.Of(Kind::Fill); }

  FakeCanvas canvas;
  DocumentData data = SampleDocument();
};

TEST_F(ActivityReportTest, DrawsStackedBarsOnARoundScaleWithLabelsAndLegend) {
  auto report = Build(kFrom, kTo);
  ASSERT_EQ(report->GetPageCount(), 1);
  EXPECT_FALSE(report->ListsNothing());
  const FakeCanvas page = Draw(*report, 0);

  const std::vector<std::string> texts = page.Texts();
  EXPECT_EQ(texts.front(), "ACTIVITY 11/15/25 - 02/10/26");
  for (const char* text :
       {"Page 1", "0", "1", "2", "3", "Nov", "Dec", "Jan", "Feb", "2025", "2026", "Telephone", "E-Mail", "(none)"})
    EXPECT_NE(page.Find(text), nullptr) << text;
  // The scale ends at the largest month, January's 3.
  EXPECT_EQ(page.Find("4"), nullptr);
  // The year under the first month shown and under January, centred.
  EXPECT_EQ(page.Find("2025")->x, page.Find("Nov")->x - 5);
  EXPECT_EQ(page.Find("2026")->x, page.Find("Jan")->x - 5);
  EXPECT_EQ(page.Find("2026")->y, page.Find("Jan")->y + 20);

  // Five parts of bars (Nov 2, Jan 2, Feb 1), then three legend boxes.
  const std::vector<FakeCanvas::Drawn> fills = Fills(page);
  ASSERT_EQ(fills.size(), 8u);
  const int zeroY = fills[0].rect.bottom;
  const int unit = fills[0].rect.Height();
  ASSERT_GT(unit, 0);
  struct Part {
    int month, bottomUnits, units, legend;
  };
  const Part parts[] = {{0, 0, 1, 0}, {0, 1, 1, 1}, {2, 0, 1, 0}, {2, 1, 2, 2}, {3, 0, 1, 1}};
  for (std::size_t i = 0; i < std::size(parts); ++i) {
    SCOPED_TRACE(i);
    const CanvasRect& rect = fills[i].rect;
    EXPECT_EQ(rect.bottom, zeroY - parts[i].bottomUnits * unit);
    EXPECT_NEAR(rect.Height(), parts[i].units * unit, 2);
    // A part sits on the one below it, in the same column.
    if (parts[i].bottomUnits > 0) {
      EXPECT_EQ(rect.left, fills[i - 1].rect.left);
      EXPECT_EQ(rect.bottom, fills[i - 1].rect.top);
    }
    // The part is filled as its type's legend box.
    EXPECT_EQ(fills[i].grey, fills[5 + parts[i].legend].grey);
  }
  // Bars stand in their month's column, a slot apart, December's empty.
  const int slot = (fills[2].rect.left - fills[0].rect.left) / 2;
  EXPECT_EQ(fills[4].rect.left - fills[2].rect.left, slot);
  // Each type's fill differs from the others'.
  EXPECT_NE(fills[5].grey, fills[6].grey);
  EXPECT_NE(fills[6].grey, fills[7].grey);
  // Month totals stand above their bars.
  EXPECT_LT(page.Find("3")->y, fills[3].rect.top);

  // Nothing leaves the page's printable rectangle.
  const CanvasRect area = report->GetPageRect();
  for (const auto& d : page.drawn) {
    if (d.kind != Kind::Line) continue;
    for (const auto& [x, y] : {std::pair{d.x, d.y}, std::pair{d.x2, d.y2}}) {
      EXPECT_GE(x, area.left);
      EXPECT_LE(x, area.right);
      EXPECT_GE(y, area.top);
      EXPECT_LE(y, area.bottom);
    }
  }
}

TEST_F(ActivityReportTest, LongRangesGoOnOverPagesOnOneScale) {
  struct Case {
    DateTimeValue from, to;
    int pages;
    bool listsNothing;
  };
  const Case cases[] = {
      {At(2025, 1, 1, 0, 0), At(2026, 12, 31, 23, 59), 1, false},  // 24 months
      {At(2025, 1, 1, 0, 0), At(2027, 1, 1, 0, 0), 2, false},      // 25
      {At(2024, 1, 1, 0, 0), At(2024, 3, 1, 0, 0), 1, true},       // no contact in range
      {kTo, kFrom, 0, true},
  };
  for (const Case& c : cases) {
    auto report = Build(c.from, c.to);
    EXPECT_EQ(report->GetPageCount(), c.pages);
    EXPECT_EQ(report->ListsNothing(), c.listsNothing);
  }

  // 30 months: 24 on the first page, named by number as their names no
  // longer fit; 6 on the second, as wide as on the first.
  auto report = Build(At(2024, 1, 1, 0, 0), At(2026, 6, 30, 0, 0));
  ASSERT_EQ(report->GetPageCount(), 2);
  const FakeCanvas first = Draw(*report, 0);
  const FakeCanvas second = Draw(*report, 1);
  EXPECT_EQ(first.Find("Nov"), nullptr);
  for (const char* text : {"12", "2024", "2025"}) EXPECT_NE(first.Find(text), nullptr) << text;
  for (const char* text : {"6", "2026", "Page 2"}) EXPECT_NE(second.Find(text), nullptr) << text;
  for (const char* text : {"7", "2025"}) EXPECT_EQ(second.Find(text), nullptr) << text;
  // One scale for both pages: June 2024's one contact on the first page
  // stands as tall as January 2026's first one on the second.
  const auto firstFills = Fills(first);
  const auto secondFills = Fills(second);
  ASSERT_FALSE(firstFills.empty());
  ASSERT_FALSE(secondFills.empty());
  EXPECT_NEAR(secondFills[0].rect.Height(), firstFills[0].rect.Height(), 1);
  EXPECT_EQ(secondFills[0].rect.Width(), firstFills[0].rect.Width());
  EXPECT_TRUE(Draw(*report, 2).drawn.empty());
}

TEST(ActivityReportFactory, TakesEveryoneOrTheChosenPersons) {
  FakeCanvas canvas;
  const DocumentData data = SampleDocument();
  ReportSelection selection;
  selection.kind = ReportKind::kActivity;
  selection.beginDate = kFrom;
  selection.endDate = kTo;
  selection.chosenPersons[3] = *data.persons.Find(3);
  auto chosen = CreateReport(selection, data, canvas);
  auto* activity = dynamic_cast<ActivityReport*>(chosen.get());
  ASSERT_NE(activity, nullptr);
  EXPECT_EQ(activity->Counts().Total(), 1);
  selection.allPersons = true;
  auto everyone = CreateReport(selection, data, canvas);
  EXPECT_EQ(dynamic_cast<ActivityReport&>(*everyone).Counts().Total(), 6);
}

}  // namespace
}  // namespace vimbo
