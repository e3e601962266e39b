#pragma once
// Where the program keeps what it remembers between runs: the main window's
// placement and the recent-file list, under the same group and value names
// on every platform (the registry on Windows, a configuration file elsewhere).

#include <QRect>
#include <QString>
#include <memory>

class QSettings;
class QWidget;

namespace vimbo {

std::unique_ptr<QSettings> OpenSettings();

inline constexpr const char* kSettingsGroup = "Settings";
inline constexpr const char* kRecentFilesGroup = "Recent Document List";

// The stored form of a window's placement: the show state and the normal
// (restored) rectangle, with the positions a minimized or maximized window
// had. Show states: 1 normal, 2 minimized, 3 maximized.
struct WindowPlacementStore {
  static constexpr int kShowNormal = 1;
  static constexpr int kShowMinimized = 2;
  static constexpr int kShowMaximized = 3;

  int showCmd = 0;
  int flags = 0;
  int minX = 0, minY = 0;
  int maxX = 0, maxY = 0;
  int left = 0, right = 0, top = 0, bottom = 0;

  // Reads the stored values and applies them to `window` (which also shows
  // it in the stored state). False, with nothing applied, when nothing is
  // stored or the normal rectangle lies wholly outside `screen`.
  bool ReadAndApply(QSettings& settings, QWidget& window, const QRect& screen);

  // Takes `window`'s placement and writes it.
  bool CaptureAndWrite(QSettings& settings, const QWidget& window);
};

}  // namespace vimbo
