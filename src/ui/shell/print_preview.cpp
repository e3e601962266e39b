#include "ui/shell/print_preview.h"

#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <iterator>

#include "ui/kit/accessible_names.h"

namespace vimbo {

int ZoomIn(int zoom) {
  const auto* next = std::upper_bound(std::begin(PrintPreview::kZoomSteps), std::end(PrintPreview::kZoomSteps), zoom);
  return next == std::end(PrintPreview::kZoomSteps) ? zoom : *next;
}

int ZoomOut(int zoom) {
  const auto* at = std::lower_bound(std::begin(PrintPreview::kZoomSteps), std::end(PrintPreview::kZoomSteps), zoom);
  return at == std::begin(PrintPreview::kZoomSteps) ? zoom : *(at - 1);
}

PrintPreview::PrintPreview(QWidget* parent) : QAbstractScrollArea(parent) {
  setFrameShape(QFrame::StyledPanel);
  setFrameShadow(QFrame::Sunken);
  NameControl(this, QStringLiteral("Print Preview"));
  setBackgroundRole(QPalette::Dark);
  viewport()->setBackgroundRole(QPalette::Dark);
  viewport()->setAutoFillBackground(true);
  UpdateScrollRange();
}

void PrintPreview::SetPage(const QPicture& page, const QSize& sheet, const QPoint& printableOffset) {
  page_ = page;
  sheet_ = sheet;
  offset_ = printableOffset;
  hasPage_ = sheet.width() > 0 && sheet.height() > 0;
  viewport()->update();
}

void PrintPreview::ClearPage() {
  page_ = QPicture();
  hasPage_ = false;
  viewport()->update();
}

void PrintPreview::ApplyZoom(int zoom) {
  const int previous = zoom_;
  zoom_ = zoom;
  if (zoom == 0) {
    UpdateScrollRange();
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
  } else {
    int x = horizontalScrollBar()->value();
    int y = verticalScrollBar()->value();
    if (previous == 0) {
      x = zoom / 2;
      y = 0;
    } else {
      x = x * zoom / previous;
      y = y * zoom / previous;
    }
    UpdateScrollRange();
    horizontalScrollBar()->setValue(x);
    verticalScrollBar()->setValue(y);
  }
  viewport()->update();
}

void PrintPreview::UpdateScrollRange() {
  horizontalScrollBar()->setRange(0, zoom_);
  verticalScrollBar()->setRange(0, zoom_);
  horizontalScrollBar()->setPageStep(viewport()->width());
  verticalScrollBar()->setPageStep(viewport()->height());
  const Qt::ScrollBarPolicy policy = zoom_ > 0 ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
  setHorizontalScrollBarPolicy(policy);
  setVerticalScrollBarPolicy(policy);
}

void PrintPreview::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollRange();
}

QRect PrintPreview::PageRect() const {
  if (!hasPage_) return {};
  const QRect area =
      QRect(QPoint(0, 0), viewport()->size() + QSize(zoom_, zoom_)).adjusted(kPageGap, kPageGap, -kPageGap, -kPageGap);
  if (area.width() <= 0 || area.height() <= 0) return {};
  QSize fitted = sheet_;
  fitted.scale(area.size(), Qt::KeepAspectRatio);
  return QRect(area.left() + (area.width() - fitted.width()) / 2, area.top() + (area.height() - fitted.height()) / 2,
               fitted.width(), fitted.height());
}

void PrintPreview::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  painter.fillRect(viewport()->rect(), palette().color(QPalette::Dark));
  const QRect page = PageRect();
  if (page.isEmpty()) return;
  painter.translate(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
  painter.fillRect(page, Qt::white);
  painter.setPen(palette().color(QPalette::Shadow));
  painter.drawRect(page.adjusted(0, 0, -1, -1));

  // The recording is in the printer's units from the printable corner.
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.translate(page.topLeft());
  painter.scale(double(page.width()) / sheet_.width(), double(page.height()) / sheet_.height());
  painter.translate(offset_);
  painter.setClipRect(QRect(-offset_, sheet_));
  painter.drawPicture(0, 0, page_);
}

}  // namespace vimbo
