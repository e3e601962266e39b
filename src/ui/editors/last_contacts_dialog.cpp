#include "ui/editors/last_contacts_dialog.h"

#include <QAbstractTableModel>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>
#include <tuple>
#include <vector>

#include "core/reminders/calendar_days.h"
#include "core/reminders/due_items.h"
#include "gfx/display_text.h"
#include "gfx/name_order.h"
#include "ui/kit/accessible_names.h"
#include "ui/kit/form_text.h"

namespace vimbo {

// The rows as the list shows them, sorted on demand; a hundred thousand
// persons are one sort, not a widget each.
class LastContactsModel : public QAbstractTableModel {
 public:
  enum Column { kPerson, kLastContact, kDaysAgo, kColumns };

  LastContactsModel(const DocumentData& data, int64_t today, QObject* parent)
      : QAbstractTableModel(parent), today_(today) {
    const auto days = LastContactDays(data);
    rows_.reserve(days.size());
    for (const auto& [id, day] : days) rows_.push_back({{ToDisplay(data.persons.Find(id)->DisplayName()), id}, day});
  }

  int32_t IdAt(int row) const {
    return row >= 0 && row < rowCount() ? rows_[static_cast<std::size_t>(row)].entry.id : 0;
  }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
  }
  int columnCount(const QModelIndex& parent = QModelIndex()) const override { return parent.isValid() ? 0 : kColumns; }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char* const kTitles[] = {"Person", "Last Contact", "Days Ago"};
    return section >= 0 && section < kColumns ? QString::fromLatin1(kTitles[section]) : QVariant();
  }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid() || role != Qt::DisplayRole) return {};
    const Row& row = rows_[static_cast<std::size_t>(index.row())];
    switch (index.column()) {
      case kPerson: return row.entry.text;
      case kLastContact: return row.day ? texts_.Date(MomentOf(*row.day)) : QStringLiteral("No contact yet");
      case kDaysAgo: return row.day ? QVariant(static_cast<qlonglong>(today_ - *row.day)) : QVariant();
      default: return {};
    }
  }

  // By name, or by last contact. The days ago run the other way from the
  // dates, and a person never contacted is the longest ago of all.
  void sort(int column, Qt::SortOrder order) override {
    beginResetModel();
    const auto byName = [](const Row& a, const Row& b) { return ListedBefore(a.entry, b.entry); };
    if (column == kPerson) {
      std::stable_sort(rows_.begin(), rows_.end(), byName);
      if (order == Qt::DescendingOrder) std::reverse(rows_.begin(), rows_.end());
    } else {
      std::stable_sort(rows_.begin(), rows_.end(), [&](const Row& a, const Row& b) {
        const int64_t dayA = a.day.value_or(INT64_MIN);
        const int64_t dayB = b.day.value_or(INT64_MIN);
        return dayA != dayB ? dayA > dayB : byName(a, b);
      });
      const bool longestAgoFirst = (column == kDaysAgo) == (order == Qt::DescendingOrder);
      if (longestAgoFirst) std::reverse(rows_.begin(), rows_.end());
    }
    endResetModel();
  }

 private:
  struct Row {
    NamedEntry entry;
    std::optional<int64_t> day;
  };
  int64_t today_;
  FormDateTimeText texts_;
  std::vector<Row> rows_;
};

LastContactsDialog::LastContactsDialog(const DocumentData& data, int64_t today, QWidget* parent)
    : QDialog(parent), list_(new QTreeView(this)), model_(new LastContactsModel(data, today, this)) {
  setWindowTitle(QStringLiteral("Last Contacts"));
  list_->setModel(model_);
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setAllColumnsShowFocus(true);
  list_->setSortingEnabled(true);
  list_->sortByColumn(LastContactsModel::kDaysAgo, Qt::DescendingOrder);
  list_->header()->setSectionResizeMode(QHeaderView::Interactive);
  list_->setColumnWidth(LastContactsModel::kPerson, 260);
  NameControl(list_, QStringLiteral("Last Contacts"));
  if (model_->rowCount() > 0) list_->setCurrentIndex(model_->index(0, 0));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  QPushButton* show = buttons->addButton(QStringLiteral("&Show"), QDialogButtonBox::ActionRole);
  show->setDefault(true);
  connect(show, &QPushButton::clicked, this, &LastContactsDialog::Pick);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(list_, &QTreeView::activated, this, &LastContactsDialog::Pick);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_, 1);
  layout->addWidget(buttons);
  resize(560, 480);
}

void LastContactsDialog::Pick() {
  chosen_ = model_->IdAt(list_->currentIndex().row());
  if (chosen_ > 0) accept();
}

}  // namespace vimbo
