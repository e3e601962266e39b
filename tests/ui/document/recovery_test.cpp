#include <gtest/gtest.h>
#include <signal.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QProcess>
#include <QTest>
#include <QThread>
#include <chrono>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/document/document_loader.h"
#include "core/document/document_writer.h"
#include "support/document_setup.h"
#include "support/people.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"
#include "ui/document/document_lock.h"
#include "ui/document/log_document.h"
#include "ui/document/recovery_copies.h"
#include "ui/document/recovery_keeper.h"

namespace vimbo {
namespace {

using testing::ReadBytes;
using testing::ScriptedPrompter;

QString Q(const std::string& path) { return QString::fromStdString(path); }

DocumentData Sample(int persons) { return testing::SmithsDocument(persons); }

std::string WriteSample(const testing::TempDir& dir, const std::string& name, int persons) {
  std::string path = dir.File(name);
  EXPECT_TRUE(Write(Sample(persons), path).IsDone());
  return path;
}

struct KeeperFixture : ::testing::Test {
  KeeperFixture() { document.New(); }
  // Whether the keeper has a copy on disk once what waits is written.
  bool Kept() {
    const bool flushed = keeper->Flush();
    EXPECT_EQ(flushed, QFileInfo::exists(keeper->CopyPath()));
    return flushed;
  }
  QString KeptName() const {
    const std::string info =
        ReadBytes(RecoveryInfoPath(folder, QFileInfo(keeper->CopyPath()).baseName()).toStdString());
    return QJsonDocument::fromJson(QByteArray::fromStdString(info))
        .object()
        .value(QStringLiteral("original"))
        .toString();
  }
  QStringList FolderFiles() const { return QDir(folder).entryList(QDir::Files | QDir::Hidden); }

