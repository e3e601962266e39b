#pragma once
// A day that may be unset and may have no year, as a birthday is kept: a
// check box that says whether there is a date, the date picker, and a
// check box for whether the year is known. Without a year the picker shows
// the day and month only.

#include <QWidget>

#include "core/records/partial_date.h"

class QCheckBox;
class QDateEdit;

namespace vimbo {

class PartialDateEdit : public QWidget {
  Q_OBJECT

 public:
  // `name` is what the parts are called by for assistive technology:
  // "Birthday", "Birthday Set", "Birthday Year Known".
  PartialDateEdit(const QString& name, QWidget* parent = nullptr);

  void SetDate(const PartialDate& date);
  PartialDate Date() const;

  void SetReadOnly(bool readOnly);
  bool IsReadOnly() const { return readOnly_; }

  QDateEdit* Picker() const { return picker_; }
  QCheckBox* SetBox() const { return set_; }
  QCheckBox* YearBox() const { return year_; }

 private:
  void ShowState();

  QCheckBox* set_ = nullptr;
  QDateEdit* picker_ = nullptr;
  QCheckBox* year_ = nullptr;
  bool readOnly_ = false;
};

}  // namespace vimbo
