#pragma once
// The print preview: one page of the report at a time, drawn white on the
// window's shadow colour, fitted into the window at zoom 0 and enlarged by
// 200, 400 or 800 pixels (with scroll bars) when zoomed in.

#include <QAbstractScrollArea>
#include <QPicture>
#include <QSize>

namespace vimbo {

class PrintPreview : public QAbstractScrollArea {
  Q_OBJECT
 public:
  static constexpr int kZoomSteps[] = {0, 200, 400, 800};
  static constexpr int kPageGap = 10;

  explicit PrintPreview(QWidget* parent = nullptr);

  // The page to show: a recording in the printer's device units whose
  // origin is the printable area's corner, the sheet's size in those units,
  // and where the printable area starts on the sheet.
  void SetPage(const QPicture& page, const QSize& sheet, const QPoint& printableOffset);
  // No page at all (a report without pages): the area stays empty.
  void ClearPage();

  int Zoom() const { return zoom_; }
  // Applies zoom `zoom` (one of the steps), scaling the scroll position.
  void ApplyZoom(int zoom);

  // Where the page is drawn in the (enlarged) area, for tests.
  QRect PageRect() const;
  bool HasPage() const { return hasPage_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void UpdateScrollRange();

  QPicture page_;
  QSize sheet_;
  QPoint offset_;
  bool hasPage_ = false;
  int zoom_ = 0;
};

// The next and previous zoom steps; a step at the end stays.
int ZoomIn(int zoom);
int ZoomOut(int zoom);

}  // namespace vimbo
