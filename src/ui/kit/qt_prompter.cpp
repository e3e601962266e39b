#include "ui/kit/qt_prompter.h"

#include <QDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace vimbo {
namespace {

QMessageBox::Icon ToQt(Prompter::Icon icon) {
  switch (icon) {
    case Prompter::Icon::kInformation: return QMessageBox::Information;
    case Prompter::Icon::kWarning: return QMessageBox::Warning;
    case Prompter::Icon::kError: return QMessageBox::Critical;
    case Prompter::Icon::kQuestion: return QMessageBox::Question;
    case Prompter::Icon::kNone: break;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQt(Prompter::Buttons buttons) {
  switch (buttons) {
    case Prompter::Buttons::kYesNo: return QMessageBox::Yes | QMessageBox::No;
    case Prompter::Buttons::kYesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Prompter::Buttons::kRetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    case Prompter::Buttons::kOk: break;
  }
  return QMessageBox::Ok;
}

Prompter::Answer FromQt(int button) {
  switch (button) {
    case QMessageBox::Yes: return Prompter::Answer::kYes;
    case QMessageBox::No: return Prompter::Answer::kNo;
    case QMessageBox::Retry: return Prompter::Answer::kRetry;
    case QMessageBox::Cancel: return Prompter::Answer::kCancel;
    default: return Prompter::Answer::kOk;
  }
}

}  // namespace

Prompter::Answer QtPrompter::Message(QWidget* owner, const QString& text, const QString& caption, Icon icon,
                                     Buttons buttons) {
  QMessageBox box(ToQt(icon), caption, text, ToQt(buttons), owner);
  return FromQt(box.exec());
}

int QtPrompter::Choose(QWidget* owner, const QString& text, const QString& caption, Icon icon,
                       const QStringList& choices) {
  QMessageBox box(ToQt(icon), caption, text, QMessageBox::NoButton, owner);
  QList<QAbstractButton*> buttons;
  for (qsizetype i = 0; i < choices.size(); ++i)
    buttons << box.addButton(choices[i], i + 1 == choices.size() ? QMessageBox::RejectRole : QMessageBox::AcceptRole);
  if (buttons.isEmpty()) return -1;
  box.setDefaultButton(static_cast<QPushButton*>(buttons.constFirst()));
  box.setEscapeButton(buttons.constLast());
  box.exec();
  return static_cast<int>(buttons.indexOf(box.clickedButton()));
}

std::optional<QString> QtPrompter::OpenFileName(QWidget* owner, const QString& filter,
                                                const QString& defaultExtension) {
  QFileDialog dialog(owner);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters(filter.split(QStringLiteral(";;")));
  dialog.setDefaultSuffix(defaultExtension);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtPrompter::SaveFileName(QWidget* owner, const QString& filter, const QString& defaultExtension,
                                                const QString& proposedName) {
  QFileDialog dialog(owner);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters(filter.split(QStringLiteral(";;")));
  dialog.setDefaultSuffix(defaultExtension);
  dialog.selectFile(proposedName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst();
}

int QtPrompter::RunDialog(QDialog& dialog) { return dialog.exec(); }

// The margins travel in inches both ways, so they keep their meaning
// whatever unit the dialog shows by default.
bool QtPrompter::PageSetup(QWidget* owner, QPrinter& printer, QMarginsF& marginsInInches) {
  printer.setPageMargins(marginsInInches, QPageLayout::Inch);
  QPageSetupDialog dialog(&printer, owner);
  if (dialog.exec() != QDialog::Accepted) return false;
  marginsInInches = printer.pageLayout().margins(QPageLayout::Inch);
  return true;
}

bool QtPrompter::PrintDialog(QWidget* owner, QPrinter& printer) {
  QPrintDialog dialog(&printer, owner);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
  return dialog.exec() == QDialog::Accepted;
}

std::optional<QFont> QtPrompter::FontDialog(QWidget* owner, const QFont& initial) {
  bool ok = false;
  const QFont font = QFontDialog::getFont(&ok, initial, owner, QString(), QFontDialog::ScalableFonts);
  if (!ok) return std::nullopt;
  return font;
}

}  // namespace vimbo
