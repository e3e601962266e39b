#pragma once
// Form geometry is given in dialog units, which scale with the form's font:
// a horizontal unit is a quarter of the font's average character width, a
// vertical unit an eighth of its height. At 8 pt on a 96 dpi screen that is
// about 1.5 by 1.625 pixels.

#include <QSize>

class QFontMetrics;

namespace vimbo {

class DialogUnits {
 public:
  explicit DialogUnits(const QFontMetrics& metrics);

  int X(int units) const;
  int Y(int units) const;
  QSize Size(int width, int height) const { return {X(width), Y(height)}; }

 private:
  int baseX_;
  int baseY_;
};

}  // namespace vimbo
