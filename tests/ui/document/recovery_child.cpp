// The program the crash test kills. It opens DOCUMENT, keeps it with a
// RecoveryKeeper in FOLDER as the desktop program does, and adds a person
// named "P1", "P2", ... every 100 ms, printing after each one a line
// "NUMBER MILLISECONDS": the number and the time just before the change,
// in milliseconds since the epoch, by this program's own clock.
// Usage: recovery_child FOLDER DOCUMENT

#include <QCoreApplication>
#include <QDateTime>
#include <QString>
#include <QTimer>
#include <cstdio>
#include <string>

#include "support/scripted_prompter.h"
#include "ui/document/log_document.h"
#include "ui/document/recovery_keeper.h"

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  if (argc != 3) {
    std::fputs("usage: recovery_child FOLDER DOCUMENT\n", stderr);
    return 2;
  }
  vimbo::testing::ScriptedPrompter prompter;
  vimbo::LogDocument document(prompter);
  if (!document.Load(QString::fromLocal8Bit(argv[2])).IsDone()) return 1;
  vimbo::RecoveryKeeper keeper(document, QString::fromLocal8Bit(argv[1]));
  int number = 0;
  QTimer changes;
  QObject::connect(&changes, &QTimer::timeout, [&] {
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    vimbo::Person person;
    person.LName = "P" + std::to_string(++number);
    document.Run(&vimbo::DocumentEditor::AddPerson, person);
    std::printf("%d %lld\n", number, static_cast<long long>(now));
    std::fflush(stdout);
  });
  changes.start(100);
  return QCoreApplication::exec();
}
