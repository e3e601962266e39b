// The main window's side of printing: showing the preview in place of the
// form, its toolbar and page, and the print commands, over the printing
// state the window holds.

#include <QMenuBar>
#include <QPicture>
#include <QProgressBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "gfx/qt_canvas.h"
#include "ui/form/main_view.h"
#include "ui/kit/command_ids.h"
#include "ui/shell/main_frame.h"
#include "ui/shell/print_preview.h"

namespace vimbo {

using namespace command;

namespace {

// Entries laid out per pass of the event loop: a few milliseconds of
// measuring, so the window stays responsive while the page count grows.
constexpr std::size_t kEntriesPerSlice = 256;

}  // namespace

bool MainFrame::PrintEnabled() const {
  return printing_.HasSelection() && (!document_.FileName().isEmpty() || document_.IsModified());
}

void MainFrame::RenderPreviewPage() {
  if (printing_.PageCount() == 0) {
    preview_->ClearPage();
    return;
  }
  QPicture picture;
  printing_.RecordPage(picture);
  const PageMetrics metrics = PageMetricsOf(printing_.Printer());
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
  printing_.ResetZoom();
  client_->setCurrentWidget(preview_);
  printing_.BuildReport(document_.Data());
  printing_.SetPreviewPage(0);
  menuBar()->hide();
  mainToolbar_->hide();
  previewToolbar_->show();
  RenderPreviewPage();
  preview_->ApplyZoom(0);
  previewShown_ = true;
  StartPagination();
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
  StopPagination();
  printing_.DropReport();
  preview_->ClearPage();
  statusBar()->showMessage(QStringLiteral("Ready"));
  previewShown_ = false;
  UpdateCommandStates();
}

void MainFrame::ShowPreviewPage(int page) {
  printing_.SetPreviewPage(page);
  RenderPreviewPage();
  UpdateCommandStates();
}

void MainFrame::Zoom(bool in) {
  preview_->ApplyZoom(printing_.StepZoom(preview_->Zoom(), in));
  UpdateCommandStates();
}

void MainFrame::PageSetup() {
  if (!printing_.PageSetup(this) || !previewShown_) return;
  printing_.BuildReport(document_.Data());
  RenderPreviewPage();
  StartPagination();
  UpdateCommandStates();
}

void MainFrame::Print() {
  printing_.Print(this, document_.Data(), [this](int page, int pages) {
    statusBar()->showMessage(QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages));
  });
  // Printing laid out every page the preview was still waiting for.
  if (!printing_.Paginating()) StopPagination();
}

void MainFrame::StartPagination() {
  if (!printing_.Paginating()) {
    StopPagination();
    return;
  }
  if (!paginationTimer_) {
    paginationTimer_ = new QTimer(this);
    paginationTimer_->setInterval(0);
    connect(paginationTimer_, &QTimer::timeout, this, &MainFrame::PaginateSlice);
  }
  // A report built anew starts from its first pages; whatever the bar
  // showed belonged to the one it replaced.
  if (paginationBar_) paginationBar_->setValue(0);
  paginationTimer_->start();
}

// The report is reached through the printing state on every pass, never
// kept: a rebuilt or dropped report must not be paginated further.
void MainFrame::PaginateSlice() {
  const int knownBefore = printing_.PageCount();
  if (printing_.PaginateMore(kEntriesPerSlice)) {
    StopPagination();
    UpdateCommandStates();
    return;
  }
  // A report laid out in one slice never shows the bar.
  if (!paginationBar_) {
    paginationBar_ = new QProgressBar(statusBar());
    paginationBar_->setMaximumWidth(160);
    paginationBar_->setTextVisible(false);
    statusBar()->addPermanentWidget(paginationBar_);
  }
  const Report* report = printing_.CurrentReport();
  paginationBar_->setRange(0, static_cast<int>(report->EntriesToPaginate()));
  paginationBar_->setValue(static_cast<int>(report->EntriesPaginated()));
  // Next Page follows the pages as they become known.
  if (printing_.PageCount() != knownBefore) UpdateCommandStates();
}

void MainFrame::StopPagination() {
  if (paginationTimer_) paginationTimer_->stop();
  if (paginationBar_) {
    statusBar()->removeWidget(paginationBar_);
    delete paginationBar_;
    paginationBar_ = nullptr;
  }
}

}  // namespace vimbo
