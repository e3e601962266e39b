#include <gtest/gtest.h>

#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QWindow>

#include <sys/stat.h>

#include "core/document/document_lock_file.h"
#include "core/document/document_writer.h"
#include "support/document_setup.h"
#include "support/form_widgets.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"
#include "ui/document/document_lock.h"
#include "ui/form/find_bar.h"
#include "ui/form/main_view.h"
#include "ui/kit/command_ids.h"
#include "ui/kit/control_id.h"
#include "ui/kit/qt_prompter.h"
#include "ui/shell/main_frame.h"
#include "ui/shell/settings_store.h"
#include "ui/shell/splash_window.h"

namespace vimbo {
namespace {

using testing::ContactTypeSelector;
using testing::FormControl;
using testing::PersonSelector;

using namespace command;
using testing::ScriptedPrompter;
using Answer = Prompter::Answer;
// A separator in a toolbar list.
constexpr auto kSeparator = static_cast<CommandId>(0);

QString Q(const std::string& path) { return QString::fromStdString(path); }

struct MainFrameFixture : ::testing::Test {
  MainFrameFixture() {
    // Every test starts from empty settings.
    OpenSettings()->clear();
    frame = std::make_unique<MainFrame>(prompter, MainFrame::Options{QStringLiteral(VIMBO_HELP_DIR), false});
  }
  ~MainFrameFixture() override {
    // Nothing may be left for the window to ask about when it goes.
    testing::MarkUnmodified(frame->Doc());
  }

  std::string WriteSample(const std::string& name, int persons = 1) {
    DocumentData data;
    data.AddDefaultContactTypes();
    for (int i = 0; i < persons; ++i) {
      Person person;
      person.ID = data.persons.NextID();
      person.LName = "Person " + std::to_string(person.ID);
      data.persons.Insert(person);
    }
    std::string path = dir.File(name);
    EXPECT_TRUE(Write(data, path).IsDone());
    return path;
  }

  void Modify() { testing::MakeModified(frame->Doc()); }

  bool Enabled(CommandId id) {
    frame->UpdateCommandStates();
    return frame->Action(id)->isEnabled();
  }

  QString StoredRecent(int number) {
    return OpenSettings()->value(QStringLiteral("Recent Document List/Document%1").arg(number)).toString();
  }

