// Context help on the main form: F1 in a control, and the help pointer that
// picks a control with the next click. The main window answers the request.

#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QMouseEvent>
#include <QPlainTextEdit>

#include "ui/form/find_bar.h"
#include "ui/form/main_view.h"
#include "ui/kit/control_id.h"

namespace vimbo {

void MainView::EnterHelpMode() {
  helpMode_ = true;
  if (helpGrab_) return;
  grabMouse();
  QGuiApplication::setOverrideCursor(Qt::WhatsThisCursor);
  helpGrab_ = true;
}

void MainView::ReleaseHelpGrab() {
  if (!helpGrab_) return;
  releaseMouse();
  QGuiApplication::restoreOverrideCursor();
  helpGrab_ = false;
}

void MainView::mousePressEvent(QMouseEvent* event) {
  // While the help pointer is up the press only starts the click.
  if (helpMode_) {
    event->accept();
    return;
  }
  QWidget::mousePressEvent(event);
}

void MainView::mouseReleaseEvent(QMouseEvent* event) {
  if (!helpMode_ || event->button() != Qt::LeftButton) {
    QWidget::mouseReleaseEvent(event);
    return;
  }
  ReleaseHelpGrab();
  const QPoint pos = event->position().toPoint();
  // Released outside the form: nothing was picked, and help mode stays on.
  if (!rect().contains(pos)) return;
  helpMode_ = false;
  if (const int id = ControlAt(pos)) emit HelpRequested(id, event->globalPosition().toPoint());
}

// The control under `pos`, looking through the group boxes; 0 on the form's
// bare background or a group box's own frame.
int MainView::ControlAt(const QPoint& pos) const {
  for (const QWidget* widget = childAt(pos); widget && widget != this; widget = widget->parentWidget()) {
    if (const int id = ControlId(widget)) return qobject_cast<const QGroupBox*>(widget) ? 0 : id;
  }
  return 0;
}

// While browsing, Ctrl+Z and the redo keys in the person selector undo a
// change to the document, not a name typed there to find someone: the
// selector (which hands the question on to its text box) lets those keys
// through to the window's shortcuts.
bool MainView::LetsHistoryKeysThrough(QEvent* event) const {
  if (event->type() != QEvent::ShortcutOverride || editMode_ != EditMode::Browsing) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  return key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
         (key->key() == Qt::Key_Y && key->modifiers() == Qt::ControlModifier);
}

bool MainView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == findBar_ && (event->type() == QEvent::Show || event->type() == QEvent::Hide)) {
    emit FindBarToggled(event->type() == QEvent::Show ? findBar_->sizeHint().height() + layout()->spacing() : 0);
    return false;
  }
  if (watched == personSelector_ && LetsHistoryKeysThrough(event)) {
    event->ignore();
    return true;
  }
  if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  auto* control = static_cast<QWidget*>(watched);
  if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
    emit HelpRequested(ControlId(control), control->mapToGlobal(control->rect().center()));
    return true;
  }
  // Enter in the notes box is not a line break: it goes on to the form's
  // parents, as it would to a dialog's default button.
  if (control == notesBox_ && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
    event->ignore();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace vimbo
