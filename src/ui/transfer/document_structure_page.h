#pragma once
// The wizard's second page: the separator and encloser characters and
// whether the first line holds field names. An import shows the file's first
// record here, so the user can see which characters it uses; it is read again
// whenever other characters are picked, since an encloser can carry a record
// over several lines.

#include "ui/transfer/transfer_page.h"

class QCheckBox;
class QGroupBox;
class QListWidget;
class QPlainTextEdit;

namespace vimbo {

class HelpSystem;

class DocumentStructurePage : public TransferPage {
  Q_OBJECT

 public:
  DocumentStructurePage(TextTransferSettings& settings, TransferDirection direction, Prompter& prompter,
                        HelpSystem& help, const QString& heading);

  QString Caption() const override { return QStringLiteral("Document Structure"); }
  bool validatePage() override;

  QPlainTextEdit* Preview() const { return preview_; }
  QGroupBox* PreviewGroup() const { return previewGroup_; }
  QCheckBox* NamesBox() const { return names_; }
  QListWidget* SeparatorList() const { return separators_; }
  QListWidget* EncloserList() const { return enclosers_; }

 protected:
  void FirstDisplay() override;
  void Activated() override;

 private:
  // Import: reads the first record as the chosen characters split the file
  // into FirstLine, and shows it.
  void ShowFirstRecord();

  QGroupBox* previewGroup_;
  QPlainTextEdit* preview_;
  QCheckBox* names_;
  QListWidget* separators_;
  QListWidget* enclosers_;
};

}  // namespace vimbo