  testing::TempDir dir;
  ScriptedPrompter prompter;
  std::unique_ptr<MainFrame> frame;
};

TEST_F(MainFrameFixture, StartsUntitledWithTheDefaultContactTypes) {
  EXPECT_EQ(frame->windowTitle(), "Vimbo [Untitled]");
  EXPECT_FALSE(frame->Doc().IsModified());
  EXPECT_EQ(ContactTypeSelector(frame->View())->count(), 4);
  EXPECT_EQ(frame->statusBar()->currentMessage(), "Ready");
  EXPECT_TRUE(frame->RecentFiles().Entries().isEmpty());
}

TEST_F(MainFrameFixture, MenusHoldEveryItemInOrder) {
  QStringList menus;
  for (QAction* action : frame->menuBar()->actions()) menus.append(action->text());
  EXPECT_EQ(menus, QStringList({"&File", "&Edit", "&Contact", "&Person", "&Reports", "&View", "&Help"}));

  QStringList file;
  for (QAction* action : frame->menuBar()->actions().first()->menu()->actions())
    file.append(action->isSeparator() ? QStringLiteral("-") : action->text());
  EXPECT_EQ(file, QStringList({"&New\tCtrl+N", "&Open...\tCtrl+O", "&Save\tCtrl+S", "Save &As...", "&Merge...", "-",
                               "&Import", "&Export", "-", "Page Set&up...", "P&rint Setup...", "-", "Recent &Files",
                               "-", "E&xit\tCtrl+Q"}));
  QStringList help;
  for (QAction* action : frame->menuBar()->actions().last()->menu()->actions())
    help.append(action->isSeparator() ? QStringLiteral("-") : action->text());
  EXPECT_EQ(help, QStringList({"&Help Topics...", "&About Vimbo...", "-", "&Check For Update..."}));

  EXPECT_EQ(frame->Action(kNew)->statusTip(), "Create a new document");
  EXPECT_EQ(frame->Action(kNew)->toolTip(), "New");
  EXPECT_EQ(frame->Action(kCheckForUpdate)->toolTip(), " Check for a newer version");
  EXPECT_EQ(frame->Action(kHelpMode)->statusTip(), "Puts application in help mode");
  EXPECT_EQ(frame->Action(kPreviousPage)->statusTip(), "View PreviousPage");

  QList<int> toolbar;
  for (QAction* action : frame->MainToolbar()->actions())
    toolbar.append(action->isSeparator() ? 0 : action->data().toInt());
  QList<int> expected;
  for (CommandId id : {kNew, kSeparator, kOpen, kSave, kSeparator, kPersonAdd, kPersonDelete, kPersonEdit,
                       kPersonUpdate, kPersonCancel, kSeparator, kContactAdd, kContactDelete, kContactEdit,
                       kContactUpdate, kContactCancel, kSeparator, kHelpMode})
    expected.append(static_cast<int>(id));
  EXPECT_EQ(toolbar, expected);
  EXPECT_FALSE(frame->PreviewToolbar()->isVisibleTo(frame.get()));
}

TEST_F(MainFrameFixture, CommandEnabling) {
  EXPECT_FALSE(Enabled(kSave));
  for (CommandId id :
       {kNew, kOpen, kSaveAs, kExit, kToolbar, kStatusBar, kHelpTopics, kAbout, kCheckForUpdate, kHelpMode})
    EXPECT_TRUE(Enabled(id)) << id;
  Modify();
  EXPECT_TRUE(Enabled(kSave));
  // Nothing is chosen to print yet.
  EXPECT_FALSE(Enabled(kPrint));
  EXPECT_FALSE(Enabled(kPrintPreview));
}

TEST_F(MainFrameFixture, ToolbarAndStatusBarToggle) {
  frame->show();
  EXPECT_TRUE(frame->Action(kToolbar)->isChecked());
  frame->OnCommand(kToolbar);
  EXPECT_FALSE(frame->MainToolbar()->isVisible());
  EXPECT_FALSE(frame->Action(kToolbar)->isChecked());
  frame->OnCommand(kToolbar);
  EXPECT_TRUE(frame->MainToolbar()->isVisible());
  EXPECT_TRUE(frame->Action(kToolbar)->isChecked());

  frame->OnCommand(kStatusBar);
  EXPECT_FALSE(frame->statusBar()->isVisible());
  EXPECT_FALSE(frame->Action(kStatusBar)->isChecked());
  frame->OnCommand(kStatusBar);
  EXPECT_TRUE(frame->statusBar()->isVisible());
  EXPECT_TRUE(frame->Action(kStatusBar)->isChecked());
}

TEST_F(MainFrameFixture, TheWindowCannotShrinkBelowTheFittedForm) {
  frame->show();
  const QSize fitted = frame->size();
  EXPECT_EQ(frame->minimumSize(), fitted);
  frame->resize(fitted.width() / 2, fitted.height() / 2);
  EXPECT_EQ(frame->size(), fitted);
  frame->resize(fitted.width() + 100, fitted.height() + 80);
  EXPECT_EQ(frame->size(), QSize(fitted.width() + 100, fitted.height() + 80));
}

// The find bar takes its room from the window, and gives it back.
TEST_F(MainFrameFixture, TheFindBarGrowsTheWindowWhileItIsOpen) {
  frame->show();
  const QSize fitted = frame->size();
  EXPECT_EQ(frame->Action(kPersonFind)->text(), "&Find...\tCtrl+F");
  frame->OnCommand(kPersonFind);
  auto* bar = frame->findChild<FindBar*>();
  ASSERT_TRUE(bar && bar->isVisible());
  const int grown = frame->height() - fitted.height();
  EXPECT_GE(grown, bar->height());
  EXPECT_EQ(frame->minimumHeight(), frame->height());
  QTest::keyClick(bar->Box(), Qt::Key_Escape);
  EXPECT_EQ(frame->size(), fitted);
  EXPECT_EQ(frame->minimumSize(), fitted);
}

TEST_F(MainFrameFixture, StartupFilesOpenInTurn) {
  const std::string path = WriteSample("with blanks and \\ back.tch", 2);
  frame->OpenStartupFiles({Q(path)});
  EXPECT_EQ(frame->windowTitle(), QStringLiteral("Vimbo [%1]").arg(Q(path)));
  EXPECT_EQ(frame->RecentFiles().Entries(), QStringList({Q(path)}));
  EXPECT_EQ(StoredRecent(1), Q(path));
  EXPECT_EQ(OpenSettings()->value(QStringLiteral("Recent Document List/DocumentCount")).toInt(), 4);
  EXPECT_EQ(PersonSelector(frame->View())->count(), 2);

  // A missing file: the message, and the document as it was.
  prompter.answers = {Answer::kOk};
  frame->OpenStartupFiles({Q(dir.File("missing.tch"))});
  EXPECT_EQ(prompter.Texts(), std::vector<QString>{"Error loading file."});
  EXPECT_EQ(prompter.messages[0].caption, "Vimbo");
  EXPECT_EQ(prompter.messages[0].icon, Prompter::Icon::kError);
  EXPECT_EQ(frame->windowTitle(), QStringLiteral("Vimbo [%1]").arg(Q(path)));
}

TEST_F(MainFrameFixture, ARejectedStartupFileLeavesAnUntitledDocument) {
  const std::string bad = dir.File("bad.tch");
  testing::WriteBytes(bad, "<Vimbo>\n<oops>\n");
  const std::string foreign = dir.File("foreign.tch");
  testing::WriteBytes(foreign, "<?xml version=\"1.0\"?>\n<Inventory><Item>1</Item></Inventory>\n");
  ::mkfifo(dir.File("pipe.tch").c_str(), 0600);
  // A file that was read and rejected leaves a new document; one that could
  // not be read at all (a named pipe is not waited for) leaves the old one.
  struct Case {
    std::string path;
    std::vector<QString> messages;
    bool replaced;
  };
  for (const Case& c :
       {Case{bad, {"Parsing error at line 3", "Error loading file."}, true},
        Case{foreign, {"Error loading file."}, true}, Case{dir.File("pipe.tch"), {"Error loading file."}, false}}) {
    const QString good = Q(WriteSample("good.tch"));
    frame->OpenStartupFiles({good});
    prompter.messages.clear();
    prompter.answers = {Answer::kOk, Answer::kOk};
    frame->OpenStartupFiles({Q(c.path)});
    EXPECT_EQ(prompter.Texts(), c.messages) << c.path;
    EXPECT_EQ(frame->windowTitle(), c.replaced ? "Vimbo [Untitled]" : "Vimbo [" + good + "]") << c.path;
    EXPECT_FALSE(frame->Doc().IsModified());
    EXPECT_EQ(frame->Doc().Data().persons.Empty(), c.replaced);
    EXPECT_EQ(ContactTypeSelector(frame->View())->count(), 4) << "the document's types are shown";
    EXPECT_EQ(frame->RecentFiles().Entries(), QStringList({good}));
  }
}

TEST_F(MainFrameFixture, AStartupFileNamedRelativelyIsShownAndRememberedWhole) {
  const std::string path = WriteSample("a.tch");
  const QString before = QDir::currentPath();
  QDir::setCurrent(Q(dir.File("")));
  frame->OpenStartupFiles({QStringLiteral("./a.tch")});
  QDir::setCurrent(before);
  EXPECT_EQ(frame->Doc().Title(), QDir::cleanPath(Q(path)));
  EXPECT_EQ(StoredRecent(1), QDir::cleanPath(Q(path)));
}

TEST_F(MainFrameFixture, CancelAtTheSavePromptChangesNothing) {
  const std::string path = WriteSample("a.tch");
  frame->OpenStartupFiles({Q(path)});
  Modify();
  for (CommandId id : {kNew, kOpen}) {
    prompter.answers = {Answer::kCancel};
    frame->OnCommand(id);
    EXPECT_TRUE(frame->Doc().IsModified());
    EXPECT_EQ(frame->Doc().Title(), Q(path));
  }
  EXPECT_EQ(prompter.openDialogs, 0);
  prompter.answers = {Answer::kCancel};
  frame->OnCommand(kRecentFirst);
  EXPECT_EQ(frame->RecentFiles().Entries(), QStringList({Q(path)}));
  EXPECT_EQ(prompter.messages.back().text, QStringLiteral("Save changes to %1?").arg(Q(path)));
}

TEST_F(MainFrameFixture, ACancelledOpenOrSaveAsDialogChangesNothing) {
  prompter.openNames.push_back(std::nullopt);
  frame->OnCommand(kOpen);
  prompter.saveNames.push_back(std::nullopt);
  frame->OnCommand(kSaveAs);
  EXPECT_TRUE(frame->RecentFiles().Entries().isEmpty()) << "no \"Untitled\" entry";
  EXPECT_EQ(frame->windowTitle(), "Vimbo [Untitled]");
  EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(MainFrameFixture, OpenAddsToTheRecentListAndSetsTheTitle) {
  const std::string a = WriteSample("a.tch");
  const std::string b = WriteSample("b.tch");
  prompter.openNames = {Q(a), Q(b), Q(a)};
  frame->OnCommand(kOpen);
  frame->OnCommand(kOpen);
  frame->OnCommand(kOpen);
  EXPECT_EQ(frame->RecentFiles().Entries(), QStringList({Q(a), Q(b)}));
  EXPECT_EQ(frame->windowTitle(), QStringLiteral("Vimbo [%1]").arg(Q(a)));
  EXPECT_EQ(StoredRecent(1), Q(a));
  EXPECT_EQ(StoredRecent(2), Q(b));

  prompter.openNames = {Q(dir.File("missing.tch"))};
  prompter.answers = {Answer::kOk};
  frame->OnCommand(kOpen);
  EXPECT_EQ(prompter.Texts().back(), "Error loading file.");
  EXPECT_EQ(frame->RecentFiles().Entries(), QStringList({Q(a), Q(b)}));
}

TEST_F(MainFrameFixture, RecentFilesMoveToTopOrAreRemovedWhenTheyFail) {
  const std::string a = WriteSample("a.tch");
  const std::string b = WriteSample("b.tch");
  frame->OpenStartupFiles({Q(a), Q(b)});
  frame->OnCommand(kRecentFirst + 1);
  EXPECT_EQ(frame->RecentFiles().Entries(), QStringList({Q(a), Q(b)}));
  EXPECT_EQ(frame->windowTitle(), QStringLiteral("Vimbo [%1]").arg(Q(a)));

  std::filesystem::remove(b);
  prompter.answers = {Answer::kOk};
  frame->OnCommand(kRecentFirst + 1);
  EXPECT_EQ(prompter.Texts(), std::vector<QString>{"Error loading file."});
  EXPECT_EQ(frame->RecentFiles().Entries(), QStringList({Q(a)}));
  EXPECT_EQ(StoredRecent(1), Q(a));
  EXPECT_FALSE(OpenSettings()->contains(QStringLiteral("Recent Document List/Document2")));
}

TEST_F(MainFrameFixture, SaveOfANewDocumentNamesItAndHeadsTheRecentList) {
  // Ctrl+S reaches Save although Save is disabled on an unmodified document.
  frame->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
  EXPECT_FALSE(Enabled(kSave));
  const std::string path = dir.File("new.tch");
  prompter.saveNames.push_back(Q(path));
  QTest::keyClick(frame.get(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(prompter.proposedSaveNames, std::vector<QString>{"Untitled"});
  EXPECT_EQ(frame->windowTitle(), QStringLiteral("Vimbo [%1]").arg(Q(path)));
  EXPECT_EQ(frame->RecentFiles().Entries(), QStringList({Q(path)}));
  EXPECT_TRUE(std::filesystem::exists(path));
}

TEST_F(MainFrameFixture, AFailedSaveSaysSoAndStaysModified) {
  const std::string path = WriteSample("a.tch");
  frame->OpenStartupFiles({Q(path)});
  Modify();
  std::filesystem::remove(path);
  std::filesystem::create_directory(path);  // a folder now stands where the file was
  // Retry writes again, and fails again; Cancel gives up.
  prompter.answers = {Answer::kRetry, Answer::kCancel};
  frame->OnCommand(kSave);
  ASSERT_EQ(prompter.messages.size(), 2u);
  EXPECT_EQ(prompter.messages[0].text, QStringLiteral("Error saving %1.").arg(Q(path)));
  EXPECT_EQ(prompter.messages[0].buttons, Prompter::Buttons::kRetryCancel);
  EXPECT_TRUE(frame->Doc().IsModified());
  EXPECT_TRUE(Enabled(kSave));

  // Save As keeps the old name in its message.
  prompter.saveNames.push_back(Q(dir.File("missing/b.tch")));
  prompter.answers = {Answer::kCancel};
  frame->OnCommand(kSaveAs);
  EXPECT_EQ(prompter.messages.back().text, QStringLiteral("Error saving %1.").arg(Q(path)));
  EXPECT_EQ(frame->Doc().Title(), Q(path));
}

TEST_F(MainFrameFixture, ClosingAsksAndCancelKeepsTheWindowButStoresThePlacement) {
  frame->show();
  Modify();
  prompter.answers = {Answer::kCancel};
  EXPECT_FALSE(frame->close());
  // The question runs from the event loop, after the refused close event.
  ASSERT_TRUE(QTest::qWaitFor([&] { return prompter.answers.empty(); }, 5000)) << "asked";
  EXPECT_TRUE(frame->isVisible());
  EXPECT_EQ(OpenSettings()->value(QStringLiteral("Settings/wp.showCmd")).toInt(), 1);

  prompter.answers = {Answer::kNo};
  frame->OnCommand(kExit);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !frame->isVisible(); }, 5000));
  EXPECT_TRUE(prompter.answers.empty()) << "asked";
}

// The close box, driven through the event loop with the real message box:
// Cancel again and again, each time with a second close request arriving
// while the question is open. The window stays every time; only No lets it go.
TEST(MainFrameClose, TheCloseBoxEndsOnlyAfterYesOrNo) {
  OpenSettings()->clear();
  QtPrompter prompter;
  MainFrame frame(prompter, MainFrame::Options{QStringLiteral(VIMBO_HELP_DIR), false});
  frame.show();
  testing::MakeModified(frame.Doc());
  QWindow* window = frame.windowHandle();
  int asked = 0;
  QMessageBox::StandardButton answer = QMessageBox::Cancel;
  QTimer user;
  QObject::connect(&user, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible()) return;
    ++asked;
    QCoreApplication::postEvent(window, new QCloseEvent);
    QCoreApplication::processEvents();
    box->button(answer)->click();
  });
  user.start(1);
  for (int round = 1; round <= 40; ++round) {
    QCoreApplication::postEvent(window, new QCloseEvent);
    // The round is over when the answered question has gone.
    ASSERT_TRUE(QTest::qWaitFor([&] { return asked == round && !QApplication::activeModalWidget(); }, 5000))
        << "round " << round;
    ASSERT_TRUE(frame.isVisible()) << "round " << round;
    ASSERT_TRUE(frame.Doc().IsModified());
  }
  answer = QMessageBox::No;
  QCoreApplication::postEvent(window, new QCloseEvent);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !frame.isVisible(); }, 5000));
  testing::MarkUnmodified(frame.Doc());
}

