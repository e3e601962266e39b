#pragma once
// "Contacts Printout": the persons whose contacts to print and the range of
// days the contacts are taken from.

#include "core/records/date_time_value.h"
#include "ui/reports/person_choice_dialog.h"

class QDateEdit;

namespace vimbo {

class ContactsReportDialog : public PersonChoiceDialog {
  Q_OBJECT
 public:
  // Both pickers start on today, as `clock` tells it.
  ContactsReportDialog(const Persons& persons, Prompter& prompter, HelpSystem& help, QWidget* parent = nullptr,
                       Clock clock = &DateTimeValue::Now);

  // After OK: the first second of the beginning date and the last second of
  // the ending date, so the report covers both days whole. An ending date
  // before the beginning date is handed over as chosen.
  const DateTimeValue& BeginDate() const { return begin_; }
  const DateTimeValue& EndDate() const { return end_; }

  QDateEdit* BeginPicker() const { return beginPicker_; }
  QDateEdit* EndPicker() const { return endPicker_; }

 protected:
  void ReadChoices() override;

 private:
  QWidget* BuildRangeGroup(Clock clock);

  QDateEdit* beginPicker_ = nullptr;
  QDateEdit* endPicker_ = nullptr;
  DateTimeValue begin_;
  DateTimeValue end_;
};

}  // namespace vimbo
