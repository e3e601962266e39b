#pragma once
// A report lays a chosen set of records out on pages: the page rectangle
// from the margins, the report fonts and line metrics, the page count, and
// the drawing of one page at a time on any Canvas.
//
// A long report is paginated in slices, so its first page can be shown
// while the rest are still being measured: a change of margins, face or
// size starts pagination over and lays out page 1 at once; PaginateMore
// goes on from there; drawing a page or asking for the page count lays out
// whatever that needs first. The pages come out the same either way.

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "core/records/document_data.h"
#include "core/reports/canvas.h"
#include "core/reports/report_selection.h"

namespace vimbo {

// Page margins in thousandths of an inch.
struct Margins {
  int left = 500;
  int top = 500;
  int right = 500;
  int bottom = 500;
  friend bool operator==(const Margins&, const Margins&) = default;
};

class Report {
 public:
  // The report measures on `canvas` (the printer's); it must outlive the report.
  explicit Report(Canvas& canvas);
  virtual ~Report();
  Report(const Report&) = delete;
  Report& operator=(const Report&) = delete;

  // Draws page `pageIndex` (from 0) on `canvas`, which may differ from the
  // canvas the report was built with (a preview page, a PDF page).
  virtual void DrawPage(Canvas& canvas, int pageIndex) = 0;
  // Every page: finishes a pagination still under way.
  int GetPageCount();
  // Whether the report lists nothing at all. Print Preview still shows such
  // a report's title page; a file of it would hold no information.
  virtual bool ListsNothing() const { return pageCount_ == 0 && PaginationDone(); }
  virtual CanvasRect GetPageRect() const;
  virtual void SetPageRect(const CanvasRect& rect);
  virtual void SetMargins(const Margins& margins);

  void SetFaceName(const std::string& face);
  void SetPointSize(int points);

  // The pages laid out so far, each final; all of them once
  // PaginationDone().
  int KnownPageCount() const { return pageCount_; }
  bool PaginationDone() const { return entriesPaginated_ >= entriesToPaginate_; }
  // Lays out up to `entries` more entries; true once every page is known.
  bool PaginateMore(std::size_t entries);
  // Lays out until page `pageIndex` is complete or the pages run out.
  void PaginateThrough(int pageIndex);
  // How far pagination has come, in entries, for a progress display.
  std::size_t EntriesPaginated() const { return entriesPaginated_; }
  std::size_t EntriesToPaginate() const { return entriesToPaginate_; }

  // The layout values, for the reports and for tests.
  int LineHeight() const { return lineHeight_; }
  int CharWidth() const { return charWidth_; }
  int LeftColumnX() const { return leftColumnX_; }
  int RightColumnX() const { return rightColumnX_; }
  const CanvasFont& RegularFont() const { return regularFont_; }
  const CanvasFont& BoldFont() const { return boldFont_; }

 protected:
  virtual void DrawHeader() = 0;
  virtual void DrawFooter(int pageNumber) = 0;
  virtual void DrawDecorations() = 0;
  // Starts pagination over. A report that lays out every page here leaves
  // the entry counts at 0; one that paginates in slices sets them and
  // lays out the rest in ContinuePagination.
  virtual void Paginate() = 0;
  // Lays out up to `entries` more entries, advancing entriesPaginated_
  // and keeping pageCount_ at the pages that can no longer change.
  virtual void ContinuePagination(std::size_t entries);

  // The frame every DrawPage runs its steps in: `page` becomes the canvas in
  // use with RegularFont selected and its metrics read; afterwards the font
  // it had and the report's own canvas and metrics come back.
  void DrawFrame(Canvas& page, const std::function<void()>& steps);
  // "Page %d" in BoldFont, centred at the bottom of the page rectangle.
  void DrawStandardFooter(int pageNumber);
  // One line in BoldFont, centred across the page rectangle, its top at y.
  void DrawCentredBold(std::string_view text, int y);
  // Measures `text` from rect's left and top (and right, for Words), draws
  // it in the measured rectangle and returns the measured height.
  int DrawTextBlock(std::string_view text, const CanvasRect& rect, Canvas::Wrap wrap);
  // The height `text` takes in RegularFont on the report's own canvas,
  // measured as DrawTextBlock measures it.
  int MeasureBlockHeight(std::string_view text, const CanvasRect& rect, Canvas::Wrap wrap);

  int rightColumnX_ = 0;
  int leftColumnX_ = 0;
  double leftMargin_ = 0.5, rightMargin_ = 0.5, topMargin_ = 0.5, bottomMargin_ = 0.5;
  CanvasFont boldFont_;
  CanvasFont regularFont_;
  FontMetrics metrics_;
  int lineHeight_ = 0;
  int charWidth_ = 0;
  int currentY_ = 0;
  Canvas* canvas_;      // the canvas in use: the report's own, or a page's during DrawPage
  Canvas* homeCanvas_;  // the canvas the report was built with and paginates on
  int pageCount_ = 0;
  std::size_t entriesPaginated_ = 0;
  std::size_t entriesToPaginate_ = 0;
  CanvasRect pageRect_;
  int pointSize_ = 10;
  std::string faceName_ = "Times New Roman";

 private:
  void CreateFonts();
  void ReadMetrics();
};

// The report of the selection's kind, with its data, measuring on
// `canvas`; null for ReportKind::kNone. The caller then sets the margins,
// the face and the size.
std::unique_ptr<Report> CreateReport(const ReportSelection& selection, const DocumentData& data, Canvas& canvas);

}  // namespace vimbo
