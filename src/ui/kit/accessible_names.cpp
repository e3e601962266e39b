#include "ui/kit/accessible_names.h"

#include <QLabel>
#include <QString>
#include <QWidget>

namespace vimbo {

QString SpokenText(const QString& text) {
  QString spoken;
  spoken.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text.at(i) != u'&') {
      spoken += text.at(i);
    } else if (i + 1 < text.size() && text.at(i + 1) == u'&') {
      // "&&" shows one ampersand; a single one only marks the mnemonic.
      spoken += u'&';
      ++i;
    }
  }
  spoken = spoken.trimmed();
  if (spoken.endsWith(u':')) spoken.chop(1);
  return spoken.trimmed();
}

// A combo box is announced by its label, not by its own name, on some
// platforms: the label reads as the control's name does.
void LabelControl(QLabel* label, QWidget* control) {
  label->setBuddy(control);
  NameControl(label, label->text());
  NameControl(control, label->text());
}

void NameControl(QWidget* control, const QString& name) { control->setAccessibleName(SpokenText(name)); }

}  // namespace vimbo
