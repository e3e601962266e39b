#include "ui/editors/contact_type_details_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <limits>

#include "core/editing/document_operations.h"
#include "core/records/document_data.h"
#include "gfx/display_text.h"
#include "ui/kit/accessible_names.h"
#include "ui/kit/control_id.h"
#include "ui/kit/control_ids.h"
#include "ui/kit/dialog_help.h"
#include "ui/kit/dialog_units.h"
#include "ui/kit/prompter.h"

namespace vimbo {

ContactTypeDetailsDialog::ContactTypeDetailsDialog(const DocumentData& data, bool adding, int32_t editedTypeId,
                                                   std::string_view description, Prompter& prompter, HelpSystem& help,
                                                   QWidget* parent)
    : QDialog(parent),
      data_(data),
      adding_(adding),
      editedTypeId_(editedTypeId),
      original_(description),
      description_(description),
      prompter_(prompter) {
  setWindowTitle(QStringLiteral("Contact Type Details"));
  const DialogUnits units(fontMetrics());

  auto* label = new QLabel(QStringLiteral("Description:"), this);
  SetControlId(label, type_details::kDescriptionLabel);
  box_ = new QLineEdit(ToDisplay(description), this);
  SetControlId(box_, type_details::kDescription);
  box_->setMinimumWidth(units.X(89));
  // Names have no length limit; a long one read from a file must not be cut.
  box_->setMaxLength(std::numeric_limits<int>::max());
  LabelControl(label, box_);

  ok_ = new QPushButton(QStringLiteral("OK"), this);
  SetControlId(ok_, type_details::kOk);
  ok_->setDefault(true);
  cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  SetControlId(cancel_, type_details::kCancel);
  for (QPushButton* button : {ok_, cancel_}) button->setMinimumWidth(units.X(50));

  auto* buttons = new QVBoxLayout;
  buttons->setSpacing(units.Y(3));
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);

  // The name sits level with the gap between the two stacked buttons.
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(units.X(4), units.Y(4), units.X(4), units.Y(4));
  layout->setSpacing(units.X(3));
  layout->addWidget(label, 0, Qt::AlignVCenter);
  layout->addWidget(box_, 1, Qt::AlignVCenter);
  layout->addLayout(buttons);

  // A name of blanks counts as a name: only an empty box disables OK.
  auto updateOk = [this] { ok_->setEnabled(!box_->text().isEmpty()); };
  connect(box_, &QLineEdit::textChanged, this, updateOk);
  updateOk();
  connect(ok_, &QPushButton::clicked, this, &ContactTypeDetailsDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

  resize(units.Size(192, 41).expandedTo(sizeHint()));
  InstallContextHelp(this, help, help::ContactTypeDetailsDialog());
}

bool ContactTypeDetailsDialog::IsDuplicate(const std::string& name) const {
  return ContactTypeNameTaken(data_, name, adding_ ? std::nullopt : std::optional<int32_t>(editedTypeId_));
}

void ContactTypeDetailsDialog::accept() {
  // An untouched name keeps its stored bytes, so a type confirmed under its
  // own name still matches itself even when the file held other bytes.
  std::string typed = FromDisplay(box_->text(), original_);
  if (IsDuplicate(typed)) {
    prompter_.Message(this,
                      QStringLiteral("%1 is already listed in the table of Contact Types.\n"
                                     "Please enter a different description.")
                          .arg(box_->text()),
                      QStringLiteral("Duplicate Contact Type"), Prompter::Icon::kError, Prompter::Buttons::kOk);
    box_->setFocus();
    box_->selectAll();
    return;
  }
  description_ = std::move(typed);
  QDialog::accept();
}

}  // namespace vimbo