  testing::TempDir dir;
  QString folder = Q(dir.Path().string());
  testing::TempDir documents;
  ScriptedPrompter prompter;
  LogDocument document{prompter};
  std::unique_ptr<RecoveryKeeper> keeper =
      std::make_unique<RecoveryKeeper>(document, folder, std::chrono::milliseconds(20));
};

TEST_F(KeeperFixture, KeepsACopyExactlyWhileTheDocumentHasUnsavedChanges) {
  const QString saved = Q(documents.File("saved.tch"));
  struct Step {
    const char* what;
    std::function<void()> run;
    bool kept;
    QString name;
  };
  const std::vector<Step> steps = {
      {"a new document", [] {}, false, {}},
      {"a change", [this] { testing::MakeModified(document); }, true, {}},
      {"undone to the saved point", [this] { document.Undo(); }, false, {}},
      {"redone", [this] { document.Redo(); }, true, {}},
      {"saved",
       [&] {
         document.SetFileName(saved);
         document.WriteTo(saved);
       },
       false,
       {}},
      {"changed after the save", [this] { testing::MakeModified(document); }, true, saved},
      {"changed again", [this] { testing::MakeModified(document); }, true, saved},
      {"replaced by a new document (the changes discarded)", [this] { document.New(); }, false, {}},
      {"an untitled document changed", [this] { testing::MakeModified(document); }, true, {}},
      {"opened after the changes were discarded", [&] { document.Load(saved); }, false, {}},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    step.run();
    ASSERT_EQ(Kept(), step.kept);
    if (!step.kept) continue;
    // Byte for byte what a save would write now, and the file it belongs to.
    EXPECT_EQ(ReadBytes(keeper->CopyPath().toStdString()), DocumentText(document.Data()));
    EXPECT_EQ(KeptName(), step.name);
    // The program that keeps it runs: nobody is offered it.
    EXPECT_TRUE(AbandonedRecoveryCopies(folder).empty());
  }

  // Written by the timer alone, without a Flush.
  testing::MakeModified(document);
  QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(keeper->CopyPath()), 10000);
  // A normal end of the program leaves nothing behind, copy, description
  // or lock.
  keeper.reset();
  EXPECT_EQ(FolderFiles(), QStringList());
}

TEST_F(KeeperFixture, TheCopiesOfProgramsThatAreGoneAreListedLockedAndDiscarded) {
  const std::string text = DocumentText(Sample(2));
  const auto put = [this](const QString& id, const char* extension, const std::string& bytes) {
    testing::WriteBytes(QStringLiteral("%1/%2.%3").arg(folder, id, QLatin1String(extension)).toStdString(), bytes);
  };
  // "old": a document with its description.
  put(QStringLiteral("old"), "tch", text);
  put(QStringLiteral("old"), "json",
      RecoveryInfoText(QStringLiteral("/docs/a.tch"), QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5), Qt::UTC)));
  // "bare": killed before its description was written: untitled, from the
  // file's time.
  put(QStringLiteral("bare"), "tch", text);
  // "gone": a description alone is removed.
  put(QStringLiteral("gone"), "json", RecoveryInfoText(QString(), QDateTime::currentDateTime()));
  // "live": its program (here, this one) still runs.
  put(QStringLiteral("live"), "tch", text);
  QLockFile live(RecoveryLockPath(folder, QStringLiteral("live")));
  ASSERT_TRUE(live.tryLock(0));

  {
    const std::vector<RecoveryCopy> copies = AbandonedRecoveryCopies(folder);
    ASSERT_EQ(copies.size(), 2u);
    EXPECT_EQ(copies[0].id, "old");
    EXPECT_EQ(copies[0].originalPath, "/docs/a.tch");
    EXPECT_EQ(copies[0].changed, QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5), Qt::UTC));
    EXPECT_EQ(copies[1].id, "bare");
    EXPECT_EQ(copies[1].originalPath, QString());
    EXPECT_EQ(copies[1].changed, QFileInfo(RecoveryDocumentPath(folder, QStringLiteral("bare"))).lastModified());
    EXPECT_FALSE(QFileInfo::exists(RecoveryInfoPath(folder, QStringLiteral("gone"))));
    DocumentData read;
    ASSERT_TRUE(ReadRecoveryCopy(copies[0], read));
    EXPECT_EQ(DocumentText(read), text);
    // A second program starting meanwhile is not offered them.
    EXPECT_TRUE(AbandonedRecoveryCopies(folder).empty());
    DiscardRecoveryCopy(copies[0]);
  }
  const std::vector<RecoveryCopy> left = AbandonedRecoveryCopies(folder);
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left[0].id, "bare");
  EXPECT_EQ(FolderFiles(), QStringList({"bare.lock", "bare.tch", "live.lock", "live.tch"}));
}

TEST_F(KeeperFixture, RecoverLeavesTheDocumentModifiedUnderItsNameAndTheFileUntouched) {
  const std::string path = WriteSample(documents, "a.tch", 1);
  const std::string original = ReadBytes(path);
  std::vector<bool> modifiedSignals;
  QObject::connect(&document, &LogDocument::modifiedChanged,
                   [&](bool modified) { modifiedSignals.push_back(modified); });

  ASSERT_TRUE(document.Recover(Sample(3), Q(path)).IsDone());
  EXPECT_EQ(document.FileName(), Q(path));
  EXPECT_TRUE(document.IsModified());
  EXPECT_FALSE(document.IsReadOnly());
  EXPECT_EQ(modifiedSignals, std::vector<bool>{true});
  EXPECT_EQ(document.Data().persons.Size(), 3u);
  EXPECT_EQ(ReadBytes(path), original);
  // No undo makes it match the file again; the file is this window's own.
  EXPECT_FALSE(document.Undo());
  EXPECT_TRUE(document.IsModified());
  EXPECT_FALSE(DocumentLock().Take(Q(path)));
  // It is saved where it came from, without a question.
  ASSERT_TRUE(document.Save(nullptr).IsDone());
  EXPECT_EQ(ReadBytes(path), DocumentText(Sample(3)));

  // Untitled changes stay untitled.
  ASSERT_TRUE(document.Recover(Sample(2), QString()).IsDone());
  EXPECT_EQ(document.Title(), "Untitled");
  EXPECT_TRUE(document.IsModified());
  EXPECT_TRUE(DocumentLock().Take(Q(path)));
}

