#include "core/records/text_rules.h"

#include <gtest/gtest.h>

namespace vimbo {
namespace {

TEST(TextRules, TrimsTheSixWhiteSpaceCharacters) {
  EXPECT_EQ(TrimView(" \t\r\n\v\fa b\f\v\n\r\t "), "a b");
  EXPECT_EQ(TrimView("   "), "");
  EXPECT_EQ(TrimRight(" a b \t\r\n\v\f"), " a b");
  EXPECT_EQ(Trim("\f\v\n\r\t a b \t"), "a b");
  EXPECT_EQ(Trim(" \t "), "");
  EXPECT_EQ(TrimRight("a\xA0"), "a\xA0") << "only the six ASCII characters count";
}

TEST(TextRules, EachStoredLineBreakBecomesOneLineFeed) {
  EXPECT_EQ(LineFeedBreaks("a\r\nb"), "a\nb");
  EXPECT_EQ(LineFeedBreaks("a\r\r\nb"), "a\nb");
  EXPECT_EQ(LineFeedBreaks("a\r\r\r\nb\rc\nd"), "a\nb\nc\nd");
  EXPECT_EQ(LineFeedBreaks("a\r\n\r\nb"), "a\n\nb") << "an empty line stays";
  EXPECT_EQ(LineFeedBreaks("a\r"), "a\n");
  EXPECT_EQ(LineFeedBreaks(""), "");
}

}  // namespace
}  // namespace vimbo
