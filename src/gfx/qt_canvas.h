#pragma once
// The reports' Canvas on Qt: measuring on a printer or PDF writer, and
// drawing with a QPainter on a printer page, a PDF page or a QPicture that
// records a preview page in the printer's units.
//
//   Measuring (the canvas a Report is built with; starts no print job):
//     QtCanvas canvas = QtCanvas::ForMeasuring(printer);
//   A printer or PDF page (QPrinter with fullPage off, or QPdfWriter):
//     QPainter painter(&printer);
//     QtCanvas page = QtCanvas::ForPage(painter, printer);
//   A preview page, played back later scaled to the widget:
//     QPicture picture; QPainter painter(&picture);
//     QtCanvas page = QtCanvas::ForPreviewPage(painter, printer);
//   The picture's (0, 0) is the printable area's top-left corner: to show the
//   whole sheet, scale by widget size / PhysicalWidth() (Height) and translate
//   by PhysicalOffsetX(), PhysicalOffsetY() before QPainter::drawPicture.

#include <QFont>
#include <QFontMetrics>
#include <string_view>
#include <utility>
#include <vector>

#include "core/reports/canvas.h"

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

namespace vimbo {

// A page's geometry in device units.
struct PageMetrics {
  int dpiX = 0;
  int dpiY = 0;
  int physicalWidth = 0;  // the whole sheet
  int physicalHeight = 0;
  int offsetX = 0;  // where the printable area starts on the sheet
  int offsetY = 0;
};

// The metrics of a printer (fullPage off) or PDF writer page: the sheet is
// the page layout's full rectangle, the printable area its paint rectangle.
PageMetrics PageMetricsOf(const QPagedPaintDevice& page);

class QtCanvas final : public Canvas {
 public:
  // Draws with `painter`, which must be active; fonts are measured on the
  // painter's device.
  QtCanvas(QPainter& painter, const PageMetrics& metrics);

  static QtCanvas ForMeasuring(const QPagedPaintDevice& page);
  static QtCanvas ForPage(QPainter& painter, const QPagedPaintDevice& page);
  static QtCanvas ForPreviewPage(QPainter& picturePainter, const QPagedPaintDevice& printer);

  int LogPixelsX() const override { return metrics_.dpiX; }
  int LogPixelsY() const override { return metrics_.dpiY; }
  int PhysicalWidth() const override { return metrics_.physicalWidth; }
  int PhysicalHeight() const override { return metrics_.physicalHeight; }
  int PhysicalOffsetX() const override { return metrics_.offsetX; }
  int PhysicalOffsetY() const override { return metrics_.offsetY; }

  CanvasFont SelectFont(const CanvasFont& font) override;
  FontMetrics Metrics() const override;
  int TextWidth(std::string_view text) const override;

  void DrawText(int x, int y, std::string_view text) override;
  void DrawLine(int x1, int y1, int x2, int y2) override;
  void FillRect(const CanvasRect& rect, int grey) override;

  CanvasRect MeasureBlock(std::string_view text, const CanvasRect& rect, Wrap wrap) const override;
  void DrawBlock(std::string_view text, const CanvasRect& rect, Wrap wrap) override;

  void Save() override;
  void Restore() override;

  // The QFont a canvas font becomes on this canvas's device.
  QFont ToQFont(const CanvasFont& font) const;

 private:
  QtCanvas(QPainter* painter, const QPaintDevice& fontDevice, const PageMetrics& metrics);

  struct Block;
  Block LayOut(std::string_view text, const CanvasRect& rect, Wrap wrap) const;
  // The lines a paragraph takes when wrapped to `width`.
  int WrappedLines(const QString& paragraph, qreal width) const;
  // Makes `font` the font in use, with its metrics.
  void UseFont(const CanvasFont& font);

  QPainter* painter_;               // null on a measuring canvas
  const QPaintDevice* fontDevice_;  // whose font metrics count
  PageMetrics metrics_;
  CanvasFont font_;
  QFont qfont_;
  // The fonts in use are few and asked for again and again; a QFont and
  // its metrics kept keep their font engine, which a new QFont looks up anew.
  std::vector<std::pair<CanvasFont, QFont>> fonts_;
  QFontMetrics deviceMetrics_;   // qfont_ on the font device
  QFontMetricsF layoutMetrics_;  // qfont_ as a text layout without a device measures it
  std::vector<CanvasFont> saved_;
};

}  // namespace vimbo
