#include "gfx/qt_canvas.h"

#include <QColor>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>
#include <QRect>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <memory>

#include "gfx/display_text.h"

namespace vimbo {
namespace {

// Reports ask for "Times New Roman", which Linux rarely has; Liberation
// Serif has the same widths, so pages break where they would with the
// original face even where fontconfig lacks its alias.
void AddFaceSubstitutes() {
  static const bool added = [] {
    QFont::insertSubstitution("Times New Roman", "Liberation Serif");
    return true;
  }();
  (void)added;
}

// Tab stops every eight average characters, as the reports' text blocks
// were laid out; Qt's own default is a fixed number of pixels, which would
// be far too narrow on a 1200 dpi page.
constexpr int kTabStopChars = 8;

// The paragraphs of a text block. A line feed at the very end closes the
// last line rather than opening an empty one, so an address typed with a
// final Enter prints no gap.
QStringList Paragraphs(std::string_view text) {
  QStringList paragraphs = ToDisplay(text).split(QLatin1Char('\n'));
  if (paragraphs.size() > 1 && paragraphs.back().isEmpty()) paragraphs.removeLast();
  for (QString& paragraph : paragraphs)
    if (paragraph.endsWith(QLatin1Char('\r'))) paragraph.chop(1);
  return paragraphs;
}

// Whether a paragraph's width alone tells whether it fits on one line: no
// tab stops, no control characters (QFontMetrics reads U+009C as the end of
// the text), and nothing a text layout breaks a line at by itself.
bool MeasurableByWidth(const QString& paragraph) {
  for (const QChar c : paragraph) {
    const char16_t u = c.unicode();
    if (u < 0x20 || (u >= 0x7F && u <= 0x9F) || u == 0xAD || u == 0x2028 || u == 0x2029) return false;
  }
  return true;
}

}  // namespace

PageMetrics PageMetricsOf(const QPagedPaintDevice& page) {
  const QPageLayout layout = page.pageLayout();
  const int dpiX = page.logicalDpiX();
  const int dpiY = page.logicalDpiY();
  const QRect sheet = layout.fullRectPixels(dpiX);
  const QRect printable = layout.paintRectPixels(dpiX);
  return {dpiX, dpiY, sheet.width(), sheet.height(), printable.left() - sheet.left(), printable.top() - sheet.top()};
}

// One text block laid out: a QTextLayout per paragraph, its lines placed
// one line height apart from the block's top.
struct QtCanvas::Block {
  std::vector<std::unique_ptr<QTextLayout>> paragraphs;
  int height = 0;
  int width = 0;
};

QtCanvas::QtCanvas(QPainter* painter, const QPaintDevice& fontDevice, const PageMetrics& metrics)
    : painter_(painter), fontDevice_(&fontDevice), metrics_(metrics), deviceMetrics_(QFont()), layoutMetrics_(QFont()) {
  AddFaceSubstitutes();
  UseFont(font_);
}

QtCanvas::QtCanvas(QPainter& painter, const PageMetrics& metrics) : QtCanvas(&painter, *painter.device(), metrics) {}

QtCanvas QtCanvas::ForMeasuring(const QPagedPaintDevice& page) { return QtCanvas(nullptr, page, PageMetricsOf(page)); }

QtCanvas QtCanvas::ForPage(QPainter& painter, const QPagedPaintDevice& page) {
  return QtCanvas(&painter, page, PageMetricsOf(page));
}

// The picture records in the printer's units and measures with the
// printer's fonts, so a preview page breaks exactly as the printed one.
QtCanvas QtCanvas::ForPreviewPage(QPainter& picturePainter, const QPagedPaintDevice& printer) {
  return QtCanvas(&picturePainter, printer, PageMetricsOf(printer));
}

QFont QtCanvas::ToQFont(const CanvasFont& font) const {
  QFont result(ToDisplay(font.face));
  result.setWeight(static_cast<QFont::Weight>(font.weight <= 0 ? 400 : std::clamp(font.weight, 1, 1000)));
  // Unhinted metrics are the same on every device, so a page measured on
  // the printer lays out the same on a preview picture or a PDF.
  result.setHintingPreference(QFont::PreferNoHinting);
  // A height of 0 asks for the device's default size, 12 points.
  const int height = font.height != 0 ? font.height : -(12 * metrics_.dpiY / 72);
  if (height < 0) {
    // Qt's pixel size is the em, the character height without internal leading.
    result.setPixelSize(std::max(1, -height));
    return result;
  }
  // A positive height is the whole cell: scale the em so ascent plus
  // descent come to it.
  result.setPixelSize(height);
  const QFontMetrics metrics(result, fontDevice_);
  const int cell = metrics.ascent() + metrics.descent();
  if (cell > 0) result.setPixelSize(std::max(1, static_cast<int>(std::lround(double(height) * height / cell))));
  return result;
}

void QtCanvas::UseFont(const CanvasFont& font) {
  font_ = font;
  auto known = std::find_if(fonts_.begin(), fonts_.end(), [&](const auto& entry) { return entry.first == font; });
  if (known == fonts_.end()) known = fonts_.insert(fonts_.end(), {font, ToQFont(font)});
  qfont_ = known->second;
  deviceMetrics_ = QFontMetrics(qfont_, fontDevice_);
  layoutMetrics_ = QFontMetricsF(qfont_);
  if (painter_) painter_->setFont(qfont_);
}

CanvasFont QtCanvas::SelectFont(const CanvasFont& font) {
  CanvasFont previous = font_;
  UseFont(font);
  return previous;
}

FontMetrics QtCanvas::Metrics() const {
  return {deviceMetrics_.ascent() + deviceMetrics_.descent(), std::max(0, deviceMetrics_.leading()),
          deviceMetrics_.averageCharWidth()};
}

int QtCanvas::TextWidth(std::string_view text) const { return deviceMetrics_.horizontalAdvance(ToDisplay(text)); }

void QtCanvas::DrawText(int x, int y, std::string_view text) {
  if (!painter_) return;
  painter_->drawText(QPoint(x, y + deviceMetrics_.ascent()), ToDisplay(text));
}

void QtCanvas::DrawLine(int x1, int y1, int x2, int y2) {
  if (!painter_) return;
  // About a hundredth of an inch, so a rule stays visible at 1200 dpi.
  QPen pen(Qt::black, std::max(1, metrics_.dpiY / 100), Qt::SolidLine, Qt::FlatCap);
  painter_->setPen(pen);
  painter_->drawLine(x1, y1, x2, y2);
}

void QtCanvas::FillRect(const CanvasRect& rect, int grey) {
  if (!painter_) return;
  const int level = std::clamp(grey, 0, 255);
  painter_->fillRect(QRect(rect.left, rect.top, rect.Width(), rect.Height()), QColor(level, level, level));
}

QtCanvas::Block QtCanvas::LayOut(std::string_view text, const CanvasRect& rect, Wrap wrap) const {
  const int lineHeight = deviceMetrics_.ascent() + deviceMetrics_.descent();
  QTextOption option;
  option.setWrapMode(wrap == Wrap::kWords ? QTextOption::WordWrap : QTextOption::NoWrap);
  option.setTabStopDistance(std::max(1, kTabStopChars * deviceMetrics_.averageCharWidth()));
  const qreal lineWidth = wrap == Wrap::kWords ? std::max(0, rect.Width()) : 1e9;

  Block block;
  for (const QString& paragraph : Paragraphs(text)) {
    // Laid out without a device: the font's pixel size already is in device
    // units, and Qt would otherwise scale the tab stops by the device's dpi.
    auto layout = std::make_unique<QTextLayout>(paragraph, qfont_);
    layout->setTextOption(option);
    layout->beginLayout();
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
      line.setLineWidth(lineWidth);
      line.setPosition(QPointF(0, block.height));
      block.height += lineHeight;
      block.width = std::max(block.width, static_cast<int>(std::ceil(line.naturalTextWidth())));
    }
    layout->endLayout();
    block.paragraphs.push_back(std::move(layout));
  }
  return block;
}

