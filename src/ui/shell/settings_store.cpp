#include "ui/shell/settings_store.h"

#include <QSettings>
#include <QWidget>
#include <array>
#include <utility>

namespace vimbo {
namespace {

// The value names and the fields they fill, in the order they are read and
// written. The sixth name really has "wp" where the fifth has "pt"; stored
// settings depend on it.
std::array<std::pair<const char*, int WindowPlacementStore::*>, 10> Fields() {
  using W = WindowPlacementStore;
  return {{{"wp.showCmd", &W::showCmd},
           {"wp.flags", &W::flags},
           {"wp.ptMinPosition.x", &W::minX},
           {"wp.ptMinPosition.y", &W::minY},
           {"wp.ptMaxPosition.x", &W::maxX},
           {"wp.wpMaxPosition.y", &W::maxY},
           {"wp.left", &W::left},
           {"wp.right", &W::right},
           {"wp.top", &W::top},
           {"wp.bottom", &W::bottom}}};
}

}  // namespace

std::unique_ptr<QSettings> OpenSettings() {
  return std::make_unique<QSettings>(QStringLiteral("Brenwick"), QStringLiteral("Vimbo"));
}

bool WindowPlacementStore::ReadAndApply(QSettings& settings, QWidget& window, const QRect& screen) {
  settings.beginGroup(QLatin1String(kSettingsGroup));
  const bool stored = !settings.childKeys().isEmpty();
  for (const auto& [name, field] : Fields()) {
    bool ok = false;
    const int value = settings.value(QLatin1String(name)).toInt(&ok);
    if (ok) this->*field = value;
  }
  settings.endGroup();
  if (!stored) return false;

  // Values from a damaged or hand-edited file must not overflow the
  // rectangle arithmetic below: a rectangle beyond any screen, or turned
  // inside out, is no placement at all.
  constexpr int kFarthest = 1 << 24;
  for (int edge : {left, right, top, bottom})
    if (edge <= -kFarthest || edge >= kFarthest) return false;
  if (right <= left || bottom <= top) return false;

  const QRect normal(QPoint(left, top), QPoint(right - 1, bottom - 1));
  if (!normal.intersects(screen)) return false;

  window.setGeometry(normal);
  switch (showCmd) {
    case kShowMinimized: window.showMinimized(); break;
    case kShowMaximized: window.showMaximized(); break;
    default: window.showNormal(); break;
  }
  return true;
}

bool WindowPlacementStore::CaptureAndWrite(QSettings& settings, const QWidget& window) {
  const Qt::WindowStates state = window.windowState();
  showCmd = state & Qt::WindowMinimized ? kShowMinimized : state & Qt::WindowMaximized ? kShowMaximized : kShowNormal;
  flags = 0;
  minX = minY = maxX = maxY = -1;
  // A window that was never shown or is maximized reports its restored
  // rectangle as normalGeometry.
  const QRect normal = window.normalGeometry().isValid() ? window.normalGeometry() : window.geometry();
  left = normal.left();
  top = normal.top();
  right = normal.left() + normal.width();
  bottom = normal.top() + normal.height();

  settings.beginGroup(QLatin1String(kSettingsGroup));
  for (const auto& [name, field] : Fields()) settings.setValue(QLatin1String(name), this->*field);
  settings.endGroup();
  settings.sync();
  return settings.status() == QSettings::NoError;
}

}  // namespace vimbo
