#include "ui/shell/program_setup.h"

#include <QApplication>
#include <QString>
#include <clocale>

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

}  // namespace vimbo
