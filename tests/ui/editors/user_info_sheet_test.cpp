#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>

#include "core/records/records.h"
#include "ui/editors/user_info_pages.h"
#include "ui/editors/user_info_sheet.h"
#include "ui/kit/control_id.h"
#include "ui/kit/help_maps.h"
#include "ui/kit/help_system.h"
#include "ui/kit/help_window.h"
#include "ui/kit/phone_number_edit.h"

namespace vimbo {
namespace {

constexpr int kGeneral = 0;
constexpr int kAddress = 1;
constexpr int kPhone = 2;

User SampleUser() {
  User user;
  user.Title = "Dr.";
  user.FName = "Ann";
  user.LName = "M\xfcller";
  user.Company = "Brenwick";
  user.Position = "Owner";
  user.Address = "1 Main St\r\nSuite 2";
  user.City = "Springfield";
  user.State = "IL";
  user.Zip = "62701";
  user.HmPhone = "555-1000";
  user.WkPhone = "555-2000";
  user.WkExt = "12";
  user.CelPhone = "555-3000";
  user.Fax = "555-4000";
  user.EMail = "ann@example.com";
  user.WebPage = "http://example.com/~m\xfc";
  return user;
}

void ExpectSameBytes(const User& a, const User& b) {
  const CompactText User::*fields[] = {&User::Title,    &User::FName,   &User::LName,   &User::Company,
                                       &User::Position, &User::Address, &User::City,    &User::State,
                                       &User::Zip,      &User::HmPhone, &User::WkPhone, &User::WkExt,
                                       &User::CelPhone, &User::Fax,     &User::EMail,   &User::WebPage};
  for (const auto field : fields) EXPECT_EQ(a.*field, b.*field);
}

class UserInfoSheetTest : public ::testing::Test {
 protected:
  HelpSystem help{QStringLiteral(VIMBO_HELP_DIR)};

  static QLineEdit* Line(const UserInfoSheet& sheet, int id) { return qobject_cast<QLineEdit*>(sheet.Control(id)); }
  static QPlainTextEdit* AddressBox(const UserInfoSheet& sheet) {
    return qobject_cast<QPlainTextEdit*>(sheet.Control(1018));
  }
  // Typing that QTest::keyClicks cannot do: characters beyond ASCII.
  static void TypeText(QWidget* box, const QString& text) {
    for (QChar c : text) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QApplication::sendEvent(box, &press);
    }
  }
  static void Retype(QLineEdit* box, const QString& text) {
    box->clear();
    TypeText(box, text);
  }
  static void ShowActive(UserInfoSheet& sheet) {
    sheet.show();
    sheet.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&sheet));
  }
};

TEST_F(UserInfoSheetTest, SetUpCaptionPagesAndButtons) {
  UserInfoSheet sheet(SampleUser(), help);
  EXPECT_EQ(sheet.windowTitle(), "Edit User");
  ASSERT_EQ(sheet.Tabs()->count(), 3);
  EXPECT_EQ(sheet.Tabs()->tabText(0), "General");
  EXPECT_EQ(sheet.Tabs()->tabText(1), "Address");
  EXPECT_EQ(sheet.Tabs()->tabText(2), "Phone");
  EXPECT_EQ(sheet.Tabs()->currentIndex(), kGeneral);
  EXPECT_EQ(sheet.Control(1), sheet.OkButton());
  ASSERT_NE(sheet.Control(2), nullptr);
  EXPECT_NE(sheet.HelpButton(), nullptr);
  int buttons = 0;
  for (QPushButton* button : sheet.findChildren<QPushButton*>())
    if (!button->text().contains("Apply")) ++buttons;
  EXPECT_EQ(buttons, 3) << "OK, Cancel and Help, no Apply";

  // The keyboard starts in the first box and Tab walks the page in order.
  ShowActive(sheet);
  std::vector<int> visited{ControlId(QApplication::focusWidget())};
  for (int step = 0; step < 4; ++step) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    visited.push_back(ControlId(QApplication::focusWidget()));
  }
  EXPECT_EQ(visited, (std::vector<int>{1015, 1001, 1002, 1003, 1004}));
}

