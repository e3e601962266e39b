#pragma once
// A box for a phone number: of the characters typed, only those a number is
// written with get through. Pasted text is taken as it is, so a number with
// a note beside it can still be brought in from elsewhere.

#include <QLineEdit>

namespace vimbo {

class PhoneNumberEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit PhoneNumberEdit(QWidget* parent = nullptr);

  // Digits, blank, "(", ")", "+", "-", ".", control characters and the
  // upper half of the 8-bit code page; nothing else can be typed.
  static bool IsPhoneCharacter(QChar c);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace vimbo
