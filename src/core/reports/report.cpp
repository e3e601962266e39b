#include "core/reports/report.h"

#include <cstdio>

namespace vimbo {

Report::Report(Canvas& canvas) : canvas_(&canvas), homeCanvas_(&canvas) {
  CreateFonts();
  ReadMetrics();
}

Report::~Report() = default;

int Report::GetPageCount() {
  while (!PaginationDone()) ContinuePagination(entriesToPaginate_ - entriesPaginated_);
  return pageCount_;
}

bool Report::PaginateMore(std::size_t entries) {
  if (!PaginationDone()) ContinuePagination(entries);
  return PaginationDone();
}

// One entry at a time, so nothing past the page asked for delays it: the
// page is complete as soon as an entry starts the next one.
void Report::PaginateThrough(int pageIndex) {
  while (pageCount_ <= pageIndex && !PaginationDone()) ContinuePagination(1);
}

void Report::ContinuePagination(std::size_t) {}

CanvasRect Report::GetPageRect() const { return pageRect_; }

void Report::SetPageRect(const CanvasRect& rect) { pageRect_ = rect; }

void Report::SetMargins(const Margins& margins) {
  leftMargin_ = margins.left / 1000.0;
  topMargin_ = margins.top / 1000.0;
  rightMargin_ = margins.right / 1000.0;
  bottomMargin_ = margins.bottom / 1000.0;

  const double x = canvas_->LogPixelsX();
  const double y = canvas_->LogPixelsY();
  const int offsetX = canvas_->PhysicalOffsetX();
  const int offsetY = canvas_->PhysicalOffsetY();
  pageRect_.left = static_cast<int>(x * leftMargin_ - offsetX);
  pageRect_.top = static_cast<int>(y * topMargin_ - offsetY);
  pageRect_.right = static_cast<int>(canvas_->PhysicalWidth() - x * rightMargin_ - offsetX);
  pageRect_.bottom = static_cast<int>(canvas_->PhysicalHeight() - y * bottomMargin_ - offsetY);

  leftColumnX_ = pageRect_.left + charWidth_;
  rightColumnX_ = leftColumnX_ + pageRect_.Width() / 2;
  Paginate();
}

void Report::SetFaceName(const std::string& face) {
  faceName_ = face;
  CreateFonts();
  ReadMetrics();
  Paginate();
}

void Report::SetPointSize(int points) {
  pointSize_ = points;
  CreateFonts();
  ReadMetrics();
  Paginate();
}

void Report::CreateFonts() {
  // A negative height asks for the character height, so a size in points
  // prints the same on any resolution.
  const int height = -(pointSize_ * canvas_->LogPixelsY() / 72);
  regularFont_ = CanvasFont{faceName_, height, 400};
  boldFont_ = CanvasFont{faceName_, height, 700};
}

// Reads the line metrics of RegularFont on the canvas in use, leaving the
// canvas with the font it had.
void Report::ReadMetrics() {
  const CanvasFont previous = canvas_->SelectFont(regularFont_);
  metrics_ = canvas_->Metrics();
  lineHeight_ = metrics_.height + metrics_.externalLeading;
  charWidth_ = metrics_.averageCharWidth;
  canvas_->SelectFont(previous);
}

void Report::DrawFrame(Canvas& page, const std::function<void()>& steps) {
  // The layout values belong to the report's own canvas; a page may measure
  // differently, and a later repagination must not inherit its metrics.
  const FontMetrics ownMetrics = metrics_;
  const int ownLineHeight = lineHeight_;
  const int ownCharWidth = charWidth_;

  canvas_ = &page;
  const CanvasFont previous = page.SelectFont(regularFont_);
  metrics_ = page.Metrics();
  lineHeight_ = metrics_.height + metrics_.externalLeading;
  charWidth_ = metrics_.averageCharWidth;

  steps();

  page.SelectFont(previous);
  canvas_ = homeCanvas_;
  metrics_ = ownMetrics;
  lineHeight_ = ownLineHeight;
  charWidth_ = ownCharWidth;
}

void Report::DrawStandardFooter(int pageNumber) {
  char text[32];
  std::snprintf(text, sizeof text, "Page %d", pageNumber);
  DrawCentredBold(text, pageRect_.bottom - lineHeight_);
}

void Report::DrawCentredBold(std::string_view text, int y) {
  const CanvasFont previous = canvas_->SelectFont(boldFont_);
  const int x = pageRect_.left + (pageRect_.Width() - canvas_->TextWidth(text)) / 2;
  canvas_->DrawText(x, y, text);
  canvas_->SelectFont(previous);
}

int Report::DrawTextBlock(std::string_view text, const CanvasRect& rect, Canvas::Wrap wrap) {
  const CanvasRect measured = canvas_->MeasureBlock(text, rect, wrap);
  canvas_->DrawBlock(text, measured, wrap);
  return measured.Height();
}

int Report::MeasureBlockHeight(std::string_view text, const CanvasRect& rect, Canvas::Wrap wrap) {
  // The own canvas keeps whatever font it had before a size or face change,
  // so the measurement selects the current report font itself.
  const CanvasFont previous = homeCanvas_->SelectFont(regularFont_);
  const int height = homeCanvas_->MeasureBlock(text, rect, wrap).Height();
  homeCanvas_->SelectFont(previous);
  return height;
}

}  // namespace vimbo
