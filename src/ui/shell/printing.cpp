#include "ui/shell/printing.h"

#include <QFont>
#include <QMarginsF>
#include <QPainter>
#include <QPicture>
#include <algorithm>
#include <cmath>

#include "gfx/qt_canvas.h"
#include "ui/kit/prompter.h"
#include "ui/shell/print_preview.h"

namespace vimbo {

Printing::Printing(Prompter& prompter) : prompter_(prompter) {}

Printing::~Printing() = default;

void Printing::BuildReport(const DocumentData& data) {
  report_.reset();
  measuring_ = std::make_unique<QtCanvas>(QtCanvas::ForMeasuring(printer_));
  report_ = CreateReport(selection_, data, *measuring_);
  if (!report_) return;
  report_->SetMargins(margins_);
  report_->SetFaceName(reportFace_.toStdString());
  report_->SetPointSize(reportPoints_);
  SetPreviewPage(previewPage_);
}

void Printing::DropReport() {
  report_.reset();
  previewPage_ = 0;
}

void Printing::SetPreviewPage(int page) {
  if (report_) report_->PaginateThrough(page);
  previewPage_ = std::clamp(page, 0, std::max(PageCount() - 1, 0));
}

// The page is recorded in the printer's units and played into the preview
// scaled, so the preview shows what the printer will print.
void Printing::RecordPage(QPicture& picture) const {
  QPainter painter(&picture);
  QtCanvas page = QtCanvas::ForPreviewPage(painter, printer_);
  report_->DrawPage(page, previewPage_);
}

void Printing::ResetZoom() {
  zoomInEnabled_ = true;
  zoomOutEnabled_ = false;
}

int Printing::StepZoom(int current, bool in) {
  const int zoom = in ? ZoomIn(current) : ZoomOut(current);
  if (in) {
    zoomOutEnabled_ = true;
    zoomInEnabled_ = zoom != PrintPreview::kZoomSteps[3];
  } else {
    zoomInEnabled_ = true;
    zoomOutEnabled_ = zoom != 0;
  }
  return zoom;
}

// The dialog works in inches and the margins are kept in thousandths of an
// inch, so they never change meaning with the dialog's default unit.
bool Printing::PageSetup(QWidget* owner) {
  QMarginsF inches(margins_.left / 1000.0, margins_.top / 1000.0, margins_.right / 1000.0, margins_.bottom / 1000.0);
  if (!prompter_.PageSetup(owner, printer_, inches)) return false;
  margins_ = {static_cast<int>(std::lround(inches.left() * 1000)), static_cast<int>(std::lround(inches.top() * 1000)),
              static_cast<int>(std::lround(inches.right() * 1000)),
              static_cast<int>(std::lround(inches.bottom() * 1000))};
  return true;
}

void Printing::PrintSetup(QWidget* owner) { prompter_.PrintDialog(owner, printer_); }

// The size is kept in whole points and the style is not kept: reports use
// their own regular and bold weights.
bool Printing::ChooseFont(QWidget* owner) {
  QFont initial(reportFace_);
  initial.setPointSize(reportPoints_);
  initial.setWeight(QFont::Normal);
  const auto chosen = prompter_.FontDialog(owner, initial);
  if (!chosen) return false;
  reportFace_ = chosen->family().left(31);
  reportPoints_ = static_cast<int>(chosen->pointSizeF() * 10) / 10;
  return true;
}

void Printing::Print(QWidget* owner, const DocumentData& data,
                     const std::function<void(int page, int pages)>& progress) {
  if (!prompter_.PrintDialog(owner, printer_)) return;
  const bool previewing = report_ != nullptr;
  if (!previewing) BuildReport(data);
  // Every page is printed, so pagination still under way finishes first.
  const int pages = report_ ? report_->GetPageCount() : 0;
  printer_.setDocName(QStringLiteral("Vimbo Document"));
  if (pages > 0) {
    QPainter painter;
    // A printer that refuses the job ends it without a page printed.
    if (painter.begin(&printer_)) {
      for (int page = 0; page < pages; ++page) {
        if (page > 0) printer_.newPage();
        progress(page, pages);
        painter.save();
        QtCanvas canvas = QtCanvas::ForPage(painter, printer_);
        report_->DrawPage(canvas, page);
        painter.restore();
      }
      painter.end();
    }
  }
  if (!previewing) report_.reset();
}

}  // namespace vimbo
