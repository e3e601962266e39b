#include "ui/kit/help_system.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>
#include <QWhatsThis>
#include <QWidget>

#include "ui/kit/help_window.h"

namespace vimbo {

QString ProgramDirectory() { return QCoreApplication::applicationDirPath(); }

QString HelpFolderOf(const QString& programDirectory) {
  return QDir::cleanPath(programDirectory + QStringLiteral("/" VIMBO_HELP_FROM_PROGRAM));
}

QString ProgramHelpFolder() { return HelpFolderOf(ProgramDirectory()); }

HelpSystem::HelpSystem(QString folder) : folder_(std::move(folder)) {}

HelpWindow* HelpSystem::ContentsWindow() const { return contents_; }

HelpSystem::~HelpSystem() {
  if (contents_) contents_->close();
}

QString HelpSystem::PagePath(const QString& page) const { return folder_ + QStringLiteral("/html/") + page; }

void HelpSystem::ShowContents(QWidget* parent) {
  if (!contents_)
    contents_ = new HelpWindow(folder_ + QStringLiteral("/html"), folder_ + QStringLiteral("/contents.txt"), parent);
  contents_->ShowPage(QStringLiteral("Introduction.htm"));
  contents_->show();
  contents_->raise();
  contents_->activateWindow();
}

void HelpSystem::ShowTopic(const QString& page, QWidget* parent) {
  auto* window = new HelpWindow(folder_ + QStringLiteral("/html"), QString(), parent);
  window->ShowPage(page);
  window->show();
}

bool HelpSystem::ShowContextHelp(help::HelpMap map, int controlId, const QPoint& globalPos, QWidget* widget) {
  if (controlId <= 0) return false;
  const auto context = help::ContextOf(map, static_cast<uint32_t>(controlId));
  if (!context) return false;
  QString text = PopupText(*context);
  if (text.isEmpty()) text = QStringLiteral("No help topic is associated with this item.");
  lastPopup_ = *context;
  QWhatsThis::showText(globalPos, text, widget);
  return true;
}

QString HelpSystem::PopupText(uint32_t context) const {
  LoadPopups();
  return popups_.value(context);
}

void HelpSystem::LoadPopups() const {
  if (popupsLoaded_) return;
  popupsLoaded_ = true;
  QFile file(folder_ + QStringLiteral("/popups.txt"));
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return;
  QTextStream in(&file);
  in.setEncoding(QStringConverter::Utf8);
  while (!in.atEnd()) {
    const QString line = in.readLine();
    const qsizetype tab = line.indexOf(QLatin1Char('\t'));
    if (tab <= 0) continue;
    bool ok = false;
    const uint number = line.left(tab).toUInt(&ok);
    if (ok) popups_.insert(number, line.mid(tab + 1));
  }
}

}  // namespace vimbo
