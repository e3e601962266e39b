#pragma once
// The wizard's first page: the text file to import from or export to, typed
// or picked with the "..." button. Next reads the first record of a file to
// import, so the following pages can show and split it.

#include "ui/transfer/transfer_page.h"

class QLineEdit;
class QPushButton;

namespace vimbo {

class HelpSystem;

class SelectDocumentPage : public TransferPage {
  Q_OBJECT

 public:
  SelectDocumentPage(TextTransferSettings& settings, TransferDirection direction, Prompter& prompter, HelpSystem& help,
                     const QString& heading);

  QString Caption() const override { return QStringLiteral("Select Document"); }
  bool isComplete() const override;
  bool validatePage() override;

  QLineEdit* FileNameBox() const { return fileName_; }
  QPushButton* BrowseButton() const { return browse_; }

 private:
  void Browse();

  QLineEdit* fileName_;
  QPushButton* browse_;
};

}  // namespace vimbo
