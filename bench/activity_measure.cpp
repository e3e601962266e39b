#include "activity_measure.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string_view>

#include "core/reports/report.h"

namespace vimbo::bench {
namespace {

// A letter page at 1200 dots per inch with fixed font metrics, drawing
// nothing: what is left is the report's own work.
class MeasuringCanvas final : public Canvas {
 public:
  int LogPixelsX() const override { return 1200; }
  int LogPixelsY() const override { return 1200; }
  int PhysicalWidth() const override { return 10200; }
  int PhysicalHeight() const override { return 13200; }
  int PhysicalOffsetX() const override { return 0; }
  int PhysicalOffsetY() const override { return 0; }
  CanvasFont SelectFont(const CanvasFont& font) override {
    CanvasFont previous = font_;
    font_ = font;
    return previous;
  }
  FontMetrics Metrics() const override { return {200, 0, 90}; }
  int TextWidth(std::string_view text) const override { return 90 * static_cast<int>(text.size()); }
  void DrawText(int, int, std::string_view) override { ++drawn; }
  void DrawLine(int, int, int, int) override { ++drawn; }
  void FillRect(const CanvasRect&, int) override { ++drawn; }
  CanvasRect MeasureBlock(std::string_view, const CanvasRect& rect, Wrap) const override { return rect; }
  void DrawBlock(std::string_view, const CanvasRect&, Wrap) override { ++drawn; }
  void Save() override {}
  void Restore() override {}

  long drawn = 0;

 private:
  CanvasFont font_;
};

}  // namespace

void RunActivityMeasure(const DocumentData& data, const RoundOptions& options) {
  // Two years of every person's contacts: one full page, counted from every
  // contact of the document.
  ReportSelection selection;
  selection.kind = ReportKind::kActivity;
  selection.allPersons = true;
  selection.beginDate.SetDateTime(2025, 1, 1, 0, 0, 0);
  selection.endDate.SetDateTime(2026, 12, 31, 23, 59, 59);
  long drawn = 0;
  int pages = 0;
  const Work firstPage = [&](int repeats) {
    return CpuSecondsOf([&] {
      for (int i = 0; i < repeats; ++i) {
        MeasuringCanvas canvas;
        std::unique_ptr<Report> report = CreateReport(selection, data, canvas);
        report->SetMargins(Margins{});
        report->DrawPage(canvas, 0);
        pages = report->GetPageCount();
        drawn = canvas.drawn;
      }
    });
  };
  const double seconds = Repeat(firstPage, options);
  if (pages != 1 || drawn == 0) throw std::runtime_error("the activity report drew no page");
  // The goal is set for 100,000 persons and 1,000,000 contacts; a larger
  // document is allowed its share more.
  const double records = static_cast<double>(data.persons.Size() + data.contacts.Size());
  const double goal = 0.050 * std::max(1.0, records / 1.1e6);
  char goalText[32];
  std::snprintf(goalText, sizeof goalText, "<= %.0f ms", goal * 1000);
  PrintRow("activity report, page 1 counted and drawn, CPU", Milliseconds(seconds), "", "", goalText, seconds <= goal);
  char note[96];
  std::snprintf(note, sizeof note, "24 months of %s contacts, %ld drawing calls",
                Count(static_cast<double>(data.contacts.Size())).c_str(), drawn);
  PrintNote("activity report", note);
}

}  // namespace vimbo::bench
