#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPalette>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <set>

#include "ui/kit/help_maps.h"
#include "ui/kit/help_system.h"
#include "ui/kit/help_window.h"

namespace vimbo {
namespace {

const QString kHelp = QStringLiteral(VIMBO_HELP_DIR);

TEST(Help, EveryContextNumberHasAPopupText) {
  HelpSystem help(kHelp);
  std::set<uint32_t> numbers;
  for (const help::HelpMap& map : help::AllMaps())
    for (const auto& [control, context] : map) numbers.insert(context);
  EXPECT_EQ(numbers.size(), 91u);
  for (uint32_t number : numbers) EXPECT_FALSE(help.PopupText(number).isEmpty()) << number;
  EXPECT_TRUE(help.PopupText(99999).isEmpty());
}

TEST(Help, TheNamedPagesExistAndTheirLinksResolve) {
  const QDir pages(kHelp + QStringLiteral("/html"));
  for (const char* page : {"Introduction.htm", "addrrptdlg.htm", "cntrptdlg.htm", "envrptdlg.htm", "userinfdlg.htm",
                           "mainform.htm", "persons.htm", "contacts.htm", "contacttypes.htm", "files.htm", "import.htm",
                           "export.htm", "printing.htm", "keyboard.htm"})
    EXPECT_TRUE(pages.exists(QString::fromLatin1(page))) << page;

  const QRegularExpression link(QStringLiteral("href=\"([^\"#:]+)[^\"]*\""));
  for (const QString& page : pages.entryList({QStringLiteral("*.htm")})) {
    QFile file(pages.filePath(page));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    for (auto match = link.globalMatch(text); match.hasNext();) {
      const QString target = match.next().captured(1);
      EXPECT_TRUE(pages.exists(target)) << page.toStdString() << " links to " << target.toStdString();
    }
  }
}

TEST(Help, TheContentsWindowOpensOnTheIntroductionWhateverTheCurrentFolder) {
  const QString before = QDir::currentPath();
  QDir::setCurrent(QDir::tempPath());
  HelpSystem help(kHelp);
  help.ShowContents(nullptr);
  HelpWindow* window = help.ContentsWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->Browser()->source().fileName(), "Introduction.htm");
  EXPECT_FALSE(window->Browser()->toPlainText().isEmpty());
  ASSERT_NE(window->Contents(), nullptr);
  EXPECT_GE(window->Contents()->count(), 14);
  EXPECT_EQ(window->Contents()->currentRow(), 0);
  QDir::setCurrent(before);
  window->close();
}

TEST(Help, ADialogsHelpButtonOpensItsOwnPage) {
  HelpSystem help(kHelp);
  QWidget parent;
  help.ShowTopic(QStringLiteral("userinfdlg.htm"), &parent);
  const auto windows = parent.findChildren<HelpWindow*>();
  ASSERT_EQ(windows.size(), 1);
  EXPECT_EQ(windows[0]->Browser()->source().fileName(), "userinfdlg.htm");
  EXPECT_EQ(windows[0]->Contents(), nullptr) << "a single topic has no contents list";
  EXPECT_TRUE(windows[0]->windowTitle().startsWith("Vimbo Help"));
}

// Fixed colours would turn the pages unreadable in a dark scheme; a broken
// entity shows as stray text.
TEST(Help, PagesFixNoColoursAndTheViewerTakesThemFromThePalette) {
  const QDir pages(kHelp + QStringLiteral("/html"));
  const QRegularExpression fixed(QStringLiteral("color\\s*:|bgcolor|style\\s*=|[^&]gt;"));
  for (const QString& page : pages.entryList({QStringLiteral("*.htm"), QStringLiteral("*.css")})) {
    QFile file(pages.filePath(page));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QRegularExpressionMatch match = fixed.match(QString::fromUtf8(file.readAll()));
    EXPECT_FALSE(match.hasMatch()) << page.toStdString() << ": " << match.captured().toStdString();
  }
  QPalette dark;
  dark.setColor(QPalette::Text, QColor(0xe0, 0xe0, 0xe0));
  dark.setColor(QPalette::Link, QColor(0x80, 0xb0, 0xff));
  HelpWindow window(pages.path(), QString(), nullptr);
  window.ShowPage(QStringLiteral("persons.htm"));
  window.setPalette(dark);
  EXPECT_TRUE(window.Browser()->document()->defaultStyleSheet().contains("a { color: #80b0ff; }"));
  // The page shown is laid out again in the new colours.
  EXPECT_EQ(window.Browser()->document()->firstBlock().charFormat().foreground().color(), QColor(0xe0, 0xe0, 0xe0));
}

}  // namespace
}  // namespace vimbo
