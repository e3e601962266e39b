#include "ui/editors/contact_types_dialog.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "gfx/display_text.h"
#include "ui/document/log_document.h"
#include "ui/editors/contact_type_details_dialog.h"
#include "ui/kit/accessible_names.h"
#include "ui/kit/control_id.h"
#include "ui/kit/control_ids.h"
#include "ui/kit/dialog_help.h"
#include "ui/kit/dialog_units.h"
#include "ui/kit/prompter.h"

namespace vimbo {
namespace {

class WaitCursor {
 public:
  WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

QPushButton* MakeButton(const char* text, int id, const DialogUnits& units, QWidget* parent) {
  auto* button = new QPushButton(QString::fromLatin1(text), parent);
  SetControlId(button, id);
  button->setMinimumWidth(units.X(50));
  return button;
}

}  // namespace

ContactTypesDialog::ContactTypesDialog(LogDocument& document, Prompter& prompter, HelpSystem& help, QWidget* parent)
    : QDialog(parent), document_(document), prompter_(prompter), help_(help) {
  setWindowTitle(QStringLiteral("Contact Types"));
  const DialogUnits units(fontMetrics());

  list_ = new QTreeWidget(this);
  SetControlId(list_, contact_types::kTypeList);
  NameControl(list_, QStringLiteral("Contact Types"));
  list_->setColumnCount(1);
  list_->setHeaderLabels({QStringLiteral("Activity")});
  list_->header()->setStretchLastSection(true);
  list_->header()->setSectionsClickable(false);
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setMinimumSize(units.Size(139, 87));

  add_ = MakeButton("&Add", contact_types::kAdd, units, this);
  delete_ = MakeButton("&Delete", contact_types::kDelete, units, this);
  edit_ = MakeButton("&Edit", contact_types::kEdit, units, this);
  close_ = MakeButton("&Close", contact_types::kClose, units, this);
  close_->setDefault(true);

  auto* buttons = new QVBoxLayout;
  buttons->setSpacing(units.Y(4));
  for (QPushButton* button : {add_, delete_, edit_, close_}) buttons->addWidget(button);
  buttons->addStretch();

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(units.X(3), units.Y(3), units.X(5), units.Y(3));
  layout->setSpacing(units.X(8));
  layout->addWidget(list_, 1);
  layout->addLayout(buttons);

  connect(add_, &QPushButton::clicked, this, &ContactTypesDialog::Add);
  connect(delete_, &QPushButton::clicked, this, &ContactTypesDialog::Delete);
  connect(edit_, &QPushButton::clicked, this, &ContactTypesDialog::Edit);
  connect(close_, &QPushButton::clicked, this, [this] { done(0); });
  // Whatever changed the types (this dialog, an undo), the list shows them.
  connect(&document_, &LogDocument::changed, this, [this](const DocumentChanges& changes) {
    if (changes.contactTypes) Fill();
  });

  Fill();
  resize(units.Size(205, 94).expandedTo(sizeHint()));
  InstallContextHelp(this, help, help::ContactTypesDialog());
}

QPushButton* ContactTypesDialog::Button(int id) const {
  for (QPushButton* button : {add_, delete_, edit_, close_})
    if (ControlId(button) == id) return button;
  return nullptr;
}

void ContactTypesDialog::reject() {}

void ContactTypesDialog::Fill() {
  const WaitCursor wait;
  list_->setUpdatesEnabled(false);
  list_->clear();
  for (const auto& [id, type] : document_.Data().contactTypes) {
    auto* item = new QTreeWidgetItem(list_, {ToDisplay(type.Description)});
    item->setData(0, Qt::UserRole, id);
  }
  // The first type is selected after every change, not the one changed.
  if (QTreeWidgetItem* first = list_->topLevelItem(0)) {
    list_->setCurrentItem(first);
    list_->scrollToItem(first);
  }
  list_->setUpdatesEnabled(true);
  edit_->setEnabled(list_->topLevelItemCount() > 0);
}

std::optional<int32_t> ContactTypesDialog::SelectedId() const {
  const QList<QTreeWidgetItem*> selected = list_->selectedItems();
  if (selected.isEmpty()) return std::nullopt;
  const int32_t id = selected.constFirst()->data(0, Qt::UserRole).toInt();
  if (!document_.Data().contactTypes.Find(id)) return std::nullopt;
  return id;
}

void ContactTypesDialog::Add() {
  ContactTypeDetailsDialog details(document_.Data(), true, -1, {}, prompter_, help_, this);
  if (prompter_.RunDialog(details) != QDialog::Accepted) return;
  // Identifiers are never reused; once the counter is spent there is none
  // to give, and a type without one would clash with "no type".
  const OperationResult result = document_.Run(&DocumentEditor::AddContactType, details.Description());
  if (result.status == OperationStatus::kNoIdentifiers) {
    prompter_.Message(this,
                      QStringLiteral("The contact type cannot be added: this document has no "
                                     "identifiers left for new contact types."),
                      QStringLiteral("Vimbo"), Prompter::Icon::kError, Prompter::Buttons::kOk);
  }
}

void ContactTypesDialog::Edit() {
  const std::optional<int32_t> id = SelectedId();
  if (!id) return;
  ContactTypeDetailsDialog details(document_.Data(), false, *id, document_.Data().contactTypes.Find(*id)->Description,
                                   prompter_, help_, this);
  if (prompter_.RunDialog(details) != QDialog::Accepted) return;
  document_.Run(&DocumentEditor::RenameContactType, *id, details.Description());
}

void ContactTypesDialog::Delete() {
  const auto answer =
      prompter_.Message(this,
                        QStringLiteral("Are you sure you want to delete the selected contact? If it is in use "
                                       "anywhere, it will not be deleted"),
                        QStringLiteral("Delete Contact Type"), Prompter::Icon::kInformation, Prompter::Buttons::kYesNo);
  if (answer != Prompter::Answer::kYes) return;
  // With nothing selected there is nothing to delete, and the document must
  // not be marked as changed.
  const std::optional<int32_t> id = SelectedId();
  if (!id) return;
  // A type still used by a contact stays, silently: the question said so.
  document_.Run(&DocumentEditor::DeleteContactType, *id);
}

}  // namespace vimbo
