#include "ui/kit/help_window.h"

#include <QFile>
#include <QHBoxLayout>
#include <QListWidget>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextStream>
#include <QUrl>

#include "ui/kit/accessible_names.h"

namespace vimbo {

HelpWindow::HelpWindow(const QString& pagesFolder, const QString& contentsFile, QWidget* parent)
    : QWidget(parent, Qt::Window), pagesFolder_(pagesFolder) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Vimbo Help"));
  browser_ = new QTextBrowser(this);
  NameControl(browser_, QStringLiteral("Help Page"));
  browser_->setSearchPaths({pagesFolder_});
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

void HelpWindow::ShowPage(const QString& page) {
  browser_->setSource(QUrl::fromLocalFile(pagesFolder_ + QLatin1Char('/') + page));
}

}  // namespace vimbo