TEST_F(MainFrameFixture, AboutAndCheckForUpdate) {
  QString title;
  prompter.dialogs.push_back([&](QDialog& dialog) {
    title = dialog.windowTitle();
    return int(QDialog::Accepted);
  });
  frame->OnCommand(kAbout);
  EXPECT_EQ(title, "About Vimbo");

  QUrl opened;
  frame->SetUrlOpener([&](const QUrl& url) {
    opened = url;
    return false;
  });
  prompter.answers = {Answer::kOk};
  frame->OnCommand(kCheckForUpdate);
  EXPECT_TRUE(opened.isValid());
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].text, "Error opening web browser");
  EXPECT_EQ(prompter.messages[0].caption, "Web Browser Error");

  frame->SetUrlOpener([](const QUrl&) { return true; });
  frame->OnCommand(kCheckForUpdate);
  EXPECT_EQ(prompter.messages.size(), 1u);
}

TEST_F(MainFrameFixture, ContextMenusFollowTheGroupBoxes) {
  frame->show();
  MainView* view = frame->View();
  const auto centreOf = [&](int id) {
    QWidget* box = FormControl(view, id);
    return box->mapToGlobal(QPoint(box->width() / 2, box->height() - 4));
  };
  EXPECT_EQ(frame->ContextMenuAt(centreOf(1028)), frame->PersonMenu());
  EXPECT_EQ(frame->ContextMenuAt(centreOf(1029)), frame->ContactMenu());
  EXPECT_EQ(frame->ContextMenuAt(centreOf(1030)), frame->ContactMenu());
  EXPECT_EQ(frame->ContextMenuAt(frame->mapToGlobal(QPoint(2, 2))), nullptr);
}

