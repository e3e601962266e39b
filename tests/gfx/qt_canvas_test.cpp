#include "gfx/qt_canvas.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFontInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <QTextLayout>
#include <cmath>
#include <optional>

#include "gfx/display_text.h"

namespace vimbo {
namespace {

constexpr int kDpi = 600;

// A white image of known resolution with a painter and a canvas on it.
class ImagePage {
 public:
  explicit ImagePage(int dpi = kDpi, QSize size = QSize(2000, 1000)) : image_(size, QImage::Format_RGB32) {
    image_.fill(Qt::white);
    image_.setDotsPerMeterX(static_cast<int>(std::lround(dpi / 0.0254)));
    image_.setDotsPerMeterY(static_cast<int>(std::lround(dpi / 0.0254)));
    painter_.emplace(&image_);
    canvas_.emplace(*painter_, PageMetrics{dpi, dpi, size.width(), size.height(), 0, 0});
  }

  QtCanvas& Canvas() { return *canvas_; }
  const QImage& Finish() {
    painter_->end();
    return image_;
  }

 private:
  QImage image_;
  std::optional<QPainter> painter_;
  std::optional<QtCanvas> canvas_;
};

// The smallest rectangle holding every pixel that is not white.
QRect InkBounds(const QImage& image) {
  QRect bounds;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) != qRgb(255, 255, 255)) bounds |= QRect(x, y, 1, 1);
    }
  }
  return bounds;
}

const CanvasFont kSerif{"Liberation Serif", -100, 400};

TEST(QtCanvasFonts, HeightsAndWeightsBecomeTheSizesAsked) {
  ImagePage page;
  QtCanvas& canvas = page.Canvas();

  canvas.SelectFont(kSerif);
  const FontMetrics regular = canvas.Metrics();
  // The em is 100; the cell adds the internal leading above it.
  EXPECT_GT(regular.height, 100);
  EXPECT_LT(regular.height, 125);
  EXPECT_GE(regular.externalLeading, 0);
  EXPECT_GT(regular.averageCharWidth, 20);
  const int regularWidth = canvas.TextWidth("Hello World");

  const CanvasFont previous = canvas.SelectFont({"Liberation Serif", -200, 400});
  EXPECT_EQ(previous, kSerif);
  EXPECT_NEAR(canvas.Metrics().height, 2 * regular.height, 2);
  EXPECT_NEAR(canvas.TextWidth("Hello World"), 2 * regularWidth, 4);

  canvas.SelectFont({"Liberation Serif", -100, 700});
  EXPECT_GT(canvas.TextWidth("Hello World"), regularWidth);

  // A positive height is the whole cell.
  canvas.SelectFont({"Liberation Serif", 150, 400});
  EXPECT_NEAR(canvas.Metrics().height, 150, 2);
}

TEST(QtCanvasFonts, TimesNewRomanResolvesToAMetricCompatibleSerif) {
  ImagePage page;
  QtCanvas& canvas = page.Canvas();
  EXPECT_EQ(QFontInfo(canvas.ToQFont({"Times New Roman", -100, 400})).family(), "Liberation Serif");
  const std::string sample = "The quick brown fox jumps over the lazy dog";
  canvas.SelectFont(kSerif);
  const int liberation = canvas.TextWidth(sample);
  const int liberationHeight = canvas.Metrics().height;
  canvas.SelectFont({"Times New Roman", -100, 400});
  EXPECT_EQ(canvas.TextWidth(sample), liberation);
  EXPECT_EQ(canvas.Metrics().height, liberationHeight);
}

TEST(QtCanvasFonts, SaveAndRestoreBringBackTheFont) {
  ImagePage page;
  QtCanvas& canvas = page.Canvas();
  canvas.SelectFont(kSerif);
  const int width = canvas.TextWidth("Page 1");
  canvas.Save();
  canvas.SelectFont({"Liberation Serif", -300, 700});
  canvas.Restore();
  EXPECT_EQ(canvas.TextWidth("Page 1"), width);
  canvas.Restore();  // one too many is harmless
  EXPECT_EQ(canvas.TextWidth("Page 1"), width);
}

