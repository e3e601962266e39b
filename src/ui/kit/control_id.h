#pragma once
// Numeric control identifiers on widgets. The help maps name controls by
// these numbers, so every form control carries its number as a property.

class QWidget;

namespace vimbo {

void SetControlId(QWidget* widget, int id);

// The widget's number, or 0 when it has none.
int ControlId(const QWidget* widget);

}  // namespace vimbo
