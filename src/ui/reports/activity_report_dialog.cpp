#include "ui/reports/activity_report_dialog.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/kit/accessible_names.h"
#include "ui/kit/control_id.h"
#include "ui/kit/control_ids.h"

namespace vimbo {

ActivityReportDialog::ActivityReportDialog(const Persons& persons, Prompter& prompter, HelpSystem& help,
                                           QWidget* parent, Clock clock)
    : PersonChoiceDialog(persons,
                         {QStringLiteral("Activity Printout"), QStringLiteral("&Select All"),
                          QStringLiteral("You must select at least one person whose contacts to count."),
                          QStringLiteral("actrptdlg.htm")},
                         prompter, help, parent) {
  Arrange(BuildRangeGroup(clock), QSize(318, 129), help::ActivityReportDialog());
  // The chart is most often wanted for the whole address book.
  SelectAllBox()->setChecked(true);
}

QWidget* ActivityReportDialog::BuildRangeGroup(Clock clock) {
  auto* group = new QGroupBox(QStringLiteral("Months To Include"), this);
  SetControlId(group, activity_report::kRangeGroup);
  auto* column = new QVBoxLayout(group);
  column->setContentsMargins(Units().X(7), Units().Y(2), Units().X(7), Units().Y(2));
  column->setSpacing(Units().Y(1));

  const SystemTime now = clock().ToSystemTime();
  const QDate thisMonth(now.year, now.month, 1);
  auto addPicker = [&](const QString& text, int id, const QDate& month) {
    auto* label = new QLabel(text, group);
    auto* picker = new QDateEdit(group);
    SetControlId(picker, id);
    // A month and its year: the arrows and the arrow keys step the part
    // the cursor is in.
    picker->setDisplayFormat(QStringLiteral("MMMM yyyy"));
    picker->setMinimumDate(QDate(100, 1, 1));
    picker->setDate(month);
    picker->setMinimumWidth(Units().X(100));
    LabelControl(label, picker);
    column->addWidget(label);
    column->addWidget(picker);
    column->addSpacing(Units().Y(3));
    return picker;
  };
  fromPicker_ = addPicker(QStringLiteral("&From Month:"), activity_report::kFromMonth, thisMonth.addMonths(-11));
  toPicker_ = addPicker(QStringLiteral("&To Month:"), activity_report::kToMonth, thisMonth);
  column->addStretch(1);
  return group;
}

void ActivityReportDialog::ReadChoices() {
  // Whole months, whichever way round they were chosen: a backward range
  // would chart nothing at all.
  QDate first = fromPicker_->date();
  QDate last = toPicker_->date();
  if (last < first) std::swap(first, last);
  begin_.SetDateTime(first.year(), first.month(), 1, 0, 0, 0);
  end_.SetDateTime(last.year(), last.month(), last.daysInMonth(), 23, 59, 59);
}

}  // namespace vimbo
