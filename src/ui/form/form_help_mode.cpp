#include "ui/form/form_help_mode.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include "ui/kit/control_id.h"

namespace vimbo {

FormHelpMode::FormHelpMode(QWidget& form) : QObject(&form), form_(form) { form.installEventFilter(this); }

void FormHelpMode::Watch(QWidget* control) { control->installEventFilter(this); }

void FormHelpMode::Enter() {
  on_ = true;
  if (grabbed_) return;
  form_.grabMouse();
  QGuiApplication::setOverrideCursor(Qt::WhatsThisCursor);
  grabbed_ = true;
}

void FormHelpMode::ReleaseGrab() {
  if (!grabbed_) return;
  form_.releaseMouse();
  QGuiApplication::restoreOverrideCursor();
  grabbed_ = false;
}

bool FormHelpMode::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &form_) return on_ && Pick(event);
  if (event->type() != QEvent::KeyPress) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier) return false;
  auto* control = static_cast<QWidget*>(watched);
  emit HelpRequested(ControlId(control), control->mapToGlobal(control->rect().center()));
  return true;
}

// While the help pointer is up a press only starts the click; the release
// picks the control under it.
bool FormHelpMode::Pick(QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) return true;
  if (event->type() != QEvent::MouseButtonRelease) return false;
  const auto* mouse = static_cast<QMouseEvent*>(event);
  if (mouse->button() != Qt::LeftButton) return false;
  ReleaseGrab();
  const QPoint pos = mouse->position().toPoint();
  if (!form_.rect().contains(pos)) {
    if (outsidePick_ && outsidePick_(mouse->globalPosition().toPoint())) on_ = false;
    return true;
  }
  on_ = false;
  if (const int id = ControlAt(pos)) emit HelpRequested(id, mouse->globalPosition().toPoint());
  return true;
}

// The control under `pos`, looking through the group boxes; 0 on the form's
// bare background or a group box's own frame.
int FormHelpMode::ControlAt(const QPoint& pos) const {
  for (const QWidget* widget = form_.childAt(pos); widget && widget != &form_; widget = widget->parentWidget()) {
    if (const int id = ControlId(widget)) return qobject_cast<const QGroupBox*>(widget) ? 0 : id;
  }
  return 0;
}

}  // namespace vimbo
