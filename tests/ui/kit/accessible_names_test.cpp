#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>

#include "ui/kit/accessible_names.h"

namespace vimbo {
namespace {

TEST(AccessibleNames, ALabelIsReadWithoutItsMnemonicAndColon) {
  const std::pair<const char*, const char*> cases[] = {
      {"&First Name:", "First Name"}, {"E&xt:", "Ext"},       {"Web &Page:", "Web Page"},
      {"Ext", "Ext"},                 {"Q && A:", "Q & A"},   {"F&irst line of document", "First line of document"},
      {"Notes: ", "Notes"},           {"&&&Save", "&Save"},   {"Trailing&", "Trailing"},
      {"", ""}};
  for (const auto& [label, spoken] : cases) EXPECT_EQ(SpokenText(QString::fromLatin1(label)), spoken) << label;
}

TEST(AccessibleNames, ALabelNamesItsControlAndGivesItTheMnemonic) {
  QWidget form;
  auto* label = new QLabel(QStringLiteral("&Company:"), &form);
  auto* box = new QLineEdit(&form);
  LabelControl(label, box);
  EXPECT_EQ(label->buddy(), box);
  EXPECT_EQ(box->accessibleName(), "Company");
}

}  // namespace
}  // namespace vimbo
