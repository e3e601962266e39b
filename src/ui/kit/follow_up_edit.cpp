#include "ui/kit/follow_up_edit.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QEvent>
#include <QHBoxLayout>
#include <QLocale>

#include "ui/kit/accessible_names.h"
#include "ui/kit/form_text.h"
#include "ui/kit/read_only_look.h"

namespace vimbo {
namespace {

// The picker's earliest moment stands for no follow-up and shows as a dash.
QDateTime NoMoment() { return {QDate(100, 1, 1), QTime(0, 0)}; }

}  // namespace

FollowUpEdit::FollowUpEdit(QWidget* parent) : QWidget(parent) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  set_ = new QCheckBox(this);
  NameControl(set_, QStringLiteral("Follow Up Set"));
  picker_ = new QDateTimeEdit(this);
  picker_->setCalendarPopup(true);
  picker_->setMinimumDateTime(NoMoment());
  picker_->setSpecialValueText(QStringLiteral("\u2014"));
  const QLocale locale;
  picker_->setDisplayFormat(PickerDateFormat(locale) + QLatin1Char(' ') + PickerTimeFormat(locale));
  NameControl(picker_, QStringLiteral("Follow Up On"));
  done_ = new QCheckBox(QStringLiteral("Done"), this);
  NameControl(done_, QStringLiteral("Follow Up Done"));
  row->addWidget(set_);
  row->addWidget(picker_, 1);
  row->addWidget(done_);
  setFocusProxy(set_);
  connect(set_, &QCheckBox::toggled, this, [this](bool on) {
    // A new follow-up starts a week from today, a day without a time.
    if (on && picker_->dateTime() == NoMoment()) picker_->setDateTime({QDate::currentDate().addDays(7), QTime(0, 0)});
    if (!on) {
      picker_->setDateTime(NoMoment());
      done_->setChecked(false);
    }
    ShowState();
  });
  SetFollowUp({});
}

void FollowUpEdit::SetFollowUp(const ContactFollowUp& followUp) {
  const QSignalBlocker quiet(set_);
  set_->setChecked(followUp.IsSet());
  done_->setChecked(followUp.IsSet() && followUp.Done);
  if (followUp.IsSet()) {
    const SystemTime time = followUp.When.ToSystemTime();
    picker_->setDateTime({QDate(time.year, time.month, time.day), QTime(time.hour, time.minute, time.second)});
  } else {
    picker_->setDateTime(NoMoment());
  }
  ShowState();
}

ContactFollowUp FollowUpEdit::FollowUp() const {
  ContactFollowUp followUp;
  if (!set_->isChecked()) return followUp;
  const QDateTime when = picker_->dateTime();
  followUp.When.SetDateTime(when.date().year(), when.date().month(), when.date().day(), when.time().hour(),
                            when.time().minute(), when.time().second());
  followUp.Done = done_->isChecked();
  return followUp;
}

void FollowUpEdit::SetReadOnly(bool readOnly) {
  readOnly_ = readOnly;
  ShowState();
}

void FollowUpEdit::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::PaletteChange) ShowState();
}

void FollowUpEdit::ShowState() {
  const bool set = set_->isChecked();
  set_->setEnabled(!readOnly_);
  done_->setEnabled(!readOnly_ && set);
  picker_->setEnabled(!readOnly_ && set);
  picker_->setButtonSymbols(readOnly_ ? QAbstractSpinBox::NoButtons : QAbstractSpinBox::UpDownArrows);
  picker_->setCalendarPopup(!readOnly_);
  SetReadOnlyLook(*picker_, !picker_->isEnabled(), palette());
}

}  // namespace vimbo
