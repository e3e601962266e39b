#include "ui/kit/read_only_look.h"

#include <QPalette>
#include <QWidget>

namespace vimbo {

void SetReadOnlyLook(QWidget& box, bool readOnly, const QPalette& scheme) {
  // An empty palette resolves every role from the parent; only the base is
  // set, so text, highlight and all else stay the platform's.
  QPalette look;
  if (readOnly) {
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
      look.setColor(group, QPalette::Base, scheme.color(group, QPalette::Window));
  }
  box.setPalette(look);
}

}  // namespace vimbo
