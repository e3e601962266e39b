// Vimbo, the desktop program. Each argument that is not an option names a
// document to open; "--no-splash" skips the splash window. The command line
// is read before any window system is reached, so --help, --version and a
// mistyped option work without a display, and a missing display is told in
// one line rather than by the toolkit's abort.

#include <QApplication>
#include <QCommandLineParser>
#include <QStringList>
#include <cstdio>

#include "ui/document/recovery_copies.h"
#include "ui/document/recovery_keeper.h"
#include "ui/kit/qt_prompter.h"
#include "ui/shell/main_frame.h"
#include "ui/shell/program_setup.h"
#include "ui/shell/recovery_offer.h"
#include "vimbo_version.h"

namespace {

constexpr int kNoDisplay = 1;
constexpr int kUsageError = 2;

constexpr const char* kHelp =
    "Usage: vimbo [options] [document.tch ...]\n"
    "Vimbo keeps a log of contacts with people. Each document named is opened.\n"
    "\n"
    "Options:\n"
    "  --no-splash    Start without the splash window.\n"
    "  -h, --help     Print this help and exit.\n"
    "  -v, --version  Print the version and exit.\n"
    "\n"
    "Qt's own options, such as -platform NAME, -style NAME and -reverse, are\n"
    "accepted too.\n";

// QApplication takes these from the command line itself; they are known
// here only so that they are not taken for mistakes.
void AcceptQtOptions(QCommandLineParser& parser) {
  const char* const withValue[] = {
      "platform",     "platformpluginpath", "platformtheme",   "plugin",      "style",        "stylesheet", "session",
      "display",      "geometry",           "qwindowgeometry", "qwindowicon", "qwindowtitle", "title",      "name",
      "qmljsdebugger"};
  const char* const switches[] = {"reverse", "widgetcount", "nograb", "dograb", "sync", "testability"};
  for (const char* name : withValue) {
    QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }
  for (const char* name : switches) {
    QCommandLineOption option(QString::fromLatin1(name));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }
}

QStringList ArgumentList(int argc, char** argv) {
  QStringList list;
  for (int i = 0; i < argc; ++i) list.append(QString::fromLocal8Bit(argv[i]));
  return list;
}

}  // namespace

int main(int argc, char** argv) {
  QCommandLineParser parser;
  // Qt's options are written with one dash ("-style"), so one dash starts a
  // long option here too, and "--no-splash" still reads as before.
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("?")});
  const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
  const QCommandLineOption noSplash(QStringLiteral("no-splash"));
  parser.addOptions({help, version, noSplash});
  AcceptQtOptions(parser);
  if (!parser.parse(ArgumentList(argc, argv))) {
    std::fprintf(stderr, "vimbo: %s\nTry 'vimbo --help' for more information.\n",
                 parser.errorText().toLocal8Bit().constData());
    return kUsageError;
  }
  if (parser.isSet(help)) {
    std::fputs(kHelp, stdout);
    return 0;
  }
  if (parser.isSet(version)) {
    std::printf("vimbo %s\n", VIMBO_VERSION);
    return 0;
  }
  if (vimbo::NoDisplayFor(argc, argv)) {
    std::fputs("vimbo: no display found; run it on a desktop or under xvfb-run\n", stderr);
    return kNoDisplay;
  }

  QApplication application(argc, argv);
  vimbo::SetUpRunningProgram();

  vimbo::QtPrompter prompter;
  vimbo::MainFrame frame(prompter, {QString(), !parser.isSet(noSplash)});
  // The window's document is kept safe from the start; a normal end
  // removes its copy, a crash leaves it for the next start.
  const QString recoveryFolder = vimbo::RecoveryFolder();
  vimbo::RecoveryKeeper keeper(frame.Doc(), recoveryFolder);
  // Recovered changes are not replaced by the documents named.
  if (!vimbo::OfferRecovery(frame.Doc(), keeper, prompter, &frame, recoveryFolder))
    frame.OpenStartupFiles(parser.positionalArguments());
  if (!frame.RestorePlacement()) frame.show();
  frame.ShowTodayIfDue();
  return application.exec();
}
