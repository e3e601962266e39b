#include <gtest/gtest.h>

#include <QString>

#include "ui/kit/accessible_names.h"

namespace vimbo {
namespace {

TEST(AccessibleNames, ALabelIsReadWithoutItsMnemonicAndColon) {
  const std::pair<const char*, const char*> cases[] = {{"&First Name:", "First Name"},
                                                       {"E&xt:", "Ext"},
                                                       {"Web &Page:", "Web Page"},
                                                       {"Ext", "Ext"},
                                                       {"Q && A:", "Q & A"},
                                                       {"&&&Save", "&Save"},
                                                       {"Trailing&", "Trailing"},
                                                       {"Notes: ", "Notes"},
                                                       {"", ""}};
  for (const auto& [label, spoken] : cases) EXPECT_EQ(SpokenText(QString::fromLatin1(label)), spoken) << label;
}

}  // namespace
}  // namespace vimbo