TEST_F(MainFrameFixture, TheHelpModeButtonPutsTheFormInHelpMode) {
  frame->show();
  EXPECT_FALSE(frame->View()->InHelpMode());
  frame->Action(kHelpMode)->trigger();
  EXPECT_TRUE(frame->View()->InHelpMode());
}

TEST_F(MainFrameFixture, FormHelpReachesThePopupOfTheControl) {
  HelpSystem& help = frame->Help();
  EXPECT_TRUE(help.ShowContextHelp(help::MainForm(), 1001, QPoint(10, 10), frame->View()));
  EXPECT_TRUE(help.ShowContextHelp(help::MainForm(), 1036, QPoint(10, 10), frame->View()));
  EXPECT_EQ(help::ContextOf(help::MainForm(), 1001), help::ContextOf(help::MainForm(), 1036));
  EXPECT_FALSE(help.ShowContextHelp(help::MainForm(), 1028, QPoint(10, 10), frame->View())) << "a group box";
  EXPECT_FALSE(help.PopupText(1201).isEmpty());
}

TEST(SplashWindow, ClosesAfterItsTimeOrOnAClickOrAKey) {
  {
    SplashWindow splash;
    EXPECT_TRUE(splash.TimerRunning());
    splash.show();
    QTest::mouseClick(&splash, Qt::RightButton);
    EXPECT_FALSE(splash.isVisible());
    EXPECT_FALSE(splash.TimerRunning());
  }
  {
    SplashWindow splash;
    splash.show();
    QTest::keyClick(&splash, Qt::Key_Space);
    EXPECT_FALSE(splash.isVisible());
  }
  {
    // A short time stands in for the three seconds.
    constexpr std::chrono::milliseconds kTime{150};
    QElapsedTimer clock;
    clock.start();
    SplashWindow splash(nullptr, kTime);
    splash.show();
    EXPECT_TRUE(splash.isVisible());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !splash.isVisible(); }, 5000));
    // Qt's coarse timers may fire up to 5 % early.
    EXPECT_GE(clock.elapsed(), kTime.count() * 95 / 100) << "closed before its time";
    EXPECT_EQ(splash.result(), QDialog::Accepted);
    EXPECT_FALSE(splash.TimerRunning());
  }
}

