#pragma once
// A contact's follow-up as the form edits it: a check box that says whether
// there is one, the day and time picker, and whether it is done. A time of
// midnight is a day without a time.

#include <QWidget>

#include "core/records/records.h"

class QCheckBox;
class QDateTimeEdit;

namespace vimbo {

class FollowUpEdit : public QWidget {
  Q_OBJECT

 public:
  explicit FollowUpEdit(QWidget* parent = nullptr);

  void SetFollowUp(const ContactFollowUp& followUp);
  ContactFollowUp FollowUp() const;

  void SetReadOnly(bool readOnly);

  QCheckBox* SetBox() const { return set_; }
  QDateTimeEdit* Picker() const { return picker_; }
  QCheckBox* DoneBox() const { return done_; }

 protected:
  // The read-only look is made of the palette's colours: a new scheme
  // brings new ones.
  void changeEvent(QEvent* event) override;

 private:
  void ShowState();

  QCheckBox* set_ = nullptr;
  QDateTimeEdit* picker_ = nullptr;
  QCheckBox* done_ = nullptr;
  bool readOnly_ = true;
};

}  // namespace vimbo
