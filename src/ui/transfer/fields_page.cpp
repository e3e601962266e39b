#include "ui/transfer/fields_page.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <string_view>

#include "core/transfer/column_names.h"
#include "core/transfer/field_tokenizer.h"
#include "core/transfer/text_transfer_settings.h"
#include "gfx/display_text.h"
#include "ui/kit/accessible_names.h"
#include "ui/kit/control_id.h"
#include "ui/kit/control_ids.h"
#include "ui/kit/dialog_help.h"
#include "ui/kit/prompter.h"
#include "ui/transfer/field_assignment_dialog.h"

namespace vimbo {

FieldsPage::FieldsPage(TextTransferSettings& settings, TransferDirection direction, Prompter& prompter,
                       HelpSystem& help, const QString& heading)
    : TransferPage(settings, direction, prompter, heading), help_(help) {
  auto* group = new QGroupBox(QStringLiteral("&Available Fields"), this);
  SetControlId(group, fields_page::kFieldsGroup);
  list_ = new QTreeWidget(group);
  SetControlId(list_, fields_page::kFields);
  NameControl(list_, group->title());
  list_->setRootIsDecorated(false);
  list_->setAllColumnsShowFocus(true);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->header()->setSectionsMovable(false);
  (new QVBoxLayout(group))->addWidget(list_);
  Content()->addWidget(group, 1);

  if (importMode_) {
    connect(list_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { AssignColumn(list_->indexOfTopLevelItem(item)); });
    list_->installEventFilter(this);
    matched_ = new QLabel(this);
    matched_->setWordWrap(true);
    matched_->hide();
    Content()->addWidget(matched_);
  } else {
    // A tick or its removal may make Finish available or take it away.
    connect(list_, &QTreeWidget::itemChanged, this, &FieldsPage::completeChanged);
    if (settings.RecordKind == "Contacts") {
      isoDates_ = new QCheckBox(QStringLiteral("Write &dates and times as ISO 8601 (2026-12-07 and 14:05:00)"), this);
      SetControlId(isoDates_, fields_page::kIsoDates);
      Content()->addWidget(isoDates_);
    }
  }
  InstallContextHelp(this, help, help::FieldsPage());
}

QString FieldsPage::Caption() const {
  return importMode_ ? QStringLiteral("Fields To Import") : QStringLiteral("Fields To Export");
}

void FieldsPage::FirstDisplay() {
  available_ = settings_.AvailableFields;
  required_ = settings_.RequiredFields;
  const QString kindHeading = ToDisplay(settings_.RecordKind) + QStringLiteral(" Fields");
  if (importMode_) {
    list_->setHeaderLabels({QStringLiteral("Import Fields"), kindHeading});
  } else {
    list_->setHeaderLabels({kindHeading});
    BuildExportRows();
  }
  list_->header()->setSectionResizeMode(QHeaderView::Stretch);
}

void FieldsPage::Activated() {
  if (!importMode_) return;
  // The rows stand for the columns of the file: going back and picking
  // another file or other characters must not leave the rows of the old
  // split, or the import would put each value into another column's field.
  // Whether the first line holds names decides whether the columns start
  // assigned by them. Unchanged choices keep the rows and their assignments.
  Source source{settings_.FirstLine, settings_.Separator, settings_.Encloser, settings_.FirstLineHasNames};
  if (built_ && source == builtFrom_) return;
  built_ = true;
  builtFrom_ = std::move(source);
  BuildImportRows();
}

void FieldsPage::BuildExportRows() {
  for (const std::string& key : available_) {
    auto* item = new QTreeWidgetItem(list_, {ToDisplay(key)});
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(0, Qt::Unchecked);
  }
  if (list_->topLevelItemCount() > 0) list_->setCurrentItem(list_->topLevelItem(0));
}

void FieldsPage::BuildImportRows() {
  list_->clear();
  settings_.ImportedFieldNames.clear();
  FieldTokenizer tokenizer;
  tokenizer.SetCharacters(settings_.Separator, settings_.Encloser);
  std::string_view remaining = settings_.FirstLine;
  std::string field;
  while (tokenizer.NextField(remaining, field))
    settings_.ImportedFieldNames.push_back(field.empty() ? "EMPTY FIELD" : field);
  settings_.ColumnCount = static_cast<int>(settings_.ImportedFieldNames.size());
  assignments_.assign(settings_.ImportedFieldNames.size(), std::string());
  for (const std::string& name : settings_.ImportedFieldNames) new QTreeWidgetItem(list_, {ToDisplay(name), QString()});
  if (list_->topLevelItemCount() > 0) list_->setCurrentItem(list_->topLevelItem(0));
  matched_->setVisible(settings_.FirstLineHasNames);
  if (settings_.FirstLineHasNames) AssignByNames();
}

void FieldsPage::AssignByNames() {
  // Besides the keys this transfer offers, a column may be assigned a
  // phone, an address part or another detail of an address book's layout.
  std::vector<std::string> keys = MatchColumnHeadings(settings_.ImportedFieldNames);
  QStringList names;
  for (size_t row = 0; row < keys.size(); ++row) {
    if (keys[row].empty()) continue;
    assignments_[row] = std::move(keys[row]);
    ShowAssignment(static_cast<int>(row));
    names.append(ToDisplay(settings_.ImportedFieldNames[row]));
  }
  if (names.isEmpty()) {
    matched_->setText(QStringLiteral("No column name was recognised. Click a row to choose its field."));
  } else {
    matched_->setText(QStringLiteral("Assigned by name (%1 of %2 columns): %3. Click a row to change its field.")
                          .arg(names.size())
                          .arg(assignments_.size())
                          .arg(names.join(QStringLiteral(", "))));
  }
}

void FieldsPage::AssignColumn(int row) {
  if (row < 0 || row >= static_cast<int>(assignments_.size())) return;
  // A column that its name assigned to an address book's phone, address
  // part or other detail keeps that choice in the list.
  std::vector<std::string> keys = available_;
  const bool detail =
      !assignments_[row].empty() && std::find(keys.begin(), keys.end(), assignments_[row]) == keys.end();
  if (detail) keys.push_back(assignments_[row]);
  FieldAssignmentDialog dialog(keys, assignments_[row], help_, wizard());
  if (prompter_.RunDialog(dialog) != QDialog::Accepted) return;
  const int index = dialog.SelectedIndex();
  if (!dialog.ImportField() || index < 0) {
    assignments_[row].clear();
  } else if (!detail || index + 1 < static_cast<int>(keys.size())) {
    // A field takes its value from one column only; a detail kept as it
    // was may stand for several columns.
    const std::string key = keys[index];
    for (size_t other = 0; other < assignments_.size(); ++other) {
      if (static_cast<int>(other) != row && assignments_[other] == key) {
        assignments_[other].clear();
        ShowAssignment(static_cast<int>(other));
        break;
      }
    }
    assignments_[row] = key;
  }
  ShowAssignment(row);
}

void FieldsPage::ShowAssignment(int row) { list_->topLevelItem(row)->setText(1, ToDisplay(assignments_[row])); }

bool FieldsPage::eventFilter(QObject* watched, QEvent* event) {
  // Enter or Space on a column opens its assignment like a click, and is not
  // passed on to the wizard, where Enter would press Finish.
  if (watched == list_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool opens = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Space;
    const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (opens && plain && list_->currentItem()) {
      AssignColumn(list_->indexOfTopLevelItem(list_->currentItem()));
      return true;
    }
  }
  return TransferPage::eventFilter(watched, event);
}

bool FieldsPage::isComplete() const {
  // An export without a field would write nothing but empty lines.
  if (importMode_) return TransferPage::isComplete();
  for (int row = 0; row < list_->topLevelItemCount(); ++row)
    if (list_->topLevelItem(row)->checkState(0) == Qt::Checked) return true;
  return false;
}

bool FieldsPage::validatePage() {
  if (!importMode_) {
    settings_.Fields.clear();
    for (int row = 0; row < list_->topLevelItemCount(); ++row)
      if (list_->topLevelItem(row)->checkState(0) == Qt::Checked) settings_.Fields.push_back(available_[row]);
    settings_.IsoDates = isoDates_ && isoDates_->isChecked();
    return true;
  }
  for (const std::string& key : required_)
    if (std::find(assignments_.begin(), assignments_.end(), key) == assignments_.end()) return false;
  settings_.Fields = assignments_;
  return true;
}

}  // namespace vimbo
