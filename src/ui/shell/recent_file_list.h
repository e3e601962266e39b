#pragma once
// The list of recently used documents behind File > Recent Files: up to a
// maximum number of full paths, the most recent first in the menu, each
// entry a command counting up from the first recent-file id.

#include <QString>
#include <QStringList>
#include <functional>

#include "ui/kit/command_ids.h"

class QMenu;
class QSettings;
class QAction;

namespace vimbo {

class RecentFileList {
 public:
  static constexpr int kDefaultMaximum = 4;
  static constexpr int kSmallestMaximum = 2;
  static constexpr int kLargestMaximum = 16;

  // Takes over the items of `menu` after its placeholder `placeholder`
  // ("(Empty)"); a chosen entry calls `onCommand` with its command id.
  void AttachMenu(QMenu* menu, QAction* placeholder, std::function<void(CommandId)> onCommand);

  void Add(const QString& path);
  void MoveToTop(CommandId commandId);
  void Remove(CommandId commandId);
  // The entry's path, or empty for an id with no entry.
  QString PathOf(CommandId commandId) const;

  // The entries, most recent first.
  const QStringList& Entries() const { return entries_; }
  int Maximum() const { return maximum_; }

  // False, leaving the list as it was, when nothing is stored.
  bool ReadFromSettings(QSettings& settings);
  bool WriteToSettings(QSettings& settings) const;

 private:
  int IndexOf(CommandId commandId) const;
  void RebuildMenu();

  QStringList entries_;
  int maximum_ = kDefaultMaximum;
  QMenu* menu_ = nullptr;
  QAction* placeholder_ = nullptr;
  QList<QAction*> items_;
  std::function<void(CommandId)> onCommand_;
};

// Whether two paths name the same file as far as the list is concerned:
// without regard to case where the file system ignores it (Windows), exactly
// elsewhere.
bool SamePath(const QString& a, const QString& b);

}  // namespace vimbo
