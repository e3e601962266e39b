#pragma once
// Names for assistive technology. A screen reader announces a control by
// its accessible name; a control with a label is named by the label's text
// as a user reads it, without the mnemonic "&" and the closing colon.

class QLabel;
class QString;
class QWidget;

namespace vimbo {

// "&First Name:" read aloud: "First Name". A doubled "&&" stays one "&".
QString SpokenText(const QString& text);

// Makes `label` the label of `control`: its mnemonic moves the focus to the
// control, and the control is named by its text.
void LabelControl(QLabel* label, QWidget* control);

// Names a control that has no label of its own, or whose label alone would
// not tell it from another one, from the text `name` (read as SpokenText).
void NameControl(QWidget* control, const QString& name);

}  // namespace vimbo
