#pragma once
// "Activity Printout": the persons whose contacts to count and the months
// the bars run over.

#include "core/records/date_time_value.h"
#include "ui/reports/person_choice_dialog.h"

class QDateEdit;

namespace vimbo {

class ActivityReportDialog : public PersonChoiceDialog {
  Q_OBJECT
 public:
  // Every person starts selected, and the months are the last twelve up to
  // the current one, as `clock` tells it.
  ActivityReportDialog(const Persons& persons, Prompter& prompter, HelpSystem& help, QWidget* parent = nullptr,
                       Clock clock = &DateTimeValue::Now);

  // After OK: the first second of the earlier month chosen and the last
  // second of the later one.
  const DateTimeValue& BeginDate() const { return begin_; }
  const DateTimeValue& EndDate() const { return end_; }

  QDateEdit* FromPicker() const { return fromPicker_; }
  QDateEdit* ToPicker() const { return toPicker_; }

 protected:
  void ReadChoices() override;

 private:
  QWidget* BuildRangeGroup(Clock clock);

  QDateEdit* fromPicker_ = nullptr;
  QDateEdit* toPicker_ = nullptr;
  DateTimeValue begin_;
  DateTimeValue end_;
};

}  // namespace vimbo