int QtCanvas::WrappedLines(const QString& paragraph, qreal width) const {
  // A paragraph narrower than the line by more than an em, the most a last
  // glyph can overhang its advance, is one line whatever its break
  // opportunities: the width is shaped just as the layout shapes it, and
  // costs far less than laying it out. A paragraph far longer than the line
  // is not shaped twice.
  const bool mayFit = static_cast<qreal>(paragraph.size()) * deviceMetrics_.averageCharWidth() < 2 * width;
  if (mayFit && MeasurableByWidth(paragraph) &&
      layoutMetrics_.horizontalAdvance(paragraph) + qfont_.pixelSize() < width)
    return 1;
  QTextOption option;
  option.setWrapMode(QTextOption::WordWrap);
  option.setTabStopDistance(std::max(1, kTabStopChars * deviceMetrics_.averageCharWidth()));
  QTextLayout layout(paragraph, qfont_);
  layout.setTextOption(option);
  layout.beginLayout();
  int lines = 0;
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(width);
    ++lines;
  }
  layout.endLayout();
  return lines;
}

CanvasRect QtCanvas::MeasureBlock(std::string_view text, const CanvasRect& rect, Wrap wrap) const {
  CanvasRect measured = rect;
  if (wrap == Wrap::kWords) {
    const int lineHeight = deviceMetrics_.ascent() + deviceMetrics_.descent();
    const qreal width = std::max(0, rect.Width());
    int lines = 0;
    for (const QString& paragraph : Paragraphs(text)) lines += WrappedLines(paragraph, width);
    measured.bottom = rect.top + lines * lineHeight;
    return measured;
  }
  const Block block = LayOut(text, rect, wrap);
  measured.bottom = rect.top + block.height;
  measured.right = rect.left + block.width;
  return measured;
}

void QtCanvas::DrawBlock(std::string_view text, const CanvasRect& rect, Wrap wrap) {
  if (!painter_) return;
  const Block block = LayOut(text, rect, wrap);
  for (const auto& paragraph : block.paragraphs) paragraph->draw(painter_, QPointF(rect.left, rect.top));
}

void QtCanvas::Save() {
  saved_.push_back(font_);
  if (painter_) painter_->save();
}

void QtCanvas::Restore() {
  if (saved_.empty()) return;
  const CanvasFont font = saved_.back();
  saved_.pop_back();
  if (painter_) painter_->restore();
  UseFont(font);
}

}  // namespace vimbo
