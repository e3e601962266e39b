// The keys of an edit on the main form: Esc cancels the edit under way as
// Person > Cancel or Contact > Cancel does, and Ctrl+Return (or Ctrl+Enter
// on the keypad) stores it as Update does. They are live only during an
// edit, so in browse mode Esc still closes the find bar and Enter still
// reaches the lists. A popup, such as a picker's calendar, keeps its own Esc.

#include <QKeySequence>
#include <QShortcut>

#include "ui/form/main_view.h"
#include "ui/kit/command_ids.h"

namespace vimbo {

using namespace command;

void MainView::BuildEditKeys() {
  const auto add = [this](const QKeySequence& keys, bool update) {
    auto* shortcut = new QShortcut(keys, this);
    connect(shortcut, &QShortcut::activated, this, [this, update] {
      const bool person = IsPersonMode(editMode_);
      if (update)
        emit CommandKeyPressed(person ? kPersonUpdate : kContactUpdate);
      else
        emit CommandKeyPressed(person ? kPersonCancel : kContactCancel);
    });
    editKeys_.push_back(shortcut);
  };
  add(QKeySequence(Qt::Key_Escape), false);
  add(QKeySequence(Qt::CTRL | Qt::Key_Return), true);
  add(QKeySequence(Qt::CTRL | Qt::Key_Enter), true);
}

void MainView::EnableEditKeys() {
  for (QShortcut* key : editKeys_) key->setEnabled(editMode_ != EditMode::Browsing);
}

}  // namespace vimbo
