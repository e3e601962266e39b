#include "ui/editors/user_info_sheet.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "ui/editors/user_info_pages.h"
#include "ui/kit/control_id.h"
#include "ui/kit/control_ids.h"
#include "ui/kit/dialog_help.h"
#include "ui/kit/help_system.h"

namespace vimbo {

UserInfoSheet::UserInfoSheet(const User& user, HelpSystem& help, QWidget* parent)
    : QDialog(parent), original_(user), fields_(user) {
  setWindowTitle(QStringLiteral("Edit User"));
  auto* layout = new QVBoxLayout(this);
  // The pages are drawn to a fixed size; so is the sheet around them.
  layout->setSizeConstraint(QLayout::SetFixedSize);

  tabs_ = new QTabWidget(this);
  general_ = new GeneralPage(fields_, tabs_);
  address_ = new AddressPage(fields_, tabs_);
  auto* phone = new PhonePage(fields_, tabs_);
  InstallContextHelp(general_, help, help::GeneralPage());
  InstallContextHelp(address_, help, help::AddressPage());
  InstallContextHelp(phone, help, help::PhonePage());
  tabs_->addTab(general_, QStringLiteral("General"));
  tabs_->addTab(address_, QStringLiteral("Address"));
  tabs_->addTab(phone, QStringLiteral("Phone"));
  tabs_->setCurrentIndex(0);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  helpButton_ = buttons->button(QDialogButtonBox::Help);
  QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel);
  SetControlId(ok_, user_sheet::kOk);
  SetControlId(cancel, user_sheet::kCancel);
  // Enter means OK only; while OK is disabled it does nothing, rather than
  // pressing whichever button last had the focus.
  ok_->setDefault(true);
  cancel->setAutoDefault(false);
  helpButton_->setAutoDefault(false);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(buttons, &QDialogButtonBox::helpRequested, this,
          [this, &help] { help.ShowTopic(QStringLiteral("userinfdlg.htm"), this); });
  // The sheet's own map answers for its buttons only; each page's controls
  // answer from the page's map.
  InstallContextHelp(buttons, help, help::UserInfoSheet());
  setWindowFlag(Qt::WindowContextHelpButtonHint, true);

  layout->addWidget(tabs_);
  layout->addWidget(buttons);

  connect(general_, &GeneralPage::NameStateChanged, ok_, &QWidget::setEnabled);
  general_->FillOnce();
  // The keyboard starts in the first box rather than on the tabs.
  Control(general_page::kTitle)->setFocus();
  connect(tabs_, &QTabWidget::currentChanged, this, &UserInfoSheet::PageShown);
}

User UserInfoSheet::Result() const { return result() == Accepted ? fields_ : original_; }

QWidget* UserInfoSheet::Control(int id) const {
  for (QWidget* widget : findChildren<QWidget*>())
    if (ControlId(widget) == id) return widget;
  return nullptr;
}

UserInfoPage* UserInfoSheet::Page(int index) const { return static_cast<UserInfoPage*>(tabs_->widget(index)); }

void UserInfoSheet::PageShown(int index) {
  Page(shown_)->Leave();
  shown_ = index;
  Page(index)->FillOnce();
}

void UserInfoSheet::done(int result) {
  if (result == Accepted) Page(shown_)->Leave();
  // As the sheet closes every page that was shown hands back its boxes.
  for (int index = 0; index < tabs_->count(); ++index) Page(index)->ReadBack();
  QDialog::done(result);
}

}  // namespace vimbo