// Every label carries its box's help and takes the focus to it by its
// mnemonic; the document has no pager field, so there is no Pager box.
TEST_F(UserInfoSheetTest, LabelsPairWithTheirBoxesAndThereIsNoPagerBox) {
  UserInfoSheet sheet(SampleUser(), help);
  const std::pair<int, help::HelpMap> pages[] = {
      {kGeneral, help::GeneralPage()}, {kAddress, help::AddressPage()}, {kPhone, help::PhonePage()}};
  int labels = 0;
  for (const auto& [index, map] : pages) {
    for (QLabel* label : sheet.Tabs()->widget(index)->findChildren<QLabel*>()) {
      ++labels;
      ASSERT_NE(label->buddy(), nullptr) << label->text().toStdString();
      EXPECT_TRUE(label->text().contains('&'));
      const auto labelContext = help::ContextOf(map, ControlId(label));
      ASSERT_TRUE(labelContext.has_value()) << ControlId(label);
      EXPECT_EQ(labelContext, help::ContextOf(map, ControlId(label->buddy()))) << ControlId(label);
    }
  }
  EXPECT_EQ(labels, 5 + 4 + 7);
  EXPECT_EQ(sheet.Control(1027), nullptr);
  EXPECT_EQ(sheet.Control(1068), nullptr);
  for (int id : {1023, 1025, 1006, 1016}) EXPECT_NE(qobject_cast<PhoneNumberEdit*>(sheet.Control(id)), nullptr) << id;
  for (int id : {1031, 1008, 1074}) EXPECT_EQ(qobject_cast<PhoneNumberEdit*>(sheet.Control(id)), nullptr) << id;
}

TEST_F(UserInfoSheetTest, AnEmptyUserShowsEmptyBoxesAndNeedsANameOrCompanyForOk) {
  UserInfoSheet sheet(User{}, help);
  EXPECT_FALSE(sheet.OkButton()->isEnabled());
  for (int page : {kAddress, kPhone, kGeneral}) sheet.Tabs()->setCurrentIndex(page);
  for (QLineEdit* box : sheet.findChildren<QLineEdit*>()) EXPECT_TRUE(box->text().isEmpty());
  EXPECT_TRUE(AddressBox(sheet)->toPlainText().isEmpty());
  EXPECT_FALSE(sheet.OkButton()->isEnabled());

  for (int id : {1001, 1002, 1003}) {
    QTest::keyClicks(Line(sheet, id), "x");
    EXPECT_TRUE(sheet.OkButton()->isEnabled()) << id;
    QTest::keyClick(Line(sheet, id), Qt::Key_Backspace);
    EXPECT_FALSE(sheet.OkButton()->isEnabled()) << id;
  }
  // Title and Position do not make a user.
  QTest::keyClicks(Line(sheet, 1015), "Dr.");
  QTest::keyClicks(Line(sheet, 1004), "Owner");
  EXPECT_FALSE(sheet.OkButton()->isEnabled());
  // Only the General page rules the button, and Enter does not get past it.
  ShowActive(sheet);
  sheet.Tabs()->setCurrentIndex(kPhone);
  EXPECT_FALSE(sheet.OkButton()->isEnabled());
  QTest::keyClick(Line(sheet, 1008), Qt::Key_Return);
  EXPECT_TRUE(sheet.isVisible()) << sheet.result();
}

TEST_F(UserInfoSheetTest, OkStateIsTakenFromTheUserAtOpening) {
  User companyOnly;
  companyOnly.Company = "Brenwick";
  EXPECT_TRUE(UserInfoSheet(companyOnly, help).OkButton()->isEnabled());
  User lastNameOnly;
  lastNameOnly.LName = "Smith";
  EXPECT_TRUE(UserInfoSheet(lastNameOnly, help).OkButton()->isEnabled());
}

TEST_F(UserInfoSheetTest, PhoneBoxesDropTypedLettersAndKeepTheRest) {
  UserInfoSheet sheet(User{}, help);
  sheet.Tabs()->setCurrentIndex(kPhone);
  for (int id : {1023, 1025, 1006, 1016}) {
    QTest::keyClicks(Line(sheet, id), "(555) 123-4567 x89");
    EXPECT_EQ(Line(sheet, id)->text(), "(555) 123-4567 89") << id;
  }
  for (int id : {1031, 1008, 1074}) {
    QTest::keyClicks(Line(sheet, id), "(555) 123-4567 x89");
    EXPECT_EQ(Line(sheet, id)->text(), "(555) 123-4567 x89") << id;
  }

  QLineEdit* home = Line(sheet, 1023);
  home->clear();
  TypeText(home, QString::fromUtf8("+1.2/3*4,5;6#7@8aZ~\u00e9\u20ac\u0161\u0100"));
  EXPECT_EQ(home->text(), QString::fromUtf8("+1.2345678\u00e9\u20ac\u0161"))
      << "accented letters of the code page pass";

  ASSERT_TRUE(PhoneNumberEdit::IsPhoneCharacter(QChar(u'\t')));
  for (char16_t dropped : {u'!', u'\'', u'*', u',', u'/', u':', u'@', u'~'})
    EXPECT_FALSE(PhoneNumberEdit::IsPhoneCharacter(QChar(dropped))) << int(dropped);
}

