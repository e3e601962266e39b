#include "ui/kit/phone_number_edit.h"

#include <QKeyEvent>
#include <QStringView>
#include <algorithm>
#include <string>

#include "gfx/display_text.h"

namespace vimbo {
namespace {

// The characters that the bytes 128 to 255 show as, so a name typed with
// accents or the euro sign passes just as it would in the 8-bit code page.
bool IsUpperCodePage(QChar c) {
  static const QString upperHalf = [] {
    QString text;
    for (int byte = 128; byte < 256; ++byte) text += ToDisplay(std::string(1, static_cast<char>(byte)));
    return text;
  }();
  return upperHalf.contains(c);
}

}  // namespace

PhoneNumberEdit::PhoneNumberEdit(QWidget* parent) : QLineEdit(parent) {}

bool PhoneNumberEdit::IsPhoneCharacter(QChar c) {
  const char16_t code = c.unicode();
  // 127 is what the Delete key types on some systems; it must keep working.
  if (code < 32 || code == 127) return true;
  if (code >= u'0' && code <= u'9') return true;
  if (QStringView(u" ()+-.").contains(c)) return true;
  return IsUpperCodePage(c);
}

void PhoneNumberEdit::keyPressEvent(QKeyEvent* event) {
  // Shortcuts such as Ctrl+V are commands, not typing; Ctrl with Alt is
  // AltGr on some keyboards, which does type characters.
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  const bool shortcut = (modifiers & (Qt::ControlModifier | Qt::MetaModifier)) && !(modifiers & Qt::AltModifier);
  const QString text = event->text();
  if (!shortcut && !std::all_of(text.begin(), text.end(), IsPhoneCharacter)) {
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

}  // namespace vimbo
