#pragma once
// The three pages of the user information sheet. Each page's boxes edit
// fields of the sheet's working copy of the user; a page fills its boxes the
// first time it is shown, so a page never shown hands its fields back
// exactly as they came.

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "core/records/records.h"
#include "ui/kit/dialog_units.h"

class QLineEdit;
class QPlainTextEdit;

namespace vimbo {

class UserInfoPage : public QWidget {
 public:
  // Puts the fields into the boxes, the first time only.
  void FillOnce();
  bool Filled() const { return filled_; }

  // Reads the boxes back into the fields; only a page that was filled may.
  virtual void ReadBack();

  // The user is leaving the page, or confirming the sheet on it: the boxes
  // are read back and their input checked.
  void Leave();

  QSize sizeHint() const override { return minimumSize(); }

 protected:
  // A box on the page, in dialog units; its label stands left of it,
  // starting at `labelLeft`.
  struct BoxPlace {
    int boxId;
    int labelId;
    const char* label;
    int labelLeft;
    int x, y, width, height;
  };

  UserInfoPage(User& fields, QSize sizeInUnits, QWidget* parent);

  // Places `box` and its label; the box edits `field` if one is given.
  void Place(QWidget* box, const BoxPlace& place);
  QLineEdit* AddLine(const BoxPlace& place, CompactText User::*field);
  QLineEdit* AddLine(QLineEdit* box, const BoxPlace& place, CompactText User::*field);

  virtual void Fill();
  virtual void CheckInput() {}

  User& fields_;

 private:
  struct LineField {
    QLineEdit* box;
    CompactText User::*field;
  };

  DialogUnits units_;
  std::vector<LineField> lines_;
  bool filled_ = false;
};

class GeneralPage : public UserInfoPage {
  Q_OBJECT

 public:
  GeneralPage(User& fields, QWidget* parent);

  // Whether First Name, Last Name or Company holds any text: a user
  // record needs one of them before it can be confirmed.
  bool HasName() const;

 signals:
  void NameStateChanged(bool hasName);

 protected:
  void Fill() override;

 private:
  std::vector<QLineEdit*> nameBoxes_;
};

class AddressPage : public UserInfoPage {
 public:
  AddressPage(User& fields, QWidget* parent);

  void ReadBack() override;

  // The sound of an over-long State or Zip; the system beep unless a test
  // listens instead.
  void SetBeep(std::function<void()> beep) { beep_ = std::move(beep); }

 protected:
  void Fill() override;
  void CheckInput() override;
  void showEvent(QShowEvent* event) override;

 private:
  QPlainTextEdit* address_;
  QLineEdit* state_;
  QLineEdit* zip_;
  // The box to take the caret when the page is next shown.
  QLineEdit* caretOnShow_ = nullptr;
  std::function<void()> beep_;
};

class PhonePage : public UserInfoPage {
 public:
  PhonePage(User& fields, QWidget* parent);
};

}  // namespace vimbo
