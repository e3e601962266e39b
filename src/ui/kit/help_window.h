#pragma once
// The help viewer: a page browser, with a contents list beside it for the
// contents window and without one for a dialog's single topic.

#include <QWidget>

class QListWidget;
class QPalette;
class QTextBrowser;

namespace vimbo {

// The help pages carry no colours of their own; the viewer gives them these,
// taken from `palette`, so that they read as well in a dark scheme as in a
// light one.
QString HelpStyleSheet(const QPalette& palette);

class HelpWindow : public QWidget {
  Q_OBJECT
 public:
  // `contentsFile` lists "page<TAB>title" lines; empty for a single topic.
  HelpWindow(const QString& pagesFolder, const QString& contentsFile, QWidget* parent);

  void ShowPage(const QString& page);
  QTextBrowser* Browser() const { return browser_; }
  QListWidget* Contents() const { return contents_; }

 protected:
  void changeEvent(QEvent* event) override;

 private:
  // Colours the pages after the window's palette, and shows the page again
  // in the new colours.
  void FollowPalette();

  QString pagesFolder_;
  QListWidget* contents_ = nullptr;
  QTextBrowser* browser_ = nullptr;
};

}  // namespace vimbo
