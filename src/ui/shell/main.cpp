// Vimbo, the desktop program. Each argument that does not start with "-"
// names a document to open; "--no-splash" skips the splash window; Qt's own
// options are taken by QApplication first.

#include <QApplication>
#include <QStringList>
#include <clocale>

#include "ui/kit/qt_prompter.h"
#include "ui/shell/main_frame.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vimbo"));
  QApplication::setOrganizationName(QStringLiteral("Brenwick"));
  // Dates in lists and reports follow the user's regional settings; numbers
  // in files never do.
  std::setlocale(LC_ALL, "");
  std::setlocale(LC_NUMERIC, "C");

  QStringList documents;
  bool splash = true;
  const QStringList arguments = QApplication::arguments().mid(1);
  for (const QString& argument : arguments) {
    if (argument == QLatin1String("--no-splash"))
      splash = false;
    else if (!argument.startsWith(QLatin1Char('-')))
      documents.append(argument);
  }

  vimbo::QtPrompter prompter;
  vimbo::MainFrame frame(prompter, {QString(), splash});
  frame.OpenStartupFiles(documents);
  if (!frame.RestorePlacement()) frame.show();
  return application.exec();
}
