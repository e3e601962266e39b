#include "ui/shell/recent_file_list.h"

#include <QAction>
#include <QMenu>
#include <QSettings>
#include <algorithm>

#include "ui/kit/command_ids.h"
#include "ui/shell/settings_store.h"

namespace vimbo {

bool SamePath(const QString& a, const QString& b) {
#ifdef Q_OS_WIN
  return a.compare(b, Qt::CaseInsensitive) == 0;
#else
  return a == b;
#endif
}

void RecentFileList::AttachMenu(QMenu* menu, QAction* placeholder, std::function<void(CommandId)> onCommand) {
  menu_ = menu;
  placeholder_ = placeholder;
  onCommand_ = std::move(onCommand);
  RebuildMenu();
}

void RecentFileList::Add(const QString& path) {
  entries_.erase(
      std::remove_if(entries_.begin(), entries_.end(), [&](const QString& entry) { return SamePath(entry, path); }),
      entries_.end());
  while (entries_.size() >= maximum_) entries_.removeLast();
  entries_.prepend(path);
  RebuildMenu();
}

void RecentFileList::MoveToTop(CommandId commandId) {
  const int index = IndexOf(commandId);
  if (index < 0) return;
  entries_.move(index, 0);
  RebuildMenu();
}

void RecentFileList::Remove(CommandId commandId) {
  const int index = IndexOf(commandId);
  if (index < 0) return;
  entries_.removeAt(index);
  RebuildMenu();
}

QString RecentFileList::PathOf(CommandId commandId) const {
  const int index = IndexOf(commandId);
  return index < 0 ? QString() : entries_.at(index);
}

int RecentFileList::IndexOf(CommandId commandId) const {
  const int index = commandId - command::kRecentFirst;
  return index >= 0 && index < entries_.size() ? index : -1;
}

bool RecentFileList::ReadFromSettings(QSettings& settings) {
  settings.beginGroup(QLatin1String(kRecentFilesGroup));
  bool ok = false;
  const int count = settings.value(QStringLiteral("DocumentCount")).toInt(&ok);
  if (ok) {
    maximum_ = std::clamp(count, kSmallestMaximum, kLargestMaximum);
    entries_.clear();
    // Number 1 is the most recent entry.
    for (int i = 1; i <= maximum_; ++i) {
      const QVariant value = settings.value(QStringLiteral("Document%1").arg(i));
      if (value.isValid()) entries_.append(value.toString());
    }
  }
  settings.endGroup();
  if (ok) RebuildMenu();
  return ok;
}

bool RecentFileList::WriteToSettings(QSettings& settings) const {
  settings.beginGroup(QLatin1String(kRecentFilesGroup));
  settings.setValue(QStringLiteral("DocumentCount"), maximum_);
  for (int i = 1; i <= entries_.size(); ++i) settings.setValue(QStringLiteral("Document%1").arg(i), entries_.at(i - 1));
  // No entry of an earlier, longer list may survive.
  for (int i = static_cast<int>(entries_.size()) + 1; i <= kLargestMaximum; ++i)
    settings.remove(QStringLiteral("Document%1").arg(i));
  settings.endGroup();
  settings.sync();
  return settings.status() == QSettings::NoError;
}

void RecentFileList::RebuildMenu() {
  if (!menu_ || !placeholder_) return;
  for (QAction* item : items_) {
    menu_->removeAction(item);
    delete item;
  }
  items_.clear();
  placeholder_->setVisible(entries_.isEmpty());
  placeholder_->setEnabled(false);
  for (int i = 0; i < entries_.size(); ++i) {
    QString path = entries_.at(i);
    // A "&" in a path is shown as itself, not as a mnemonic mark.
    path.replace(QLatin1Char('&'), QLatin1String("&&"));
    auto* item = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(path), menu_);
    const CommandId id = command::kRecentFirst + i;
    item->setData(static_cast<int>(id));
    item->setStatusTip(placeholder_->statusTip());
    QObject::connect(item, &QAction::triggered, menu_, [this, id] {
      if (onCommand_) onCommand_(id);
    });
    menu_->insertAction(placeholder_, item);
    items_.append(item);
  }
}

}  // namespace vimbo
