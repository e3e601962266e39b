#include "ui/transfer/field_assignment_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gfx/display_text.h"
#include "ui/kit/accessible_names.h"
#include "ui/kit/control_id.h"
#include "ui/kit/control_ids.h"
#include "ui/kit/dialog_help.h"

namespace vimbo {

FieldAssignmentDialog::FieldAssignmentDialog(const std::vector<std::string>& keys, const std::string& assigned,
                                             HelpSystem& help, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("Fields"));

  auto* label = new QLabel(QStringLiteral("&Assign imported field to this field:"), this);
  SetControlId(label, field_assignment::kKeysLabel);
  keys_ = new QComboBox(this);
  SetControlId(keys_, field_assignment::kKeys);
  LabelControl(label, keys_);
  int selected = -1;
  for (size_t i = 0; i < keys.size(); ++i) {
    keys_->addItem(ToDisplay(keys[i]));
    if (!assigned.empty() && keys[i] == assigned) selected = static_cast<int>(i);
  }
  keys_->setCurrentIndex(selected);

  import_ = new QCheckBox(QStringLiteral("&Import this field"), this);
  SetControlId(import_, field_assignment::kImport);
  import_->setChecked(!assigned.empty());

  ok_ = new QPushButton(QStringLiteral("OK"), this);
  SetControlId(ok_, field_assignment::kOk);
  ok_->setDefault(true);
  cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  SetControlId(cancel_, field_assignment::kCancel);
  cancel_->setAutoDefault(false);

  auto* fields = new QVBoxLayout;
  fields->addWidget(label);
  fields->addWidget(keys_);
  fields->addWidget(import_);
  fields->addStretch(1);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  buttons->addStretch(1);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(fields, 1);
  layout->addLayout(buttons);

  auto updateOk = [this] { ok_->setEnabled(keys_->currentIndex() >= 0); };
  connect(keys_, &QComboBox::currentIndexChanged, this, updateOk);
  updateOk();
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  InstallContextHelp(this, help, help::FieldAssignmentDialog());
}

int FieldAssignmentDialog::SelectedIndex() const { return keys_->currentIndex(); }

bool FieldAssignmentDialog::ImportField() const { return import_->isChecked(); }

}  // namespace vimbo
