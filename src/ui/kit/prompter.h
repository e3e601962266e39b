#pragma once
// Every modal interaction of the program goes through a Prompter: message
// boxes, file dialogs and dialogs of our own. The desktop uses QtPrompter;
// tests put a scripted one in its place and answer the questions themselves.

#include <QFont>
#include <QMarginsF>
#include <QString>
#include <QStringList>
#include <optional>

class QDialog;
class QPrinter;
class QWidget;

namespace vimbo {

class Prompter {
 public:
  enum class Icon { kNone, kInformation, kWarning, kError, kQuestion };
  enum class Buttons { kOk, kYesNo, kYesNoCancel, kRetryCancel };
  enum class Answer { kOk, kCancel, kYes, kNo, kRetry };

  virtual ~Prompter() = default;

  // A message box. `owner` may be null (a box without an owner window).
  virtual Answer Message(QWidget* owner, const QString& text, const QString& caption, Icon icon, Buttons buttons) = 0;

  // A question answered by one of the buttons `choices`, in that order; the
  // first is the default, and Esc is the last one. Gives the index of the
  // button chosen.
  virtual int Choose(QWidget* owner, const QString& text, const QString& caption, Icon icon,
                     const QStringList& choices) = 0;

  // The open-file dialog; nothing when cancelled. `filter` is in Qt's form
  // ("Vimbo Files (*.tch);;All Files (*.*)").
  virtual std::optional<QString> OpenFileName(QWidget* owner, const QString& filter,
                                              const QString& defaultExtension) = 0;

  // The save-file dialog proposing `proposedName`; it asks before an existing
  // file is replaced and appends `defaultExtension` to a name typed without
  // one. Nothing when cancelled.
  virtual std::optional<QString> SaveFileName(QWidget* owner, const QString& filter, const QString& defaultExtension,
                                              const QString& proposedName) = 0;

  // Runs a dialog of our own modally and returns its result code.
  virtual int RunDialog(QDialog& dialog) = 0;

  // The page-setup dialog for `printer`, starting from `marginsInInches`
  // (left, top, right, bottom); on OK the printer and the margins are
  // updated and true returned.
  virtual bool PageSetup(QWidget* owner, QPrinter& printer, QMarginsF& marginsInInches) = 0;

  // The print dialog for `printer`, without page-range and selection
  // choices; true on OK, with the printer set as chosen.
  virtual bool PrintDialog(QWidget* owner, QPrinter& printer) = 0;

  // The font dialog for scalable fonts, starting at `initial`; nothing when
  // cancelled.
  virtual std::optional<QFont> FontDialog(QWidget* owner, const QFont& initial) = 0;
};

}  // namespace vimbo
