#pragma once
// Edit > User: the sheet in which the user edits their own details, on
// three pages. It works on a copy of the user record; the caller takes the
// result only when the sheet was closed with OK.

#include <QDialog>

#include "core/records/records.h"

class QPushButton;
class QTabWidget;

namespace vimbo {

class AddressPage;
class GeneralPage;
class HelpSystem;
class UserInfoPage;

class UserInfoSheet : public QDialog {
  Q_OBJECT

 public:
  UserInfoSheet(const User& user, HelpSystem& help, QWidget* parent = nullptr);

  // The edited record after OK; after Cancel the record as it came in.
  User Result() const;

  QTabWidget* Tabs() const { return tabs_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* HelpButton() const { return helpButton_; }
  AddressPage* Address() const { return address_; }
  // The box, label or button with the number `id`, or nullptr.
  QWidget* Control(int id) const;

  void done(int result) override;

 private:
  void PageShown(int index);
  UserInfoPage* Page(int index) const;

  const User original_;
  User fields_;
  QTabWidget* tabs_;
  QPushButton* ok_;
  QPushButton* helpButton_;
  GeneralPage* general_;
  AddressPage* address_;
  int shown_ = 0;
};

}  // namespace vimbo
