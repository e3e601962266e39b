#include "ui/form/edit_keys.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

namespace vimbo {

using namespace command;

EditKeys::EditKeys(QWidget& form) : QObject(&form) {
  Add(form, QKeySequence(Qt::Key_Escape), false);
  Add(form, QKeySequence(Qt::CTRL | Qt::Key_Return), true);
  Add(form, QKeySequence(Qt::CTRL | Qt::Key_Enter), true);
  SetMode(EditMode::kBrowsing);
}

void EditKeys::Add(QWidget& form, const QKeySequence& keys, bool update) {
  auto* shortcut = new QShortcut(keys, &form);
  connect(shortcut, &QShortcut::activated, this, [this, update] {
    const bool person = IsPersonMode(mode_);
    if (update)
      emit CommandKeyPressed(person ? kPersonUpdate : kContactUpdate);
    else
      emit CommandKeyPressed(person ? kPersonCancel : kContactCancel);
  });
  keys_.push_back(shortcut);
}

void EditKeys::SetMode(EditMode mode) {
  mode_ = mode;
  for (QShortcut* key : keys_) key->setEnabled(mode != EditMode::kBrowsing);
}

}  // namespace vimbo
