// The window icon is drawn from the icon picture built into the program: a
// missing or broken picture would leave the window with a blank icon.

#include <gtest/gtest.h>

#include <QImage>

#include "ui/kit/artwork.h"

namespace vimbo {
namespace {

TEST(ProgramIcon, DrawsTheWhiteVOnTheBlueSquareAtEverySize) {
  const QIcon icon = ProgramIcon();
  ASSERT_FALSE(icon.isNull());
  for (const int size : {16, 32, 256}) {
    const QImage image = icon.pixmap(size, size).toImage();
    ASSERT_EQ(image.size(), QSize(size, size)) << size;
    // The rounded corner is see-through, the square's edge blue, the V white.
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << size;
    const QColor edge = image.pixelColor(size / 8, size / 2);
    EXPECT_GT(edge.blue(), edge.red() + 60) << size;
    EXPECT_EQ(edge.alpha(), 255) << size;
    const QColor stroke = image.pixelColor(size / 2, size / 2);
    EXPECT_GT(stroke.lightness(), 230) << size;
  }
}

}  // namespace
}  // namespace vimbo
