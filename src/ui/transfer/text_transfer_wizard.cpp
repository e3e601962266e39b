#include "ui/transfer/text_transfer_wizard.h"

#include <QAbstractButton>

#include "ui/kit/control_id.h"
#include "ui/kit/control_ids.h"
#include "ui/kit/dialog_help.h"
#include "ui/transfer/document_structure_page.h"
#include "ui/transfer/fields_page.h"
#include "ui/transfer/select_document_page.h"

namespace vimbo {

TextTransferWizard::TextTransferWizard(TextTransferSettings& settings, TransferDirection direction,
                                       const QString& title, Prompter& prompter, HelpSystem& help, QWidget* parent)
    : QWizard(parent) {
  setWindowTitle(title);
  // The same look everywhere: the pages paint their own picture.
  setWizardStyle(QWizard::ClassicStyle);

  SetControlId(button(QWizard::BackButton), transfer_wizard::kBack);
  SetControlId(button(QWizard::NextButton), transfer_wizard::kNext);
  SetControlId(button(QWizard::FinishButton), transfer_wizard::kFinish);
  SetControlId(button(QWizard::CancelButton), transfer_wizard::kCancel);
  // Before the pages exist, so the sheet's map answers for its buttons only;
  // each page answers for its own controls.
  InstallContextHelp(this, help, help::TextTransferWizard());

  select_ = new SelectDocumentPage(settings, direction, prompter, help, title);
  structure_ = new DocumentStructurePage(settings, direction, prompter, help, title);
  fields_ = new FieldsPage(settings, direction, prompter, help, title);
  setPage(kSelectDocument, select_);
  setPage(kDocumentStructure, structure_);
  setPage(kFields, fields_);

  connect(this, &QWizard::currentIdChanged, this, &TextTransferWizard::PageChanged);
}

void TextTransferWizard::PageChanged(int id) {
  auto* current = qobject_cast<TransferPage*>(page(id));
  if (!current) return;
  setWindowTitle(current->Caption());
  current->Activate();
}

QWidget* TextTransferWizard::Control(int id) const {
  for (QWidget* widget : findChildren<QWidget*>())
    if (ControlId(widget) == id) return widget;
  return nullptr;
}

}  // namespace vimbo
