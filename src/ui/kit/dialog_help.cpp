#include "ui/kit/dialog_help.h"

#include <QEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QWidget>

#include "ui/kit/control_id.h"
#include "ui/kit/help_system.h"

namespace vimbo {
namespace {

class ContextHelpFilter : public QObject {
 public:
  ContextHelpFilter(QObject* parent, HelpSystem& help, help::HelpMap map) : QObject(parent), help_(help), map_(map) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget) return false;
    switch (event->type()) {
      case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1 &&
            static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier)
          return Show(widget, widget->mapToGlobal(widget->rect().center()));
        return false;
      case QEvent::QueryWhatsThis:
        // Tells the help pointer that this control has help to show.
        return help::ContextOf(map_, static_cast<uint32_t>(ControlId(widget))).has_value();
      case QEvent::WhatsThis: return Show(widget, static_cast<QHelpEvent*>(event)->globalPos());
      default: return false;
    }
  }

 private:
  bool Show(QWidget* widget, const QPoint& globalPos) {
    // F1 in a part of a composite control (the line edit of a combo box)
    // asks for the control that carries the number.
    for (QWidget* w = widget; w; w = w->parentWidget()) {
      const int id = ControlId(w);
      if (id != 0) return help_.ShowContextHelp(map_, id, globalPos, w);
      if (w->isWindow()) break;
    }
    return false;
  }

  HelpSystem& help_;
  help::HelpMap map_;
};

}  // namespace

void InstallContextHelp(QWidget* dialog, HelpSystem& help, help::HelpMap map) {
  auto* filter = new ContextHelpFilter(dialog, help, map);
  dialog->setWindowFlag(Qt::WindowContextHelpButtonHint, true);
  dialog->installEventFilter(filter);
  for (QWidget* child : dialog->findChildren<QWidget*>()) child->installEventFilter(filter);
}

}  // namespace vimbo
