#pragma once
// The main form's controls as a test finds them: by object name, or by the
// control number that the help maps use.

#include <QComboBox>
#include <QDateEdit>
#include <QPlainTextEdit>
#include <QTimeEdit>
#include <QTreeView>

#include "ui/form/find_bar.h"
#include "ui/kit/control_id.h"

namespace vimbo::testing {

inline QComboBox* PersonSelector(const QWidget* form) { return form->findChild<QComboBox*>("PersonSelector"); }
inline QComboBox* ContactTypeSelector(const QWidget* form) {
  return form->findChild<QComboBox*>("ContactTypeSelector");
}
inline QTreeView* ContactsList(const QWidget* form) { return form->findChild<QTreeView*>("ContactsList"); }
inline QDateEdit* DatePicker(const QWidget* form) { return form->findChild<QDateEdit*>("DatePicker"); }
inline QTimeEdit* TimePicker(const QWidget* form) { return form->findChild<QTimeEdit*>("TimePicker"); }
inline QPlainTextEdit* NotesBox(const QWidget* form) { return form->findChild<QPlainTextEdit*>("NotesBox"); }
inline FindBar* Finder(const QWidget* form) { return form->findChild<FindBar*>("FindBar"); }

// The control, label or group box with number `id`; null if none.
inline QWidget* FormControl(const QWidget* form, int id) {
  for (QWidget* widget : form->findChildren<QWidget*>())
    if (ControlId(widget) == id) return widget;
  return nullptr;
}

}  // namespace vimbo::testing
