#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>
#include <QWidget>
#include <limits>

#include "ui/kit/command_ids.h"
#include "ui/shell/recent_file_list.h"
#include "ui/shell/settings_store.h"

namespace vimbo {
namespace {

// Each test writes to a settings file of its own.
struct SettingsFixture : ::testing::Test {
  QTemporaryDir dir;
  QSettings settings{dir.filePath(QStringLiteral("Vimbo.conf")), QSettings::IniFormat};

  QStringList StoredDocuments() {
    QStringList stored;
    settings.beginGroup(QLatin1String(kRecentFilesGroup));
    for (int i = 1; i <= 16; ++i) {
      const QVariant value = settings.value(QStringLiteral("Document%1").arg(i));
      if (value.isValid()) stored.append(QStringLiteral("%1=%2").arg(i).arg(value.toString()));
    }
    settings.endGroup();
    return stored;
  }
};

TEST_F(SettingsFixture, RecentListKeepsTheMaximumMostRecentFirstWithoutDuplicates) {
  RecentFileList list;
  for (const char* path : {"/a.tch", "/b.tch", "/c.tch", "/d.tch", "/e.tch"}) list.Add(QString::fromLatin1(path));
  EXPECT_EQ(list.Entries(), QStringList({"/e.tch", "/d.tch", "/c.tch", "/b.tch"}));

  list.Add(QStringLiteral("/c.tch"));
  EXPECT_EQ(list.Entries(), QStringList({"/c.tch", "/e.tch", "/d.tch", "/b.tch"}));
#ifndef Q_OS_WIN
  // File names are case-sensitive here, so these are two files.
  list.Add(QStringLiteral("/C.tch"));
  EXPECT_EQ(list.Entries(), QStringList({"/C.tch", "/c.tch", "/e.tch", "/d.tch"}));
#endif
  EXPECT_EQ(list.PathOf(command::kRecentFirst + 1), "/c.tch");
  EXPECT_EQ(list.PathOf(command::kRecentFirst + 4), QString());
  list.MoveToTop(command::kRecentFirst + 3);
  EXPECT_EQ(list.Entries().first(), "/d.tch");
  list.Remove(command::kRecentFirst);
  EXPECT_EQ(list.Entries(), QStringList({"/C.tch", "/c.tch", "/e.tch"}));
}

TEST_F(SettingsFixture, RecentListMenuShowsEntriesOrEmpty) {
  QWidget owner;
  QMenu menu(&owner);
  QAction* placeholder = menu.addAction(QStringLiteral("(Empty)"));
  std::vector<CommandId> chosen;
  RecentFileList list;
  list.AttachMenu(&menu, placeholder, [&](CommandId id) { chosen.push_back(id); });
  EXPECT_TRUE(placeholder->isVisible());
  EXPECT_FALSE(placeholder->isEnabled());

  list.Add(QStringLiteral("/x/one.tch"));
  list.Add(QStringLiteral("/x/R&D.tch"));
  EXPECT_FALSE(placeholder->isVisible());
  QStringList texts;
  for (QAction* action : menu.actions())
    if (action->isVisible()) texts.append(action->text());
  EXPECT_EQ(texts, QStringList({"&1 /x/R&&D.tch", "&2 /x/one.tch"}));
  menu.actions().at(1)->trigger();
  EXPECT_EQ(chosen, std::vector<CommandId>{command::kRecentFirst + 1});
}

TEST_F(SettingsFixture, RecentListWritesCountAndEntriesAndDeletesLeftovers) {
  RecentFileList list;
  EXPECT_FALSE(list.ReadFromSettings(settings)) << "nothing stored yet";
  EXPECT_EQ(list.Maximum(), 4);

  list.Add(QStringLiteral("/a.tch"));
  list.Add(QStringLiteral("/b.tch"));
  list.Add(QStringLiteral("/c.tch"));
  ASSERT_TRUE(list.WriteToSettings(settings));
  EXPECT_EQ(settings.value(QStringLiteral("Recent Document List/DocumentCount")).toInt(), 4);
  EXPECT_EQ(StoredDocuments(), QStringList({"1=/c.tch", "2=/b.tch", "3=/a.tch"}));

  list.Remove(command::kRecentFirst + 1);
  ASSERT_TRUE(list.WriteToSettings(settings));
  EXPECT_EQ(StoredDocuments(), QStringList({"1=/c.tch", "2=/a.tch"}));

  RecentFileList reread;
  ASSERT_TRUE(reread.ReadFromSettings(settings));
  EXPECT_EQ(reread.Entries(), QStringList({"/c.tch", "/a.tch"}));
}

TEST_F(SettingsFixture, RecentListMaximumComesFromTheStoreWithinTwoToSixteen) {
  for (const auto& [stored, expected] : std::vector<std::pair<int, int>>{{10, 10}, {0, 2}, {1, 2}, {40, 16}}) {
    settings.setValue(QStringLiteral("Recent Document List/DocumentCount"), stored);
    RecentFileList list;
    ASSERT_TRUE(list.ReadFromSettings(settings));
    EXPECT_EQ(list.Maximum(), expected);
    for (int i = 0; i < 20; ++i) list.Add(QStringLiteral("/f%1.tch").arg(i));
    EXPECT_EQ(list.Entries().size(), expected);
    list.WriteToSettings(settings);
    EXPECT_EQ(settings.value(QStringLiteral("Recent Document List/DocumentCount")).toInt(), expected);
  }
}

TEST_F(SettingsFixture, PlacementIsWrittenUnderItsTenNames) {
  QWidget window;
  window.setGeometry(100, 120, 640, 480);
  ASSERT_TRUE(WindowPlacementStore().CaptureAndWrite(settings, window));
  settings.beginGroup(QLatin1String(kSettingsGroup));
  EXPECT_EQ(settings.childKeys().size(), 10);
  EXPECT_EQ(settings.value(QStringLiteral("wp.showCmd")).toInt(), 1);
  EXPECT_TRUE(settings.contains(QStringLiteral("wp.wpMaxPosition.y")));
  EXPECT_FALSE(settings.contains(QStringLiteral("wp.ptMaxPosition.y")));
  EXPECT_EQ(settings.value(QStringLiteral("wp.left")).toInt(), 100);
  EXPECT_EQ(settings.value(QStringLiteral("wp.top")).toInt(), 120);
  EXPECT_EQ(settings.value(QStringLiteral("wp.right")).toInt(), 740);
  EXPECT_EQ(settings.value(QStringLiteral("wp.bottom")).toInt(), 600);
  settings.endGroup();
}

TEST_F(SettingsFixture, PlacementIsAppliedOnlyWhenStoredAndOnTheScreen) {
  const QRect screen(0, 0, 1920, 1080);
  QWidget window;
  EXPECT_FALSE(WindowPlacementStore().ReadAndApply(settings, window, screen)) << "nothing stored";

  settings.setValue(QStringLiteral("Settings/wp.showCmd"), 1);
  settings.setValue(QStringLiteral("Settings/wp.left"), 3000);
  settings.setValue(QStringLiteral("Settings/wp.right"), 3600);
  settings.setValue(QStringLiteral("Settings/wp.top"), 100);
  settings.setValue(QStringLiteral("Settings/wp.bottom"), 500);
  EXPECT_FALSE(WindowPlacementStore().ReadAndApply(settings, window, screen)) << "off the screen";
  EXPECT_FALSE(window.isVisible());

  // Partly on the screen is enough; a missing value leaves its field alone.
  settings.setValue(QStringLiteral("Settings/wp.left"), 1800);
  settings.setValue(QStringLiteral("Settings/wp.right"), 2400);
  settings.remove(QStringLiteral("Settings/wp.flags"));
  WindowPlacementStore store;
  ASSERT_TRUE(store.ReadAndApply(settings, window, screen));
  EXPECT_EQ(store.left, 1800);
  EXPECT_EQ(store.flags, 0);
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(window.geometry().width(), 600);
  EXPECT_EQ(window.geometry().height(), 400);
}

TEST_F(SettingsFixture, PlacementOutOfRangeIsIgnored) {
  struct Case {
    int left, top, right, bottom;
  };
  const int low = std::numeric_limits<int>::min();
  const int high = std::numeric_limits<int>::max();
  for (const Case& c : {Case{low, low, low, low}, Case{100, 100, high, high}, Case{low, 0, 500, 400},
                        Case{500, 100, 100, 400}, Case{100, 400, 500, 400}}) {
    settings.setValue(QStringLiteral("Settings/wp.showCmd"), 1);
    settings.setValue(QStringLiteral("Settings/wp.left"), c.left);
    settings.setValue(QStringLiteral("Settings/wp.top"), c.top);
    settings.setValue(QStringLiteral("Settings/wp.right"), c.right);
    settings.setValue(QStringLiteral("Settings/wp.bottom"), c.bottom);
    QWidget window;
    EXPECT_FALSE(WindowPlacementStore().ReadAndApply(settings, window, QRect(0, 0, 1920, 1080)))
        << c.left << " " << c.top << " " << c.right << " " << c.bottom;
    EXPECT_FALSE(window.isVisible());
  }
}

TEST_F(SettingsFixture, PlacementKeepsTheShowState) {
  settings.setValue(QStringLiteral("Settings/wp.showCmd"), WindowPlacementStore::kShowMaximized);
  settings.setValue(QStringLiteral("Settings/wp.left"), 10);
  settings.setValue(QStringLiteral("Settings/wp.right"), 410);
  settings.setValue(QStringLiteral("Settings/wp.top"), 10);
  settings.setValue(QStringLiteral("Settings/wp.bottom"), 310);
  QWidget window;
  ASSERT_TRUE(WindowPlacementStore().ReadAndApply(settings, window, QRect(0, 0, 1024, 768)));
  EXPECT_TRUE(window.windowState() & Qt::WindowMaximized);

  ASSERT_TRUE(WindowPlacementStore().CaptureAndWrite(settings, window));
  EXPECT_EQ(settings.value(QStringLiteral("Settings/wp.showCmd")).toInt(), WindowPlacementStore::kShowMaximized);
}

}  // namespace
}  // namespace vimbo
