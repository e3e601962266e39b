#pragma once
// The wizard of the three text transfers (export of persons or contacts,
// import of persons): the file, the characters that structure it, and the
// fields to write or the field each column is read into. It fills the
// settings record as the user moves on; run it with Prompter::RunDialog,
// which returns QDialog::Accepted when it ended with Finish.

#include <QWizard>

#include "ui/transfer/transfer_page.h"

namespace vimbo {

class DocumentStructurePage;
class FieldsPage;
class HelpSystem;
class Prompter;
class SelectDocumentPage;
class TransferPage;
struct TextTransferSettings;

class TextTransferWizard : public QWizard {
  Q_OBJECT

 public:
  enum PageId { kSelectDocument, kDocumentStructure, kFields };

  // `title` names the transfer ("Import Person Information From Text File"):
  // the caption until the first page shows, and the heading of every page.
  TextTransferWizard(TextTransferSettings& settings, TransferDirection direction, const QString& title,
                     Prompter& prompter, HelpSystem& help, QWidget* parent = nullptr);

  SelectDocumentPage* SelectDocument() const { return select_; }
  DocumentStructurePage* DocumentStructure() const { return structure_; }
  FieldsPage* Fields() const { return fields_; }

  // The control with the number `id` on any page or among the buttons.
  QWidget* Control(int id) const;

 private:
  void PageChanged(int id);

  SelectDocumentPage* select_;
  DocumentStructurePage* structure_;
  FieldsPage* fields_;
};

}  // namespace vimbo
