#include <clocale>
#include <iostream>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "cli/command_support.h"

#ifdef VIMBO_CLI_REPORTS
#include <QGuiApplication>

namespace {

// Standard error carries the program's own messages; Qt's notes about its
// environment (no runtime folder, no display) would only confuse scripts.
void KeepSeriousQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << message.toLocal8Bit().constData() << "\n";
}

}  // namespace
#endif

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
#ifdef VIMBO_CLI_REPORTS
  // Reports need Qt's fonts, which need an application object; the other
  // commands run without one. No window is shown, so no display is needed.
  std::unique_ptr<QGuiApplication> application;
  if (!args.empty() && args[0] == "report") {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(KeepSeriousQtMessages);
    application = std::make_unique<QGuiApplication>(argc, argv);
  }
#endif
  // Dates in exports and reports follow the user's regional settings; set
  // after Qt, which sets the whole locale itself.
  std::setlocale(LC_ALL, "");
  std::setlocale(LC_NUMERIC, "C");
  // Loading and saving turn a lack of memory into their own messages; this
  // is for the work in between, so that a script sees a failure, not an abort.
  try {
    // Only the streams carry the output, so they need not keep step with C's.
    std::ios::sync_with_stdio(false);
    vimbo::cli::KeepDocumentsUntilExit();
    return vimbo::cli::Run(args, std::cin, std::cout, std::cerr);
  } catch (const std::bad_alloc&) {
    std::cerr << "Out of memory.\n";
    return vimbo::cli::kFailure;
  }
}