TEST(QtCanvasBlocks, LineFeedsOnlyBreaksAtLineFeedsAndTakesTheWidestLine) {
  ImagePage page;
  QtCanvas& canvas = page.Canvas();
  canvas.SelectFont(kSerif);
  const int lineHeight = canvas.Metrics().height;
  const CanvasRect start{40, 60, 41, 61};

  const CanvasRect block =
      canvas.MeasureBlock("12 Oak Lane\nApartment 4711, Back Door\nBox 9", start, Canvas::Wrap::kLineFeedsOnly);
  EXPECT_EQ(block.left, 40);
  EXPECT_EQ(block.top, 60);
  EXPECT_EQ(block.Height(), 3 * lineHeight);
  EXPECT_NEAR(block.Width(), canvas.TextWidth("Apartment 4711, Back Door"), 1);

  // Carriage return and line feed make one break; a final line feed opens no empty line.
  EXPECT_EQ(canvas.MeasureBlock("a\r\nb\n", start, Canvas::Wrap::kLineFeedsOnly).Height(), 2 * lineHeight);
  EXPECT_EQ(canvas.MeasureBlock("a\n\nb", start, Canvas::Wrap::kLineFeedsOnly).Height(), 3 * lineHeight);
  const CanvasRect empty = canvas.MeasureBlock("", start, Canvas::Wrap::kLineFeedsOnly);
  EXPECT_EQ(empty.Height(), lineHeight);
  EXPECT_EQ(empty.Width(), 0);

  // A tab reaches the next stop of eight average characters.
  const int tabbed = canvas.MeasureBlock("a\tb", start, Canvas::Wrap::kLineFeedsOnly).Width();
  EXPECT_GE(tabbed, 8 * canvas.Metrics().averageCharWidth);
  EXPECT_LT(tabbed, 8 * canvas.Metrics().averageCharWidth + canvas.TextWidth("b") + 2);
}

TEST(QtCanvasBlocks, WordsWrapWithinTheWidth) {
  ImagePage page;
  QtCanvas& canvas = page.Canvas();
  canvas.SelectFont(kSerif);
  const int lineHeight = canvas.Metrics().height;
  const std::string text = "Called about the spring catalogue and the order of forty chairs for the hall";
  const int fullWidth = canvas.TextWidth(text);
  const CanvasRect rect{100, 50, 100 + fullWidth / 3, 50 + lineHeight};

  const CanvasRect wrapped = canvas.MeasureBlock(text, rect, Canvas::Wrap::kWords);
  EXPECT_EQ(wrapped.left, rect.left);
  EXPECT_EQ(wrapped.right, rect.right) << "wrapping keeps the width";
  EXPECT_EQ(wrapped.Height() % lineHeight, 0);
  EXPECT_GE(wrapped.Height() / lineHeight, 3);
  EXPECT_LE(wrapped.Height() / lineHeight, 5);

  const CanvasRect unwrapped = canvas.MeasureBlock(text, rect, Canvas::Wrap::kLineFeedsOnly);
  EXPECT_EQ(unwrapped.Height(), lineHeight);
  EXPECT_NEAR(unwrapped.Width(), fullWidth, 1);

  // The drawn block stays inside the measured rectangle.
  canvas.DrawBlock(text, wrapped, Canvas::Wrap::kWords);
  const QRect ink = InkBounds(page.Finish());
  EXPECT_GE(ink.left(), rect.left - 2);
  EXPECT_LE(ink.right(), rect.right + 2);
  EXPECT_GE(ink.top(), wrapped.top);
  EXPECT_LE(ink.bottom(), wrapped.bottom);
}

// Measuring takes a shortcut around the full text layout; at every width
// near a text's own, where its line fills up, the height must still be the
// layout's, whatever the text holds.
TEST(QtCanvasBlocks, WrappedHeightsAreThoseOfTheFullLayoutAtEveryWidth) {
  QBuffer buffer;
  QPdfWriter printer(&buffer);
  printer.setResolution(600);
  QtCanvas canvas = QtCanvas::ForMeasuring(printer);
  const CanvasFont font{"Times New Roman", -83, 400};
  canvas.SelectFont(font);
  QTextOption option;
  option.setTabStopDistance(8 * canvas.Metrics().averageCharWidth);
  for (const std::string text :
       {"Called about the catalogue.", "ends on an overhanging f", "trailing blanks   ",
        "  leading  and  double  blanks", "a well-known self-employed co-worker",
        "see http://example.com/a/long/path?q=1", "M\xC3\xBCller caf\xC3\xA9 \xE6\x9D\xB1\xE4\xBA\xAC",
        "soft\xC2\xADhyphen", "line\xE2\x80\xA8separator", "tab\tstop", "C1 \xC2\x9C control", "",
        "two\nparagraphs, the second the longer"}) {
    const int own = canvas.TextWidth(text);
    for (int width = std::max(1, own - 166); width <= own + 166; width += 5) {
      int lines = 0;
      for (const QString& paragraph : ToDisplay(text).split(u'\n')) {
        QTextLayout layout(paragraph, canvas.ToQFont(font));
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine(), ++lines)
          line.setLineWidth(width);
        layout.endLayout();
      }
      ASSERT_EQ(canvas.MeasureBlock(text, {0, 0, width, 0}, Canvas::Wrap::kWords).Height(),
                lines * canvas.Metrics().height)
          << text << " at " << width;
    }
  }
}

