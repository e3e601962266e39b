#include "ui/kit/partial_date_edit.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLocale>

#include "ui/kit/accessible_names.h"
#include "ui/kit/form_text.h"
#include "ui/kit/read_only_look.h"

namespace vimbo {
namespace {

// A day without a year is shown in a leap year, so 29 February can be picked.
constexpr int kYearlessYear = 2000;

// The picker's earliest day stands for no date and shows as a dash.
QDate NoDate() { return {100, 1, 1}; }

// The pickers' date without its year, for a day without one.
QString DayMonthFormat() {
  QString format = PickerDateFormat(QLocale());
  format.remove(QStringLiteral("yyyy")).remove(QStringLiteral("yy"));
  while (!format.isEmpty() && !format.back().isLetter()) format.chop(1);
  while (!format.isEmpty() && !format.front().isLetter()) format.remove(0, 1);
  return format.isEmpty() ? QStringLiteral("d MMM") : format;
}

}  // namespace

PartialDateEdit::PartialDateEdit(const QString& name, QWidget* parent) : QWidget(parent) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  set_ = new QCheckBox(this);
  NameControl(set_, name + QStringLiteral(" Set"));
  picker_ = new QDateEdit(this);
  picker_->setCalendarPopup(true);
  picker_->setMinimumDate(NoDate());
  picker_->setSpecialValueText(QStringLiteral("\u2014"));
  NameControl(picker_, name);
  year_ = new QCheckBox(QStringLiteral("Year"), this);
  NameControl(year_, name + QStringLiteral(" Year Known"));
  row->addWidget(set_);
  row->addWidget(picker_, 1);
  row->addWidget(year_);
  setFocusProxy(picker_);
  connect(set_, &QCheckBox::toggled, this, [this](bool on) {
    // A newly set date starts from today, which the user then moves.
    if (on && picker_->date() == NoDate()) picker_->setDate(QDate::currentDate());
    if (!on) picker_->setDate(NoDate());
    ShowState();
  });
  connect(year_, &QCheckBox::toggled, this, [this] { ShowState(); });
  SetDate({});
}

void PartialDateEdit::SetDate(const PartialDate& date) {
  const QSignalBlocker setQuiet(set_);
  const QSignalBlocker yearQuiet(year_);
  set_->setChecked(date.IsSet());
  year_->setChecked(!date.IsSet() || date.HasYear());
  picker_->setDate(date.IsSet() ? QDate(date.HasYear() ? date.year : kYearlessYear, date.month, date.day) : NoDate());
  ShowState();
}

PartialDate PartialDateEdit::Date() const {
  if (!set_->isChecked()) return {};
  const QDate day = picker_->date();
  return {static_cast<int16_t>(year_->isChecked() ? day.year() : 0), static_cast<uint8_t>(day.month()),
          static_cast<uint8_t>(day.day())};
}

void PartialDateEdit::SetReadOnly(bool readOnly) {
  readOnly_ = readOnly;
  ShowState();
}

// Without a date the picker shows nothing; without a year, day and month.
void PartialDateEdit::ShowState() {
  const bool dated = set_->isChecked();
  set_->setEnabled(!readOnly_);
  year_->setEnabled(!readOnly_ && dated);
  picker_->setEnabled(!readOnly_ && dated);
  picker_->setButtonSymbols(readOnly_ ? QAbstractSpinBox::NoButtons : QAbstractSpinBox::UpDownArrows);
  picker_->setCalendarPopup(!readOnly_);
  picker_->setDisplayFormat(!dated || year_->isChecked() ? PickerDateFormat(QLocale()) : DayMonthFormat());
  SetReadOnlyLook(*picker_, !picker_->isEnabled(), palette());
}

}  // namespace vimbo
