#pragma once
// The help viewer: a page browser, with a contents list beside it for the
// contents window and without one for a dialog's single topic.

#include <QWidget>

class QListWidget;
class QTextBrowser;

namespace vimbo {

class HelpWindow : public QWidget {
  Q_OBJECT
 public:
  // `contentsFile` lists "page<TAB>title" lines; empty for a single topic.
  HelpWindow(const QString& pagesFolder, const QString& contentsFile, QWidget* parent);

  void ShowPage(const QString& page);
  QTextBrowser* Browser() const { return browser_; }
  QListWidget* Contents() const { return contents_; }

 private:
  QString pagesFolder_;
  QListWidget* contents_ = nullptr;
  QTextBrowser* browser_ = nullptr;
};

}  // namespace vimbo
