// The main window's side of printing: the print settings, the report built
// from the form's report selection, the preview, the print job, and the
// page-setup, print-setup and font dialogs.

#include <QMenuBar>
#include <QPainter>
#include <QPicture>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolBar>
#include <cmath>

#include "gfx/qt_canvas.h"
#include "ui/form/main_view.h"
#include "ui/kit/command_ids.h"
#include "ui/kit/prompter.h"
#include "ui/shell/main_frame.h"
#include "ui/shell/print_preview.h"

namespace vimbo {

using namespace command;

bool MainFrame::PrintEnabled() const {
  return view_->Selection().kind != ReportKind::None && (!document_.FileName().isEmpty() || document_.IsModified());
}

void MainFrame::CreateReport() {
  report_.reset();
  measuring_ = std::make_unique<QtCanvas>(QtCanvas::ForMeasuring(printer_));
  report_ = vimbo::CreateReport(view_->Selection(), document_.Data(), *measuring_);
  if (!report_) return;
  report_->SetMargins(margins_);
  report_->SetFaceName(reportFace_.toStdString());
  report_->SetPointSize(reportPoints_);
}

// The page is recorded in the printer's units and played into the preview
// scaled, so the preview shows what the printer will print.
void MainFrame::RenderPreviewPage() {
  if (!report_ || report_->GetPageCount() == 0) {
    preview_->ClearPage();
    return;
  }
  QPicture picture;
  {
    QPainter painter(&picture);
    QtCanvas page = QtCanvas::ForPreviewPage(painter, printer_);
    report_->DrawPage(page, previewPage_);
  }
  const PageMetrics metrics = PageMetricsOf(printer_);
  preview_->SetPage(picture, QSize(metrics.physicalWidth, metrics.physicalHeight),
                    QPoint(metrics.offsetX, metrics.offsetY));
}

void MainFrame::TogglePreview() {
  if (previewShown_)
    LeavePreview();
  else
    EnterPreview();
}

void MainFrame::EnterPreview() {
  zoomInEnabled_ = true;
  zoomOutEnabled_ = false;
  client_->setCurrentWidget(preview_);
  CreateReport();
  previewPage_ = 0;
  menuBar()->hide();
  mainToolbar_->hide();
  previewToolbar_->show();
  RenderPreviewPage();
  preview_->ApplyZoom(0);
  previewShown_ = true;
  UpdateCommandStates();
}

void MainFrame::LeavePreview() {
  menuBar()->show();
  // The toolbar comes back whatever View > Toolbar said before.
  toolbarVisible_ = true;
  mainToolbar_->show();
  actions_.value(kToolbar)->setChecked(true);
  previewToolbar_->hide();
  client_->setCurrentWidget(view_);
  report_.reset();
  preview_->ClearPage();
  statusBar()->showMessage(QStringLiteral("Ready"));
  previewShown_ = false;
  UpdateCommandStates();
}

void MainFrame::ShowPreviewPage(int page) {
  previewPage_ = page;
  RenderPreviewPage();
  UpdateCommandStates();
}

void MainFrame::Zoom(bool in) {
  const int zoom = in ? ZoomIn(preview_->Zoom()) : ZoomOut(preview_->Zoom());
  preview_->ApplyZoom(zoom);
  if (in) {
    zoomOutEnabled_ = true;
    zoomInEnabled_ = zoom != PrintPreview::kZoomSteps[3];
  } else {
    zoomInEnabled_ = true;
    zoomOutEnabled_ = zoom != 0;
  }
  UpdateCommandStates();
}

// The dialog works in inches and the margins are kept in thousandths of an
// inch, so they never change meaning with the dialog's default unit.
void MainFrame::PageSetup() {
  QMarginsF inches(margins_.left / 1000.0, margins_.top / 1000.0, margins_.right / 1000.0, margins_.bottom / 1000.0);
  if (!prompter_.PageSetup(this, printer_, inches)) return;
  margins_ = {static_cast<int>(std::lround(inches.left() * 1000)), static_cast<int>(std::lround(inches.top() * 1000)),
              static_cast<int>(std::lround(inches.right() * 1000)),
              static_cast<int>(std::lround(inches.bottom() * 1000))};
  if (!previewShown_) return;
  CreateReport();
  const int pages = report_ ? report_->GetPageCount() : 0;
  previewPage_ = std::clamp(previewPage_, 0, std::max(pages - 1, 0));
  RenderPreviewPage();
  UpdateCommandStates();
}

void MainFrame::PrintSetup() { prompter_.PrintDialog(this, printer_); }

void MainFrame::Print() {
  if (!prompter_.PrintDialog(this, printer_)) return;
  if (!previewShown_) CreateReport();
  const int pages = report_ ? report_->GetPageCount() : 0;
  printer_.setDocName(QStringLiteral("Vimbo Document"));
  if (pages > 0) {
    QPainter painter;
    // A printer that refuses the job ends it without a page printed.
    if (painter.begin(&printer_)) {
      for (int page = 0; page < pages; ++page) {
        if (page > 0) printer_.newPage();
        statusBar()->showMessage(QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages));
        painter.save();
        QtCanvas canvas = QtCanvas::ForPage(painter, printer_);
        report_->DrawPage(canvas, page);
        painter.restore();
      }
      painter.end();
    }
  }
  if (!previewShown_) report_.reset();
}

// The size is kept in whole points and the style is not kept: reports use
// their own regular and bold weights.
void MainFrame::ChooseReportFont() {
  QFont initial(reportFace_);
  initial.setPointSize(reportPoints_);
  initial.setWeight(QFont::Normal);
  const auto chosen = prompter_.FontDialog(this, initial);
  if (!chosen) return;
  reportFace_ = chosen->family().left(31);
  reportPoints_ = static_cast<int>(chosen->pointSizeF() * 10) / 10;
}

}  // namespace vimbo
