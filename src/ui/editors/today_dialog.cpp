#include "ui/editors/today_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/reminders/calendar_days.h"
#include "core/reminders/due_items.h"
#include "gfx/display_text.h"
#include "ui/document/log_document.h"
#include "ui/kit/accessible_names.h"
#include "ui/kit/form_text.h"

namespace vimbo {
namespace {

enum Column { kWhenColumn, kPersonColumn, kAboutColumn };
constexpr int kPersonRole = Qt::UserRole;
constexpr int kContactRole = Qt::UserRole + 1;

// Days as the contacts list shows them.
QString DayShown(int64_t day) { return FormDateTimeText().Date(MomentOf(day)); }

QString NameOf(const DocumentData& data, int32_t personId) {
  const Person* person = data.persons.Find(personId);
  return person ? ToDisplay(person->DisplayName()) : QString();
}

QTreeWidgetItem* Group(QTreeWidget& list, const QString& title) {
  auto* group = new QTreeWidgetItem(&list, {title});
  group->setFlags(Qt::ItemIsEnabled);
  group->setFirstColumnSpanned(true);
  QFont font = list.font();
  font.setBold(true);
  group->setFont(kWhenColumn, font);
  return group;
}

void Entry(QTreeWidgetItem* group, const QStringList& cells, int32_t personId, int32_t contactId) {
  auto* item = new QTreeWidgetItem(group, cells);
  item->setData(kWhenColumn, kPersonRole, personId);
  item->setData(kWhenColumn, kContactRole, contactId);
}

QString ComingText(const ComingDate& date) {
  const bool birthday = date.kind == DateKind::kBirthday;
  if (!date.years) return birthday ? QStringLiteral("Birthday") : QStringLiteral("Anniversary");
  return (birthday ? QStringLiteral("Birthday, %1 years") : QStringLiteral("Anniversary, %1 years")).arg(*date.years);
}

}  // namespace

TodayDialog::TodayDialog(LogDocument& document, int64_t today, bool showAtStart, QWidget* parent)
    : QDialog(parent),
      document_(document),
      today_(today),
      list_(new QTreeWidget(this)),
      nothing_(new QLabel(QStringLiteral("Nothing is due."), this)),
      show_(new QPushButton(QStringLiteral("&Show"), this)),
      markDone_(new QPushButton(QStringLiteral("&Mark Done"), this)),
      atStart_(new QCheckBox(QStringLiteral("Show at &start when something is due"), this)) {
  setWindowTitle(QStringLiteral("Today"));
  list_->setHeaderLabels({QStringLiteral("Due"), QStringLiteral("Person"), QStringLiteral("About")});
  list_->setRootIsDecorated(false);
  list_->setIndentation(list_->fontMetrics().averageCharWidth() * 2);
  list_->setItemsExpandable(false);
  list_->setUniformRowHeights(true);
  list_->setAllColumnsShowFocus(true);
  list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  NameControl(list_, QStringLiteral("Due Today"));
  atStart_->setChecked(showAtStart);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  buttons->addButton(show_, QDialogButtonBox::ActionRole);
  buttons->addButton(markDone_, QDialogButtonBox::ActionRole);
  show_->setDefault(true);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(show_, &QPushButton::clicked, this, &TodayDialog::Pick);
  connect(markDone_, &QPushButton::clicked, this, &TodayDialog::MarkDone);
  connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { Pick(); });
  connect(list_, &QTreeWidget::currentItemChanged, this, &TodayDialog::ShowButtons);
  // A change made elsewhere meanwhile (an undo) shows at once.
  connect(&document_, &LogDocument::changed, this, &TodayDialog::Fill);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(nothing_);
  layout->addWidget(list_, 1);
  layout->addWidget(atStart_);
  layout->addWidget(buttons);
  resize(640, 420);
  Fill();
}

bool TodayDialog::ShowAtStart() const { return atStart_->isChecked(); }

void TodayDialog::Fill() {
  const DocumentData& data = document_.Data();
  const DueItems due = FindDue(data, today_, kDaysAhead);
  list_->clear();
  if (!due.followUps.empty()) {
    QTreeWidgetItem* group = Group(*list_, QStringLiteral("Follow-ups due"));
    for (const DueFollowUp& item : due.followUps) {
      const Contact* contact = data.contacts.Find(item.contactId);
      Entry(group,
            {DayShown(DayOf(item.when)), NameOf(data, item.personId),
             contact ? SingleLineToDisplay(contact->Description) : QString()},
            item.personId, item.contactId);
    }
  }
  if (!due.keepInTouch.empty()) {
    QTreeWidgetItem* group = Group(*list_, QStringLiteral("Keep in touch"));
    for (const DueKeepInTouch& item : due.keepInTouch) {
      const QString about = item.lastContactDay ? QStringLiteral("Last contact %1").arg(DayShown(*item.lastContactDay))
                                                : QStringLiteral("No contact yet");
      Entry(group, {DayShown(item.dueDay), NameOf(data, item.personId), about}, item.personId, 0);
    }
  }
  if (!due.comingDates.empty()) {
    QTreeWidgetItem* group = Group(*list_, QStringLiteral("Birthdays and anniversaries"));
    for (const ComingDate& item : due.comingDates)
      Entry(group, {DayShown(item.day), NameOf(data, item.personId), ComingText(item)}, item.personId, 0);
  }
  list_->expandAll();
  nothing_->setVisible(due.Empty());
  list_->setVisible(!due.Empty());
  if (list_->topLevelItemCount() > 0) list_->setCurrentItem(list_->topLevelItem(0)->child(0));
  ShowButtons();
}

void TodayDialog::ShowButtons() {
  const QTreeWidgetItem* item = list_->currentItem();
  const bool entry = item && item->parent();
  show_->setEnabled(entry);
  markDone_->setEnabled(entry && item->data(kWhenColumn, kContactRole).toInt() > 0 && !document_.IsReadOnly());
}

void TodayDialog::Pick() {
  const QTreeWidgetItem* item = list_->currentItem();
  if (!item || !item->parent()) return;
  chosenPerson_ = item->data(kWhenColumn, kPersonRole).toInt();
  chosenContact_ = item->data(kWhenColumn, kContactRole).toInt();
  accept();
}

void TodayDialog::MarkDone() {
  const QTreeWidgetItem* item = list_->currentItem();
  const Contact* contact =
      item ? document_.Data().contacts.Find(item->data(kWhenColumn, kContactRole).toInt()) : nullptr;
  if (!contact || document_.IsReadOnly()) return;
  Contact done = *contact;
  done.FollowUp.Done = true;
  document_.Run(&DocumentEditor::UpdateContact, std::move(done));
}

}  // namespace vimbo
