#include "ui/reports/contacts_report_dialog.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>

#include "ui/kit/accessible_names.h"
#include "ui/kit/control_id.h"
#include "ui/kit/control_ids.h"
#include "ui/kit/form_text.h"

namespace vimbo {

ContactsReportDialog::ContactsReportDialog(const Persons& persons, Prompter& prompter, HelpSystem& help,
                                           QWidget* parent, Clock clock)
    : PersonChoiceDialog(persons,
                         {QStringLiteral("Contacts Printout"), QStringLiteral("&Select All"),
                          QStringLiteral("You must select at least one person whose contacts to print."),
                          QStringLiteral("cntrptdlg.htm")},
                         prompter, help, parent) {
  Arrange(BuildRangeGroup(clock), QSize(318, 129), help::ContactsReportDialog());
}

QWidget* ContactsReportDialog::BuildRangeGroup(Clock clock) {
  auto* group = new QGroupBox(QStringLiteral("Contacts To Include"), this);
  SetControlId(group, contacts_report::kRangeGroup);
  auto* column = new QVBoxLayout(group);
  column->setContentsMargins(Units().X(7), Units().Y(2), Units().X(7), Units().Y(2));
  column->setSpacing(Units().Y(1));

  const SystemTime now = clock().ToSystemTime();
  const QDate today(now.year, now.month, now.day);
  auto addPicker = [&](const QString& text, int id) {
    auto* label = new QLabel(text, group);
    auto* picker = new QDateEdit(group);
    SetControlId(picker, id);
    picker->setCalendarPopup(true);
    picker->setDisplayFormat(PickerDateFormat(QLocale()));
    // The earliest date a contact can hold.
    picker->setMinimumDate(QDate(100, 1, 1));
    picker->setDate(today);
    picker->setMinimumWidth(Units().X(100));
    LabelControl(label, picker);
    column->addWidget(label);
    column->addWidget(picker);
    column->addSpacing(Units().Y(3));
    return picker;
  };
  beginPicker_ = addPicker(QStringLiteral("&Beginning Date:"), contacts_report::kBeginningDate);
  endPicker_ = addPicker(QStringLiteral("&Ending Date:"), contacts_report::kEndingDate);
  column->addStretch(1);
  return group;
}

void ContactsReportDialog::ReadChoices() {
  // The pickers choose days: a range taken to the time of day the dialog
  // happened to open at would drop that morning's contacts from the first
  // day and that afternoon's from the last.
  const QDate begin = beginPicker_->date();
  const QDate end = endPicker_->date();
  begin_.SetDateTime(begin.year(), begin.month(), begin.day(), 0, 0, 0);
  end_.SetDateTime(end.year(), end.month(), end.day(), 23, 59, 59);
}

}  // namespace vimbo
