#include "ui/shell/program_setup.h"

#include <sys/stat.h>
#include <QApplication>
#include <QString>

#include <clocale>
#include <cstdlib>
#include <string>
#include <string_view>

#include "ui/kit/accessible_combo_box.h"
#include "vimbo_version.h"

namespace vimbo {

void SetUpRunningProgram() {
  // The settings live under these names.
  QApplication::setApplicationName(QStringLiteral("Vimbo"));
  QApplication::setOrganizationName(QStringLiteral("Brenwick"));
  // Desktops match the window to its launcher entry and icon by this name.
  QGuiApplication::setDesktopFileName(QStringLiteral(VIMBO_APP_ID));
  InstallAccessibleComboBoxes();
  // Dates in lists and reports follow the user's regional settings; numbers
  // in files never do. Set after Qt, which sets the whole locale itself.
  std::setlocale(LC_ALL, "");
  std::setlocale(LC_NUMERIC, "C");
}

namespace {

std::string_view Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::string_view(value) : std::string_view();
}

// Qt reads its options with one dash or two.
bool IsOption(const char* argument, std::string_view name) {
  std::string_view text(argument);
  if (text.starts_with("--")) text.remove_prefix(1);
  return text.size() == name.size() + 1 && text[0] == '-' && text.substr(1) == name;
}

bool WaylandSocketExists() {
  const std::string_view runtime = Environment("XDG_RUNTIME_DIR");
  if (runtime.empty()) return false;
  // Without WAYLAND_DISPLAY the Wayland client library connects to this one.
  const std::string path = std::string(runtime) + "/wayland-0";
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0;
}

}  // namespace

bool NoDisplayFor(int argc, const char* const* argv) {
  // The window system is chosen as Qt chooses it: its built-in default (X11,
  // or Wayland in a Wayland session: both need a display server), then
  // QT_QPA_PLATFORM, then -platform on the command line, the last one given
  // winning. A list separated by ';' is tried in order, and a name may carry
  // settings after ':'.
  std::string_view platforms = Environment("QT_QPA_PLATFORM");
  if (platforms.empty()) platforms = "xcb";
  bool displayArgument = false;
  for (int i = 1; i + 1 < argc; ++i) {
    if (IsOption(argv[i], "platform")) {
      platforms = argv[++i];
    } else if (IsOption(argv[i], "display")) {
      displayArgument = true;
      ++i;
    }
  }
  // Any display named is left for Qt to try, even one its first choice of
  // window system does not use: Qt may find its way to it.
  if (displayArgument || !Environment("DISPLAY").empty() || !Environment("WAYLAND_DISPLAY").empty() ||
      WaylandSocketExists()) {
    return false;
  }
  while (!platforms.empty()) {
    const size_t end = platforms.find(';');
    std::string_view name = platforms.substr(0, end);
    platforms = end == std::string_view::npos ? std::string_view() : platforms.substr(end + 1);
    name = name.substr(0, name.find(':'));
    if (!name.empty() && name != "xcb" && !name.starts_with("wayland")) return false;
  }
  return true;
}

}  // namespace vimbo
