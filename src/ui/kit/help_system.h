#pragma once
// The program's help: the pages and popup texts in the program's data
// folder (share/vimbo/help beside the bin folder that holds the program).
// Help Topics opens a window with a contents list; a dialog's Help button
// opens its one page; F1 or help mode on a control shows the popup text of
// the control's context number.

#include <QHash>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <cstdint>

#include "ui/kit/help_maps.h"

class QWidget;

namespace vimbo {

class HelpWindow;

// The folder the program runs from; the help is looked up from there, never
// in the current folder, which file dialogs change.
QString ProgramDirectory();

// The help folder of a program in `programDirectory`: the same relative
// place in the build tree and wherever the program is installed.
QString HelpFolderOf(const QString& programDirectory);

// The help folder of this program.
QString ProgramHelpFolder();

class HelpSystem {
 public:
  // `folder` holds html/*.htm, contents.txt and popups.txt.
  explicit HelpSystem(QString folder);
  ~HelpSystem();

  // Help Topics: the contents window on the introduction page.
  void ShowContents(QWidget* parent);
  // A dialog's Help button: one page in a window of its own.
  void ShowTopic(const QString& page, QWidget* parent);
  // F1 or help mode: the popup for `controlId` if `map` lists it; false
  // (nothing shown) for a control the map does not know.
  bool ShowContextHelp(help::HelpMap map, int controlId, const QPoint& globalPos, QWidget* widget);

  // The popup text of a context number; empty when the help has none.
  QString PopupText(uint32_t context) const;
  QString PagePath(const QString& page) const;

  // The context number of the popup shown last, 0 before any.
  uint32_t LastPopup() const { return lastPopup_; }

  // The window Help Topics opened last, while it is open.
  HelpWindow* ContentsWindow() const;

 private:
  void LoadPopups() const;

  QString folder_;
  mutable bool popupsLoaded_ = false;
  mutable QHash<uint32_t, QString> popups_;
  QPointer<HelpWindow> contents_;
  uint32_t lastPopup_ = 0;
};

}  // namespace vimbo
