#pragma once
// The keys of an edit on the main form: Esc cancels the edit under way as
// Person > Cancel or Contact > Cancel does, and Ctrl+Return (or Ctrl+Enter
// on the keypad) stores it as Update does. They are live only during an
// edit, so in browse mode Esc still closes the find bar and Enter still
// reaches the lists. A popup, such as a picker's calendar, keeps its own Esc.

#include <QObject>
#include <vector>

#include "ui/form/edit_mode.h"
#include "ui/kit/command_ids.h"

class QShortcut;
class QWidget;

namespace vimbo {

class EditKeys : public QObject {
  Q_OBJECT

 public:
  // The keys work anywhere in `form`.
  explicit EditKeys(QWidget& form);

  void SetMode(EditMode mode);

 signals:
  void CommandKeyPressed(CommandId id);

 private:
  void Add(QWidget& form, const QKeySequence& keys, bool update);

  EditMode mode_ = EditMode::kBrowsing;
  std::vector<QShortcut*> keys_;
};

}  // namespace vimbo
