#include "ui/kit/dialog_units.h"

#include <QFontMetrics>

namespace vimbo {
namespace {

// Rounds units * base / divisor to the nearest pixel.
int Scale(int units, int base, int divisor) {
  const long long product = static_cast<long long>(units) * base;
  const long long half = divisor / 2;
  return static_cast<int>(product >= 0 ? (product + half) / divisor : (product - half) / divisor);
}

}  // namespace

// The average width is measured over the 52 letters and rounded the way the
// dialog templates the layout was drawn for expect.
DialogUnits::DialogUnits(const QFontMetrics& metrics)
    : baseX_(
          (metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 26 + 1) /
          2),
      baseY_(metrics.height()) {}

int DialogUnits::X(int units) const { return Scale(units, baseX_, 4); }

int DialogUnits::Y(int units) const { return Scale(units, baseY_, 8); }

}  // namespace vimbo