TEST_F(UserInfoSheetTest, PhoneBoxesKeepEditingKeysAndTheClipboard) {
  UserInfoSheet sheet(User{}, help);
  sheet.Tabs()->setCurrentIndex(kPhone);
  QLineEdit* home = Line(sheet, 1023);
  QTest::keyClicks(home, "12345");
  QTest::keyClick(home, Qt::Key_Backspace);
  QTest::keyClick(home, Qt::Key_Home);
  QTest::keyClick(home, Qt::Key_Delete);
  QTest::keyClick(home, Qt::Key_Right);
  QTest::keyClicks(home, "-");
  QTest::keyClick(home, Qt::Key_End);
  QTest::keyClick(home, Qt::Key_Left);
  QTest::keyClicks(home, ".");
  EXPECT_EQ(home->text(), "2-3.4");

  QTest::keyClick(home, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(home, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), "2-3.4");
  QTest::keyClick(home, Qt::Key_X, Qt::ControlModifier);
  EXPECT_TRUE(home->text().isEmpty());

  // Pasted text is taken as it is.
  QApplication::clipboard()->setText("555-1234 ask for Bob");
  QTest::keyClick(home, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(home->text(), "555-1234 ask for Bob");
}

TEST_F(UserInfoSheetTest, ChangingOnlyTheCityKeepsEveryOtherFieldByteForByte) {
  const User user = SampleUser();
  UserInfoSheet sheet(user, help);
  EXPECT_TRUE(Line(sheet, 1012)->text().isEmpty()) << "a page is filled when it is first shown";
  sheet.Tabs()->setCurrentIndex(kAddress);
  EXPECT_EQ(Line(sheet, 1012)->text(), "Springfield");
  EXPECT_EQ(AddressBox(sheet)->toPlainText(), "1 Main St\nSuite 2");
  EXPECT_EQ(Line(sheet, 1002)->text(), QString::fromUtf8("M\u00fcller"));
  Retype(Line(sheet, 1012), QString::fromUtf8("K\u00f6ln"));
  sheet.OkButton()->click();

  ASSERT_EQ(sheet.result(), QDialog::Accepted);
  User expected = user;
  expected.City = "K\xc3\xb6ln";
  ExpectSameBytes(sheet.Result(), expected);
}

TEST_F(UserInfoSheetTest, OkWithoutChangesReturnsTheSameBytes) {
  User user = SampleUser();
  user.Address = "x\r\r\ny\nz\xa0";
  UserInfoSheet sheet(user, help);
  for (int page : {kAddress, kPhone, kGeneral, kPhone}) sheet.Tabs()->setCurrentIndex(page);
  sheet.OkButton()->click();
  ASSERT_EQ(sheet.result(), QDialog::Accepted);
  ExpectSameBytes(sheet.Result(), user);
}

TEST_F(UserInfoSheetTest, CancelAfterChangesOnEveryPageHandsBackTheUserUnchanged) {
  const User user = SampleUser();
  UserInfoSheet sheet(user, help);
  Retype(Line(sheet, 1001), "Bea");
  sheet.Tabs()->setCurrentIndex(kAddress);
  Retype(Line(sheet, 1013), "NY");
  QTest::keyClicks(AddressBox(sheet), "more");
  sheet.Tabs()->setCurrentIndex(kPhone);
  Retype(Line(sheet, 1008), "bea@example.com");
  qobject_cast<QPushButton*>(sheet.Control(2))->click();

  EXPECT_EQ(sheet.result(), QDialog::Rejected);
  ExpectSameBytes(sheet.Result(), user);
}

TEST_F(UserInfoSheetTest, TheAddressIsStoredWithCrLfBreaks) {
  User user = SampleUser();
  UserInfoSheet sheet(user, help);
  sheet.Tabs()->setCurrentIndex(kAddress);
  QPlainTextEdit* address = AddressBox(sheet);
  address->clear();
  QTest::keyClicks(address, "a");
  QTest::keyClick(address, Qt::Key_Return);
  QTest::keyClicks(address, "b");
  QTest::keyClick(address, Qt::Key_Enter);
  QTest::keyClicks(address, "c");
  // Leaving the page reads it back.
  sheet.Tabs()->setCurrentIndex(kPhone);
  sheet.OkButton()->click();
  EXPECT_EQ(sheet.Result().Address, "a\r\nb\r\nc");
}

TEST_F(UserInfoSheetTest, AnOverlongStateOrZipBeepsAndTakesTheCaretButKeepsWhatWasTyped) {
  UserInfoSheet sheet(SampleUser(), help);
  int beeps = 0;
  sheet.Address()->SetBeep([&] { ++beeps; });
  ShowActive(sheet);
  sheet.Tabs()->setCurrentIndex(kAddress);
  QLineEdit* state = Line(sheet, 1013);
  QLineEdit* zip = Line(sheet, 1017);

  // At the limits nothing is said.
  Retype(state, "ABCDE");
  Retype(zip, "1234567890");
  sheet.Tabs()->setCurrentIndex(kPhone);
  EXPECT_EQ(beeps, 0);

  sheet.Tabs()->setCurrentIndex(kAddress);
  Retype(state, "ABCDEF");
  Retype(zip, "99999");
  QTest::keyClicks(Line(sheet, 1012), "ville");
  sheet.Tabs()->setCurrentIndex(kPhone);
  EXPECT_EQ(beeps, 1);
  // Leaving is not held up, and what is typed next goes to the page shown,
  // not to the hidden State box; back on the page the caret is in State.
  EXPECT_EQ(sheet.Tabs()->currentIndex(), kPhone);
  ASSERT_NE(QApplication::focusWidget(), nullptr);
  EXPECT_TRUE(QApplication::focusWidget()->isVisible());
  EXPECT_NE(QApplication::focusWidget(), state);
  sheet.Tabs()->setCurrentIndex(kAddress);
  EXPECT_EQ(QApplication::focusWidget(), state);

  Retype(state, "IL");
  Retype(zip, "12345-67890");
  sheet.OkButton()->click();
  EXPECT_EQ(beeps, 2);
  ASSERT_EQ(sheet.result(), QDialog::Accepted);
  const User result = sheet.Result();
  EXPECT_EQ(result.State, "IL");
  EXPECT_EQ(result.Zip, "12345-67890");
  EXPECT_EQ(result.City, "Springfieldville");
}

// The boxes after an over-long State are read back all the same, so a Zip
// typed with it is not lost when the sheet is confirmed from another page.
TEST_F(UserInfoSheetTest, AnOverlongStateDoesNotCostTheZip) {
  UserInfoSheet sheet(SampleUser(), help);
  int beeps = 0;
  sheet.Address()->SetBeep([&] { ++beeps; });
  sheet.Tabs()->setCurrentIndex(kAddress);
  Retype(Line(sheet, 1013), "Illinois");
  Retype(Line(sheet, 1017), "60601");
  sheet.Tabs()->setCurrentIndex(kGeneral);
  sheet.OkButton()->click();
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(sheet.Result().State, "Illinois");
  EXPECT_EQ(sheet.Result().Zip, "60601");
}

TEST_F(UserInfoSheetTest, HelpButtonOpensTheSheetsPage) {
  UserInfoSheet sheet(SampleUser(), help);
  sheet.Tabs()->setCurrentIndex(kPhone);
  sheet.HelpButton()->click();
  const auto windows = sheet.findChildren<HelpWindow*>();
  ASSERT_EQ(windows.size(), 1);
  EXPECT_EQ(windows[0]->Browser()->source().fileName(), "userinfdlg.htm");
}

TEST_F(UserInfoSheetTest, F1ShowsThePopupOfThePageOrOfTheSheet) {
  UserInfoSheet sheet(SampleUser(), help);
  ShowActive(sheet);
  sheet.Tabs()->setCurrentIndex(kAddress);
  const std::pair<int, uint32_t> cases[] = {{1012, 6109}, {1, 1000}, {2, 1001}, {1018, 6107}, {1034, 6110}};
  for (const auto& [id, context] : cases) {
    QTest::keyClick(sheet.Control(id), Qt::Key_F1);
    EXPECT_EQ(help.LastPopup(), context) << id;
  }
  sheet.Tabs()->setCurrentIndex(kPhone);
  QTest::keyClick(sheet.Control(1016), Qt::Key_F1);
  EXPECT_EQ(help.LastPopup(), 6226u);
  sheet.Tabs()->setCurrentIndex(kGeneral);
  QTest::keyClick(sheet.Control(1003), Qt::Key_F1);
  EXPECT_EQ(help.LastPopup(), 6003u);
}

}  // namespace
}  // namespace vimbo
