#include "ui/kit/control_id.h"

#include <QVariant>
#include <QWidget>

namespace vimbo {
namespace {
constexpr const char* kProperty = "vimboControlId";
}

void SetControlId(QWidget* widget, int id) { widget->setProperty(kProperty, id); }

int ControlId(const QWidget* widget) { return widget ? widget->property(kProperty).toInt() : 0; }

}  // namespace vimbo
