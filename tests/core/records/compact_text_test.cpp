#include "core/records/compact_text.h"

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <utility>

#include "support/exhaustible_heap.h"

namespace vimbo {
namespace {

// Bytes of every kind, NUL included, cut at every length around the one
// where a text stops fitting in place.
std::string Sample(std::size_t length) {
  static const std::string kBytes(
      "Ab\0\xE9\xFF \r\n"
      "0123456789xyz\x80",
      22);
  return kBytes.substr(0, length);
}

TEST(CompactText, KeepsEveryByteThroughCopyMoveAndAssignmentAtEveryLength) {
  for (std::size_t length = 0; length <= 22; ++length) {
    SCOPED_TRACE(length);
    const std::string bytes = Sample(length);
    const CompactText text(bytes);
    EXPECT_EQ(text.view(), bytes);
    EXPECT_EQ(text.size(), length);
    EXPECT_EQ(text.empty(), length == 0);

    CompactText copy = text;
    EXPECT_EQ(copy, text);
    CompactText moved = std::move(copy);
    EXPECT_EQ(moved.view(), bytes);
    EXPECT_TRUE(copy.empty());  // NOLINT(bugprone-use-after-move): a moved-from text is empty

    // Each form over each other form, and a text over a view of itself.
    for (std::size_t other = 0; other <= 22; other += 7) {
      CompactText target(Sample(other));
      target = text;
      EXPECT_EQ(target.view(), bytes);
      target = Sample(other);
      target = target.view().substr(target.size() / 2);
      EXPECT_EQ(target.view(), Sample(other).substr(other / 2));
    }
    EXPECT_TRUE(text < bytes + '\x01' && bytes + '\x01' > text);
    EXPECT_EQ(text.str() + "!", bytes + "!");
  }
}

TEST(CompactText, EmptyAndShortTextsTakeNothingFromTheHeap) {
  testing::gAllocationsLeft = 0;
  const CompactText empty("");
  const CompactText shortText("Seven!!");
  CompactText copy = shortText;
  copy = empty;
  bool longTextAllocated = false;
  try {
    const CompactText longText("Eight!!!");
  } catch (const std::bad_alloc&) {
    longTextAllocated = true;
  }
  testing::gAllocationsLeft = -1;
  EXPECT_TRUE(longTextAllocated);
  EXPECT_EQ(shortText, "Seven!!");
  EXPECT_TRUE(copy.empty());
}

}  // namespace
}  // namespace vimbo