TEST(QtCanvasDrawing, TextCellsTopLeftIsThePointGiven) {
  ImagePage page;
  QtCanvas& canvas = page.Canvas();
  canvas.SelectFont(kSerif);
  const FontMetrics metrics = canvas.Metrics();
  canvas.DrawText(300, 200, "HHH");
  const QRect ink = InkBounds(page.Finish());
  EXPECT_NEAR(ink.left(), 300, 10);
  EXPECT_GT(ink.top(), 200) << "the cap height sits below the top of the cell";
  // The baseline: a capital H ends on it.
  const int ascent = QFontMetrics(canvas.ToQFont(kSerif)).ascent();
  EXPECT_NEAR(ink.bottom() + 1, 200 + ascent, 2);
  EXPECT_LT(ink.bottom(), 200 + metrics.height);
}

TEST(QtCanvasDrawing, BytesThatAreNotUtf8AreShownAsWindows1252) {
  ImagePage latin;
  latin.Canvas().SelectFont(kSerif);
  ImagePage utf8;
  utf8.Canvas().SelectFont(kSerif);
  EXPECT_EQ(latin.Canvas().TextWidth("Jos\xE9 M\xFCller"), utf8.Canvas().TextWidth("Jos\xC3\xA9 M\xC3\xBCller"));
  latin.Canvas().DrawText(10, 10, "Jos\xE9 \x80");
  latin.Canvas().DrawBlock("Jos\xE9\n\x80", {10, 300, 500, 600}, Canvas::Wrap::kLineFeedsOnly);
  utf8.Canvas().DrawText(10, 10, "Jos\xC3\xA9 \xE2\x82\xAC");
  utf8.Canvas().DrawBlock("Jos\xC3\xA9\n\xE2\x82\xAC", {10, 300, 500, 600}, Canvas::Wrap::kLineFeedsOnly);
  EXPECT_EQ(latin.Finish(), utf8.Finish());
}

TEST(QtCanvasDrawing, LinesAreAHundredthOfAnInchThick) {
  ImagePage page(1200);
  page.Canvas().DrawLine(100, 500, 1500, 500);
  const QRect ink = InkBounds(page.Finish());
  EXPECT_EQ(ink.height(), 12);
  EXPECT_EQ(ink.left(), 100);
  EXPECT_EQ(ink.right(), 1499);

  ImagePage screen(72);
  screen.Canvas().DrawLine(10, 20, 10, 90);
  EXPECT_EQ(InkBounds(screen.Finish()).width(), 1) << "never thinner than a pixel";
}

// A PDF writer stands in for the printer: both are paged devices.
TEST(QtCanvasPages, MetricsComeFromThePageLayout) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  writer.setResolution(1200);
  writer.setPageSize(QPageSize(QPageSize::Letter));
  writer.setPageMargins(QMarginsF(0.25, 0.5, 0.25, 0.5), QPageLayout::Inch);
  const QtCanvas canvas = QtCanvas::ForMeasuring(writer);
  EXPECT_EQ(canvas.LogPixelsX(), 1200);
  EXPECT_EQ(canvas.LogPixelsY(), 1200);
  EXPECT_EQ(canvas.PhysicalWidth(), 10200);
  EXPECT_EQ(canvas.PhysicalHeight(), 13200);
  EXPECT_EQ(canvas.PhysicalOffsetX(), 300);
  EXPECT_EQ(canvas.PhysicalOffsetY(), 600);
}

TEST(QtCanvasPages, APreviewPictureMeasuresAndDrawsAsThePrinterPage) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter printer(&buffer);
  printer.setResolution(300);
  printer.setPageSize(QPageSize(QPageSize::A4));
  QtCanvas measuring = QtCanvas::ForMeasuring(printer);
  measuring.SelectFont(kSerif);

  QPicture picture;
  QPainter painter(&picture);
  QtCanvas preview = QtCanvas::ForPreviewPage(painter, printer);
  preview.SelectFont(kSerif);
  EXPECT_EQ(preview.Metrics().height, measuring.Metrics().height);
  EXPECT_EQ(preview.TextWidth("Page 1"), measuring.TextWidth("Page 1"));
  EXPECT_EQ(preview.PhysicalWidth(), measuring.PhysicalWidth());
  preview.DrawText(400, 300, "Page 1");
  painter.end();

  // Played back at half size, the text lands at half the position.
  QImage image(1300, 1800, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter player(&image);
  player.scale(0.5, 0.5);
  player.drawPicture(0, 0, picture);
  player.end();
  const QRect ink = InkBounds(image);
  EXPECT_NEAR(ink.left(), 200, 6);
  EXPECT_GT(ink.top(), 150);
  EXPECT_LT(ink.bottom(), 150 + measuring.Metrics().height / 2 + 2);
  EXPECT_NEAR(ink.width(), measuring.TextWidth("Page 1") / 2.0, 8);
}

}  // namespace
}  // namespace vimbo
