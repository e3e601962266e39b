// The form's own handling of keys and of the find bar's showing: what the
// form's controls would otherwise do differently from a dialog.

#include <QComboBox>
#include <QKeyEvent>
#include <QLayout>
#include <QPlainTextEdit>

#include "ui/form/find_bar.h"
#include "ui/form/main_view.h"

namespace vimbo {

// While browsing, Ctrl+Z and the redo keys in the person selector undo a
// change to the document, not a name typed there to find someone: the
// selector (which hands the question on to its text box) lets those keys
// through to the window's shortcuts.
bool MainView::LetsHistoryKeysThrough(QEvent* event) const {
  if (event->type() != QEvent::ShortcutOverride || editMode_ != EditMode::kBrowsing) return false;
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
  // Enter in the notes box is not a line break: it goes on to the form's
  // parents, as it would to a dialog's default button.
  if (watched == notesBox_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      event->ignore();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace vimbo
