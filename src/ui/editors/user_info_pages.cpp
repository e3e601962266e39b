#include "ui/editors/user_info_pages.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <limits>

#include "gfx/display_text.h"
#include "ui/kit/accessible_names.h"
#include "ui/kit/control_id.h"
#include "ui/kit/control_ids.h"
#include "ui/kit/form_text.h"
#include "ui/kit/phone_number_edit.h"

namespace vimbo {
namespace {

constexpr int kLabelLeft = 7;
constexpr int kLabelGap = 2;
constexpr int kLabelHeight = 8;
constexpr int kLabelDrop = 3;

constexpr int kStateLimit = 5;
constexpr int kZipLimit = 10;

}  // namespace

UserInfoPage::UserInfoPage(User& fields, QSize sizeInUnits, QWidget* parent)
    : QWidget(parent), fields_(fields), units_(fontMetrics()) {
  setMinimumSize(units_.Size(sizeInUnits.width(), sizeInUnits.height()));
}

void UserInfoPage::FillOnce() {
  if (filled_) return;
  filled_ = true;
  Fill();
}

void UserInfoPage::Fill() {
  for (const LineField& line : lines_) line.box->setText(ToDisplay(fields_.*line.field));
}

void UserInfoPage::ReadBack() {
  if (!filled_) return;
  for (const LineField& line : lines_) {
    CompactText& field = fields_.*line.field;
    field = FromDisplay(line.box->text(), field);
  }
}

void UserInfoPage::Leave() {
  ReadBack();
  if (filled_) CheckInput();
}

void UserInfoPage::Place(QWidget* box, const BoxPlace& place) {
  SetControlId(box, place.boxId);
  box->setGeometry(units_.X(place.x), units_.Y(place.y), units_.X(place.width), units_.Y(place.height));
  auto* label = new QLabel(QString::fromLatin1(place.label), this);
  LabelControl(label, box);
  SetControlId(label, place.labelId);
  label->setGeometry(units_.X(place.labelLeft), units_.Y(place.y + kLabelDrop),
                     units_.X(place.x - kLabelGap - place.labelLeft), units_.Y(kLabelHeight));
}

QLineEdit* UserInfoPage::AddLine(const BoxPlace& place, CompactText User::*field) {
  return AddLine(new QLineEdit(this), place, field);
}

QLineEdit* UserInfoPage::AddLine(QLineEdit* box, const BoxPlace& place, CompactText User::*field) {
  // Qt's default limit would cut a longer stored value on OK.
  box->setMaxLength(std::numeric_limits<int>::max());
  Place(box, place);
  lines_.push_back({box, field});
  return box;
}

GeneralPage::GeneralPage(User& fields, QWidget* parent) : UserInfoPage(fields, {186, 103}, parent) {
  using namespace general_page;
  AddLine({kTitle, kTitleLabel, "&Title:", kLabelLeft, 51, 13, 111, 14}, &User::Title);
  nameBoxes_ = {AddLine({kFirstName, kFirstNameLabel, "&First Name:", kLabelLeft, 51, 28, 111, 14}, &User::FName),
                AddLine({kLastName, kLastNameLabel, "&Last Name:", kLabelLeft, 51, 43, 111, 14}, &User::LName),
                AddLine({kCompany, kCompanyLabel, "&Company:", kLabelLeft, 51, 58, 111, 14}, &User::Company)};
  AddLine({kPosition, kPositionLabel, "&Position:", kLabelLeft, 51, 72, 111, 14}, &User::Position);
  for (QLineEdit* box : nameBoxes_)
    connect(box, &QLineEdit::textChanged, this, [this] { emit NameStateChanged(HasName()); });
}

bool GeneralPage::HasName() const {
  for (const QLineEdit* box : nameBoxes_)
    if (!box->text().isEmpty()) return true;
  return false;
}

void GeneralPage::Fill() {
  UserInfoPage::Fill();
  emit NameStateChanged(HasName());
}

AddressPage::AddressPage(User& fields, QWidget* parent)
    : UserInfoPage(fields, {186, 94}, parent), address_(new QPlainTextEdit(this)), beep_(QApplication::beep) {
  // Enter starts a new line of the address; Tab still moves on.
  address_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  address_->setTabChangesFocus(true);
  using namespace address_page;
  Place(address_, {kAddress, kAddressLabel, "&Address:", kLabelLeft, 39, 10, 110, 29});
  AddLine({kCity, kCityLabel, "&City:", kLabelLeft, 39, 40, 109, 14}, &User::City);
  state_ = AddLine({kState, kStateLabel, "&State:", kLabelLeft, 39, 56, 40, 14}, &User::State);
  zip_ = AddLine({kZip, kZipLabel, "&Zip:", 81, 103, 56, 46, 14}, &User::Zip);
}

void AddressPage::Fill() {
  address_->setPlainText(MultiLineToDisplay(fields_.Address));
  UserInfoPage::Fill();
}

void AddressPage::ReadBack() {
  if (!Filled()) return;
  fields_.Address = MultiLineFromDisplay(MultiLineBoxText(*address_), fields_.Address);
  UserInfoPage::ReadBack();
}

// An over-long State or Zip is kept as typed; the beep and the caret in the
// box tell the user it is longer than an address usually has. Every box is
// read back first, so a limit never costs the user what they typed in the
// boxes after it. When the page is being left, the caret waits for the page
// to come back: a hidden box with the focus would swallow what is typed on
// the page shown.
void AddressPage::CheckInput() {
  for (QLineEdit* box : {state_, zip_}) {
    if (box->text().size() > (box == state_ ? kStateLimit : kZipLimit)) {
      beep_();
      if (box->isVisible())
        box->setFocus();
      else
        caretOnShow_ = box;
      return;
    }
  }
}

void AddressPage::showEvent(QShowEvent* event) {
  UserInfoPage::showEvent(event);
  if (caretOnShow_) caretOnShow_->setFocus();
  caretOnShow_ = nullptr;
}

// The document keeps no pager number, so the page offers no box for one;
// the boxes below close up the row it would take.
PhonePage::PhonePage(User& fields, QWidget* parent) : UserInfoPage(fields, {186, 104}, parent) {
  using namespace phone_page;
  AddLine(new PhoneNumberEdit(this), {kHomePhone, kHomePhoneLabel, "&Home Phone:", kLabelLeft, 54, 7, 59, 14},
          &User::HmPhone);
  AddLine(new PhoneNumberEdit(this), {kWorkPhone, kWorkPhoneLabel, "&Work Phone:", kLabelLeft, 54, 21, 59, 14},
          &User::WkPhone);
  AddLine({kExtension, kExtensionLabel, "E&xt:", 115, 131, 21, 33, 14}, &User::WkExt);
  AddLine(new PhoneNumberEdit(this), {kFax, kFaxLabel, "&Fax:", kLabelLeft, 54, 35, 59, 14}, &User::Fax);
  AddLine({kEMail, kEMailLabel, "&E-Mail:", kLabelLeft, 54, 49, 111, 14}, &User::EMail);
  AddLine(new PhoneNumberEdit(this), {kCellPhone, kCellPhoneLabel, "&Cel Phone:", kLabelLeft, 54, 63, 59, 14},
          &User::CelPhone);
  AddLine({kWebPage, kWebPageLabel, "Web &Page:", kLabelLeft, 54, 77, 111, 14}, &User::WebPage);
}

}  // namespace vimbo