// A document that another running Vimbo has open asks first: Cancel leaves
// the window as it was, Open Read-Only takes no change and no Save but Save
// As, which makes the copy this window's own, and Open Anyway opens it as
// usual. A window's own lock goes with its document.
TEST_F(MainFrameFixture, ADocumentOpenElsewhereAsksAndOpensReadOnly) {
  const QString path = Q(WriteSample("shared.tch", 2));
  QLockFile elsewhere(DocumentLock::PathFor(path));
  ASSERT_TRUE(elsewhere.tryLock(0));
  const QString question =
      QStringLiteral("^%1 is open in another Vimbo window \\(.+, since [0-2][0-9]:[0-5][0-9]\\)\\.$");

  prompter.choices = {2};
  frame->OpenStartupFiles({path});
  ASSERT_EQ(prompter.offered.size(), 1U);
  EXPECT_EQ(prompter.offered[0], (QStringList{"Open Read-Only", "Open Anyway", "Cancel"}));
  EXPECT_TRUE(QRegularExpression(question.arg(QRegularExpression::escape(path)))
                  .match(prompter.messages.back().text)
                  .hasMatch())
      << prompter.messages.back().text.toStdString();
  EXPECT_EQ(frame->windowTitle(), "Vimbo [Untitled]");

  prompter.choices = {0};
  frame->OpenStartupFiles({path});
  EXPECT_TRUE(frame->Doc().IsReadOnly());
  EXPECT_EQ(frame->windowTitle(), "Vimbo [" + path + "] (Read-Only)");
  for (const CommandId id :
       {kPersonAdd, kPersonEdit, kPersonDelete, kImportPersons, kImportVCard, kEditUser, kEditContactTypes, kSave})
    EXPECT_FALSE(Enabled(id)) << static_cast<int>(id);
  EXPECT_TRUE(Enabled(kSaveAs));
  EXPECT_TRUE(Enabled(kExportPersons));

  const QString copy = Q(dir.File("copy.tch"));
  frame->OnCommand(kSave);
  EXPECT_TRUE(prompter.proposedSaveNames.empty()) << "Save is refused, even by its key";
  prompter.saveNames.push_back(copy);
  frame->OnCommand(kSaveAs);
  EXPECT_FALSE(frame->Doc().IsReadOnly());
  EXPECT_EQ(frame->windowTitle(), "Vimbo [" + copy + "]");
  EXPECT_TRUE(QFileInfo::exists(DocumentLock::PathFor(copy)));
  EXPECT_TRUE(Enabled(kPersonAdd));

  prompter.choices = {1};
  frame->OpenStartupFiles({path});
  EXPECT_FALSE(frame->Doc().IsReadOnly());
  EXPECT_FALSE(QFileInfo::exists(DocumentLock::PathFor(copy))) << "the copy's lock went with it";
  elsewhere.unlock();

  // Without another window, no question; a new document frees the file.
  frame->OnCommand(kNew);
  frame->OpenStartupFiles({path});
  EXPECT_TRUE(QFileInfo::exists(DocumentLock::PathFor(path)));
  EXPECT_TRUE(LockHolder(path.toStdString()).has_value()) << "vimbo-cli reads the lock the window wrote";
  frame->OnCommand(kNew);
  EXPECT_FALSE(QFileInfo::exists(DocumentLock::PathFor(path)));
  EXPECT_EQ(prompter.offered.size(), 3U);
}

}  // namespace
}  // namespace vimbo
