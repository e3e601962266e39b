#include "core/reports/report.h"

#include <gtest/gtest.h>

#include "core/records/document_data.h"
#include "core/reports/address_book_report.h"
#include "core/reports/contacts_report.h"
#include "core/reports/envelope_report.h"
#include "core/reports/fake_canvas.h"

namespace vimbo {
namespace {

using testing::FakeCanvas;

// The engine alone: a report of `entries` one-line entries that counts its
// paginations and draws only the standard footer.
class LineReport : public Report {
 public:
  LineReport(Canvas& canvas, int entries) : Report(canvas), entries_(entries) {}

  void DrawPage(Canvas& canvas, int pageIndex) override {
    DrawFrame(canvas, [&] {
      seenLineHeight = lineHeight_;
      DrawFooter(pageIndex + 1);
    });
  }

  int paginations = 0;
  int seenLineHeight = 0;

 protected:
  void DrawHeader() override {}
  void DrawFooter(int pageNumber) override { DrawStandardFooter(pageNumber); }
  void DrawDecorations() override {}
  void Paginate() override {
    ++paginations;
    const int perPage = lineHeight_ > 0 ? pageRect_.Height() / lineHeight_ : 0;
    pageCount_ = perPage > 0 ? (entries_ + perPage - 1) / perPage : 0;
  }

