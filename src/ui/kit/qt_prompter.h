#pragma once
// The desktop's Prompter: Qt's message boxes and file dialogs.

#include "ui/kit/prompter.h"

namespace vimbo {

class QtPrompter : public Prompter {
 public:
  Answer Message(QWidget* owner, const QString& text, const QString& caption, Icon icon, Buttons buttons) override;
  int Choose(QWidget* owner, const QString& text, const QString& caption, Icon icon,
             const QStringList& choices) override;
  std::optional<QString> OpenFileName(QWidget* owner, const QString& filter, const QString& defaultExtension) override;
  std::optional<QString> SaveFileName(QWidget* owner, const QString& filter, const QString& defaultExtension,
                                      const QString& proposedName) override;
  int RunDialog(QDialog& dialog) override;
  bool PageSetup(QWidget* owner, QPrinter& printer, QMarginsF& marginsInInches) override;
  bool PrintDialog(QWidget* owner, QPrinter& printer) override;
  std::optional<QFont> FontDialog(QWidget* owner, const QFont& initial) override;
};

}  // namespace vimbo
