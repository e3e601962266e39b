// The main window's side of printing: showing the preview in place of the
// form, its toolbar and page, and the print commands, over the printing
// state the window holds.

#include <QMenuBar>
#include <QPicture>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolBar>

#include "gfx/qt_canvas.h"
#include "ui/form/main_view.h"
#include "ui/kit/command_ids.h"
#include "ui/shell/main_frame.h"
#include "ui/shell/print_preview.h"

namespace vimbo {

using namespace command;

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
  UpdateCommandStates();
}

void MainFrame::Print() {
  printing_.Print(this, document_.Data(), [this](int page, int pages) {
    statusBar()->showMessage(QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages));
  });
}

}  // namespace vimbo