 private:
  int entries_;
};

TEST(ReportEngine, MarginsGivePageRectangleAndColumns) {
  FakeCanvas canvas;
  canvas.logPixelsX = canvas.logPixelsY = 600;
  canvas.physicalWidth = 5100;
  canvas.physicalHeight = 6600;
  LineReport report(canvas, 1);
  EXPECT_EQ(report.GetPageRect(), CanvasRect{});
  EXPECT_EQ(report.GetPageCount(), 0);

  report.SetMargins({});
  EXPECT_EQ(report.GetPageRect(), (CanvasRect{300, 300, 4800, 6300}));
  EXPECT_EQ(report.LeftColumnX(), 310);
  EXPECT_EQ(report.RightColumnX(), 310 + 2250);
  EXPECT_EQ(report.paginations, 1);

  // The printable area's offsets are subtracted; fractions are truncated.
  canvas.offsetX = 75;
  canvas.offsetY = 90;
  canvas.logPixelsY = 300;
  canvas.physicalHeight = 3300;
  report.SetMargins({250, 1000, 750, 333});
  EXPECT_EQ(report.GetPageRect(), (CanvasRect{150 - 75, 300 - 90, 5100 - 450 - 75, 3200 - 90}));
  EXPECT_EQ(report.RightColumnX(), 75 + 10 + (4575 - 75) / 2);
}

TEST(ReportEngine, FontsFollowFaceAndSizeAndRepaginate) {
  FakeCanvas canvas;
  canvas.logPixelsY = 300;
  LineReport report(canvas, 120);
  // 10 points at 300 pixels per inch is 41.67 pixels, truncated.
  EXPECT_EQ(report.RegularFont(), (CanvasFont{"Times New Roman", -41, 400}));
  EXPECT_EQ(report.BoldFont(), (CanvasFont{"Times New Roman", -41, 700}));
  EXPECT_EQ(canvas.font, CanvasFont{}) << "the canvas keeps the font it had";

  canvas.logPixelsY = 100;
  report.SetMargins({});
  EXPECT_EQ(report.LineHeight(), 20);
  EXPECT_EQ(report.GetPageCount(), 3);  // 1000 high: 50 lines a page

  canvas.metricsByHeight[-27] = {36, 4, 18};
  report.SetFaceName("Courier");
  report.SetPointSize(20);
  EXPECT_EQ(report.paginations, 3);
  EXPECT_EQ(report.RegularFont(), (CanvasFont{"Courier", -27, 400}));
  EXPECT_EQ(report.BoldFont(), (CanvasFont{"Courier", -27, 700}));
  EXPECT_EQ(report.LineHeight(), 40);
  EXPECT_EQ(report.CharWidth(), 18);
  EXPECT_EQ(report.GetPageCount(), 5);  // 25 lines a page
  EXPECT_EQ(canvas.font, CanvasFont{});
}

TEST(ReportEngine, PageFrameUsesThePageCanvasAndRestoresIt) {
  FakeCanvas printer;
  LineReport report(printer, 1);
  report.SetMargins({});

  FakeCanvas page;
  page.defaultMetrics = {30, 0, 10};
  page.font = CanvasFont{"Page font", -5, 400};
  report.DrawPage(page, 0);

  EXPECT_TRUE(printer.drawn.empty());
  ASSERT_EQ(page.drawn.size(), 1u);
  const FakeCanvas::Drawn& footer = page.drawn[0];
  EXPECT_EQ(footer.text, "Page 1");
  EXPECT_EQ(footer.font, report.BoldFont());
  EXPECT_EQ(footer.x, 50 + (750 - 60) / 2);
  EXPECT_EQ(footer.y, 1050 - 30) << "the page's own line height";
  EXPECT_EQ(report.seenLineHeight, 30);
  EXPECT_EQ(page.font, (CanvasFont{"Page font", -5, 400}));
  EXPECT_EQ(page.selected.front(), report.RegularFont());
  EXPECT_EQ(report.LineHeight(), 20) << "the report's own metrics come back";
}

TEST(ReportFactory, BuildsTheChosenKindFromTheSelection) {
  FakeCanvas canvas;
  DocumentData data;
  data.user.LName = "Owner";
  Person person;
  person.ID = 4;
  person.LName = "Doe";
  data.persons.Insert(person);
  Contact contact;
  contact.ID = 1;
  contact.PersonID = 4;
  contact.DateTime = DateTimeValue(45000.5);
  data.contacts.Insert(contact);

  ReportSelection selection;
  EXPECT_EQ(CreateReport(selection, data, canvas), nullptr);

  selection.kind = ReportKind::kAddressBook;
  selection.chosenPersons[4] = person;
  auto addressBook = CreateReport(selection, data, canvas);
  ASSERT_NE(dynamic_cast<AddressBookReport*>(addressBook.get()), nullptr);
  addressBook->SetMargins({});
  EXPECT_EQ(addressBook->GetPageCount(), 1);

  selection.kind = ReportKind::kContacts;
  selection.beginDate = DateTimeValue(45000.0);
  selection.endDate = DateTimeValue(45001.0);
  auto contacts = CreateReport(selection, data, canvas);
  ASSERT_NE(dynamic_cast<ContactsReport*>(contacts.get()), nullptr);
  contacts->SetMargins({});
  FakeCanvas contactsPage;
  contacts->DrawPage(contactsPage, 0);
  EXPECT_NE(contactsPage.Find(" Doe"), nullptr);

  selection.kind = ReportKind::kEnvelopes;
  selection.envelopePersons = {person, person};
  auto envelopes = CreateReport(selection, data, canvas);
  ASSERT_NE(dynamic_cast<EnvelopeReport*>(envelopes.get()), nullptr);
  EXPECT_EQ(envelopes->GetPageCount(), 2);
  FakeCanvas envelopePage;
  envelopes->DrawPage(envelopePage, 1);
  EXPECT_NE(envelopePage.Find(" Owner"), nullptr);
}

TEST(ReportFactory, NoPersonsMeansNoPages) {
  FakeCanvas canvas;
  DocumentData data;
  for (ReportKind kind : {ReportKind::kAddressBook, ReportKind::kContacts, ReportKind::kEnvelopes}) {
    ReportSelection selection;
    selection.kind = kind;
    auto report = CreateReport(selection, data, canvas);
    report->SetMargins({});
    report->SetPointSize(12);
    EXPECT_EQ(report->GetPageCount(), 0);
    FakeCanvas page;
    report->DrawPage(page, 0);
    EXPECT_TRUE(page.drawn.empty());
  }
}

}  // namespace
}  // namespace vimbo