// A child process keeping a document that changes every 100 ms, and what
// it printed.
struct KilledChild {
  testing::TempDir folder;
  testing::TempDir documents;
  std::string document;
  std::unique_ptr<QProcess> child = std::make_unique<QProcess>();
  QByteArray output;
  qint64 deadline = -1;
  bool killed = false;

  QString Folder() const { return Q(folder.Path().string()); }
};

// The copy holds the changes in order, every one made more than two seconds
// before the child's last line, and at most one more than it printed (the
// kill may come between a change and its line).
void ExpectEveryChangeOlderThanTwoSecondsKept(const KilledChild& round) {
  constexpr qint64 kPromiseMs = 2000;
  std::vector<qint64> times;
  for (const QByteArray& line : round.output.split('\n'))
    if (!line.isEmpty()) times.push_back(line.split(' ').value(1).toLongLong());
  ASSERT_FALSE(times.empty());
  const qint64 lastSeen = times.back();
  std::size_t promised = 0;
  while (promised < times.size() && times[promised] <= lastSeen - kPromiseMs) ++promised;

  const std::vector<RecoveryCopy> copies = AbandonedRecoveryCopies(round.Folder());
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_EQ(copies[0].originalPath, Q(round.document));
  DocumentData recovered;
  ASSERT_TRUE(ReadRecoveryCopy(copies[0], recovered));
  const std::size_t kept = recovered.persons.Size();
  EXPECT_GE(kept, promised) << "printed " << times.size();
  EXPECT_LE(kept, times.size() + 1);
  std::size_t number = 0;
  for (const auto& [id, person] : recovered.persons) EXPECT_EQ(person.LName.view(), "P" + std::to_string(++number));
}

// Children killed with SIGKILL at random moments. The times are the child's
// own, and the kill is measured from its last line, so a machine that
// stalls the child only makes the test ask less, never fail.
TEST(RecoveryAfterAKill, TheCopyHoldsEveryChangeMadeTwoSecondsBeforeTheKill) {
  constexpr int kRounds = 3;
  std::random_device seed;
  const unsigned seedValue = seed();
  SCOPED_TRACE(::testing::Message() << "seed " << seedValue);
  std::mt19937 random(seedValue);
  std::uniform_int_distribution<int> killAfter(2300, 4300);

  std::vector<KilledChild> rounds(kRounds);
  QElapsedTimer clock;
  clock.start();
  for (KilledChild& round : rounds) {
    round.document = WriteSample(round.documents, "log.tch", 0);
    round.child->start(QStringLiteral(VIMBO_RECOVERY_CHILD), {round.Folder(), Q(round.document)});
    ASSERT_TRUE(round.child->waitForStarted(30000));
  }
  // The kill comes at a random moment after the child's first change.
  int left = kRounds;
  while (left > 0) {
    ASSERT_LT(clock.elapsed(), 60000) << "a child never started changing its document";
    QThread::msleep(5);
    for (KilledChild& round : rounds) {
      if (round.killed) continue;
      round.child->waitForReadyRead(0);
      round.output += round.child->readAllStandardOutput();
      if (round.deadline < 0 && round.output.contains('\n')) round.deadline = clock.elapsed() + killAfter(random);
      if (round.deadline < 0 || clock.elapsed() < round.deadline) continue;
      // While the child runs, its copy is nobody's to offer.
      EXPECT_TRUE(AbandonedRecoveryCopies(round.Folder()).empty());
      ::kill(static_cast<pid_t>(round.child->processId()), SIGKILL);
      round.killed = true;
      --left;
    }
  }
  for (KilledChild& round : rounds) {
    ASSERT_TRUE(round.child->waitForFinished(30000));
    EXPECT_EQ(round.child->exitStatus(), QProcess::CrashExit);
    round.output += round.child->readAllStandardOutput();
    ExpectEveryChangeOlderThanTwoSecondsKept(round);
  }
}

}  // namespace
}  // namespace vimbo
