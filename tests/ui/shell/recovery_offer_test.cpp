#include <gtest/gtest.h>

#include <QDateTime>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>
#include <chrono>
#include <memory>
#include <string>

#include "core/document/document_writer.h"
#include "support/document_setup.h"
#include "support/people.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"
#include "ui/document/recovery_copies.h"
#include "ui/document/recovery_keeper.h"
#include "ui/shell/main_frame.h"
#include "ui/shell/recovery_offer.h"
#include "ui/shell/settings_store.h"

namespace vimbo {
namespace {

using testing::ReadBytes;
using testing::ScriptedPrompter;

QString Q(const std::string& path) { return QString::fromStdString(path); }

DocumentData Sample(int persons) { return testing::SmithsDocument(persons); }

QDateTime At(int hour) { return QDateTime(QDate(2026, 3, 4), QTime(hour, 5, 9)); }

struct OfferFixture : ::testing::Test {
  OfferFixture() {
    OpenSettings()->clear();
    frame = std::make_unique<MainFrame>(prompter, MainFrame::Options{QStringLiteral(VIMBO_HELP_DIR), false});
    keeper = std::make_unique<RecoveryKeeper>(frame->Doc(), folder, std::chrono::milliseconds(20));
  }
  ~OfferFixture() override {
    keeper.reset();
    testing::MarkUnmodified(frame->Doc());
  }
  // Leaves a copy as a program killed with unsaved changes does.
  void Leave(const char* id, const QString& original, const QDateTime& changed, const std::string& text) {
    testing::WriteBytes(RecoveryDocumentPath(folder, QLatin1String(id)).toStdString(), text);
    testing::WriteBytes(RecoveryInfoPath(folder, QLatin1String(id)).toStdString(), RecoveryInfoText(original, changed));
  }
  bool Left(const char* id) const { return QFileInfo::exists(RecoveryDocumentPath(folder, QLatin1String(id))); }
  bool Offer() { return OfferRecovery(frame->Doc(), *keeper, prompter, frame.get(), folder); }

  testing::TempDir dir;
  QString folder = Q(dir.Path().string());
  testing::TempDir documents;
  ScriptedPrompter prompter;
  std::unique_ptr<MainFrame> frame;
  std::unique_ptr<RecoveryKeeper> keeper;
};

TEST_F(OfferFixture, LaterDiscardAndRecoverInTheWindow) {
  const std::string path = documents.File("a.tch");
  ASSERT_TRUE(Write(Sample(1), path).IsDone());
  const std::string original = ReadBytes(path);
  const std::string changes = DocumentText(Sample(3));
  Leave("later", QString(), At(9), DocumentText(Sample(2)));
  Leave("discard", QStringLiteral("/nowhere/b.tch"), At(10), changes);
  Leave("recover", Q(path), At(11), changes);
  Leave("next", QString(), At(12), changes);

  prompter.choices = {2, 1, 0};
  EXPECT_TRUE(Offer());
  // The oldest first, until one is recovered.
  const QString from = QStringLiteral("Vimbo found unsaved changes to %1 from %2.");
  EXPECT_EQ(prompter.Texts(),
            std::vector<QString>({from.arg(QStringLiteral("Untitled"), RecoveryTimeText(At(9))),
                                  from.arg(QStringLiteral("/nowhere/b.tch"), RecoveryTimeText(At(10))),
                                  from.arg(Q(path), RecoveryTimeText(At(11)))}));
  for (const QStringList& offered : prompter.offered) EXPECT_EQ(offered, QStringList({"Recover", "Discard", "Later"}));
  EXPECT_TRUE(prompter.messages[0].owned);

  // The window shows the changes, modified, under the file's name; the
  // file is as it was.
  EXPECT_EQ(frame->windowTitle(), QStringLiteral("Vimbo [%1]").arg(Q(path)));
  EXPECT_TRUE(frame->Doc().IsModified());
  EXPECT_EQ(DocumentText(frame->Doc().Data()), changes);
  EXPECT_EQ(ReadBytes(path), original);

  // The recovered changes are in this program's own copy before the old
  // one goes; the copies not recovered wait for the next start.
  EXPECT_EQ(ReadBytes(keeper->CopyPath().toStdString()), changes);
  EXPECT_FALSE(Left("recover"));
  EXPECT_FALSE(Left("discard"));
  EXPECT_FALSE(QFileInfo::exists(RecoveryInfoPath(folder, QStringLiteral("discard"))));
  EXPECT_TRUE(Left("later"));
  EXPECT_TRUE(Left("next"));
  const std::vector<RecoveryCopy> waiting = AbandonedRecoveryCopies(folder);
  ASSERT_EQ(waiting.size(), 2u);
  EXPECT_EQ(waiting[0].id, "later");
  EXPECT_EQ(waiting[1].id, "next");
}

TEST_F(OfferFixture, ACopyThatCannotBeReadIsSaidSoAndKept) {
  Leave("broken", QString(), At(9), "not a document");
  prompter.choices = {0};
  prompter.answers = {ScriptedPrompter::Answer::kOk};
  EXPECT_FALSE(Offer());
  EXPECT_EQ(prompter.Texts().back(), "The unsaved changes to Untitled cannot be read.");
  EXPECT_FALSE(frame->Doc().IsModified());
  EXPECT_TRUE(Left("broken"));

  // A folder without copies asks nothing.
  EXPECT_FALSE(OfferRecovery(frame->Doc(), *keeper, prompter, frame.get(), Q(documents.Path().string())));
  EXPECT_EQ(prompter.messages.size(), 2u);
}

TEST(RecoveryTimeText, TheLocalesShortDateWithFourDigitYearsAndItsShortTime) {
  const QLocale previous;
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  EXPECT_EQ(RecoveryTimeText(At(14)), "04.03.2026 14:05");
  QLocale::setDefault(previous);
}

}  // namespace
}  // namespace vimbo
