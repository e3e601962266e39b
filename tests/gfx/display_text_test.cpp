#include <gtest/gtest.h>

#include <string>

#include "gfx/display_text.h"

namespace vimbo {
namespace {

TEST(DisplayText, ValidUtf8IsShownAsUtf8AndAnythingElseAsWindows1252) {
  EXPECT_EQ(ToDisplay("M\xc3\xbcller"), QStringLiteral("Müller"));
  EXPECT_EQ(ToDisplay("M\xfcller"), QStringLiteral("Müller"));
  // The 0x80-0x9F range of Windows-1252 holds the euro sign and quotes.
  EXPECT_EQ(ToDisplay("\x80 \x93x\x94"), QString::fromUtf8("\xe2\x82\xac \xe2\x80\x9cx\xe2\x80\x9d"));
  EXPECT_EQ(ToDisplay(std::string("a\0b", 3)), QString(QStringLiteral("a") + QChar(0) + QStringLiteral("b")));
  EXPECT_EQ(ToDisplay(""), QString());
  // Overlong forms, surrogates and truncated sequences are not UTF-8.
  EXPECT_EQ(ToDisplay("\xc0\xaf").size(), 2);
  EXPECT_EQ(ToDisplay("\xed\xa0\x80").size(), 3);
  EXPECT_EQ(ToDisplay("abc\xe2\x82").size(), 5);
  EXPECT_EQ(ToDisplay("\xf0\x9f\x98\x80"), QString::fromUtf8("\xf0\x9f\x98\x80"));
}

TEST(DisplayText, TypedTextIsStoredAsUtf8AndUneditedFieldsKeepTheirBytes) {
  EXPECT_EQ(FromDisplay(QStringLiteral("Müller")), "M\xc3\xbcller");
  const std::string legacy = "M\xfcller";
  EXPECT_EQ(FromDisplay(ToDisplay(legacy), legacy), legacy);
  EXPECT_EQ(FromDisplay(QStringLiteral("Müllers"), legacy), "M\xc3\xbcllers");
  EXPECT_EQ(FromDisplay(QStringLiteral("Mueller"), legacy), "Mueller");
}

}  // namespace
}  // namespace vimbo
