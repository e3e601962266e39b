// How the form shows what it allows: a box that cannot be typed into looks
// read-only, a locked picker offers no buttons, and an empty document says
// how to begin.

#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimeEdit>

#include "ui/form/main_view.h"
#include "ui/form/person_details_panel.h"
#include "ui/form/person_list_model.h"
#include "ui/kit/follow_up_edit.h"
#include "ui/kit/read_only_look.h"

namespace vimbo {

void MainView::LockPersonBoxes(bool readOnly) {
  for (const PersonBox& box : personBoxes_) {
    if (box.line)
      box.line->setReadOnly(readOnly);
    else
      box.lines->setReadOnly(readOnly);
  }
  details_->SetReadOnly(readOnly);
  ShowLocks();
}

void MainView::LockNotes(bool readOnly) {
  notesBox_->setReadOnly(readOnly);
  ShowLocks();
}

// A locked picker shows no buttons and no calendar arrow, which would offer
// a change it cannot make.
void MainView::EnableContactFields(bool enabled) {
  for (QDateTimeEdit* picker : {static_cast<QDateTimeEdit*>(datePicker_), static_cast<QDateTimeEdit*>(timePicker_)}) {
    picker->setEnabled(enabled);
    picker->setButtonSymbols(enabled ? QAbstractSpinBox::UpDownArrows : QAbstractSpinBox::NoButtons);
  }
  datePicker_->setCalendarPopup(enabled);
  contactTypeSelector_->setEnabled(enabled);
  followUp_->SetReadOnly(!enabled);
  ShowLocks();
}

// The look follows each box's lock, in the colours of the current palette.
void MainView::ShowLocks() {
  for (const PersonBox& box : personBoxes_) {
    if (box.line)
      SetReadOnlyLook(*box.line, box.line->isReadOnly(), palette());
    else
      SetReadOnlyLook(*box.lines, box.lines->isReadOnly(), palette());
  }
  SetReadOnlyLook(*notesBox_, notesBox_->isReadOnly(), palette());
  details_->SetReadOnly(details_->IsReadOnly());
  for (QDateTimeEdit* picker : {static_cast<QDateTimeEdit*>(datePicker_), static_cast<QDateTimeEdit*>(timePicker_)})
    SetReadOnlyLook(*picker, !picker->isEnabled(), palette());
}

void MainView::ShowEmptyHint() {
  const bool empty = persons_->rowCount() == 0 && editMode_ == EditMode::kBrowsing;
  personSelector_->lineEdit()->setPlaceholderText(empty ? QStringLiteral("No persons yet: use Person > Add")
                                                        : QString());
}

// The read-only look is made of the palette's colours: a new scheme brings
// new ones.
void MainView::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::PaletteChange && notesBox_) ShowLocks();
}

}  // namespace vimbo
