#include "ui/kit/help_window.h"

#include <QEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPalette>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextStream>
#include <QUrl>

#include "ui/kit/accessible_names.h"

namespace vimbo {

QString HelpStyleSheet(const QPalette& palette) {
  const auto name = [&palette](QPalette::ColorRole role) { return palette.color(role).name(); };
  return QStringLiteral(
             "body { color: %1; background-color: %2; }\n"
             "a { color: %3; }\n"
             "table, th, td { border-color: %4; }\n"
             "hr { border-color: %4; }\n"
             "th, p.note { background-color: %5; }\n")
      .arg(name(QPalette::Text), name(QPalette::Base), name(QPalette::Link), name(QPalette::Mid),
           name(QPalette::AlternateBase));
}

HelpWindow::HelpWindow(const QString& pagesFolder, const QString& contentsFile, QWidget* parent)
    : QWidget(parent, Qt::Window), pagesFolder_(pagesFolder) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Vimbo Help"));
  browser_ = new QTextBrowser(this);
  NameControl(browser_, QStringLiteral("Help Page"));
  browser_->setSearchPaths({pagesFolder_});
  browser_->document()->setDefaultStyleSheet(HelpStyleSheet(palette()));
  browser_->setOpenExternalLinks(true);
  connect(browser_, &QTextBrowser::sourceChanged, this, [this](const QUrl& url) {
    const QString title = browser_->documentTitle();
    setWindowTitle(title.isEmpty() ? QStringLiteral("Vimbo Help") : QStringLiteral("Vimbo Help - %1").arg(title));
    if (!contents_) return;
    const QString page = url.fileName();
    for (int i = 0; i < contents_->count(); ++i)
      if (contents_->item(i)->data(Qt::UserRole).toString() == page) contents_->setCurrentRow(i);
  });

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  if (contentsFile.isEmpty()) {
    layout->addWidget(browser_);
    resize(560, 480);
    return;
  }

  contents_ = new QListWidget(this);
  NameControl(contents_, QStringLiteral("Contents"));
  QFile file(contentsFile);
  if (file.open(QIODevice::ReadOnly | QIODevice::Text)) {
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    while (!in.atEnd()) {
      const QStringList parts = in.readLine().split(QLatin1Char('\t'));
      if (parts.size() != 2) continue;
      auto* item = new QListWidgetItem(parts.at(1), contents_);
      item->setData(Qt::UserRole, parts.at(0));
    }
  }
  connect(contents_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { ShowPage(item->data(Qt::UserRole).toString()); });
  connect(contents_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { ShowPage(item->data(Qt::UserRole).toString()); });
  auto* splitter = new QSplitter(this);
  splitter->addWidget(contents_);
  splitter->addWidget(browser_);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({200, 600});
  layout->addWidget(splitter);
  resize(820, 560);
}

void HelpWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::PaletteChange && browser_) FollowPalette();
}

void HelpWindow::FollowPalette() {
  browser_->document()->setDefaultStyleSheet(HelpStyleSheet(palette()));
  if (!browser_->source().isEmpty()) browser_->reload();
}

void HelpWindow::ShowPage(const QString& page) {
  browser_->setSource(QUrl::fromLocalFile(pagesFolder_ + QLatin1Char('/') + page));
}

}  // namespace vimbo
