#include "ui/form/current_records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace vimbo {
namespace {

// A list of record ids in their order.
ListRows Rows(const std::vector<int32_t>& ids) {
  return {static_cast<int>(ids.size()),
          [ids](int32_t id) {
            const auto it = std::find(ids.begin(), ids.end(), id);
            return it == ids.end() ? -1 : static_cast<int>(it - ids.begin());
          },
          [ids](int row) { return ids[static_cast<std::size_t>(row)]; }};
}

// Which record is current after each kind of change, for the person list and
// for the contacts list: the row before the change, the list after it, the
// record the step was about, and whether an edit is under way.
TEST(CurrentRecords, RulesForEveryChange) {
  struct Case {
    const char* name;
    FormChange change;
    CurrentRecord before;
    std::vector<int32_t> after;
    int32_t step;
    bool editing;
    CurrentRecord person;
    CurrentRecord contact;
  };
  const Case cases[] = {
      {"refill keeps the place", FormChange::kRefill, {1, 20}, {10, 30, 40}, 0, false, {1, 30}, {0, 10}},
      {"refill past the end takes the last", FormChange::kRefill, {5, 60}, {10, 20}, 0, false, {1, 20}, {0, 10}},
      {"refill of an empty list", FormChange::kRefill, {1, 20}, {}, 0, false, {}, {}},
      {"refill during an edit keeps the record", FormChange::kRefill, {0, 30}, {10, 30}, 0, true, {1, 30}, {1, 30}},
      {"refill during an add keeps the place", FormChange::kRefill, {2, 0}, {10}, 0, true, {2, 0}, {2, 0}},
      {"stored record", FormChange::kStored, {0, 10}, {10, 20, 30}, 30, false, {2, 30}, {0, 10}},
      {"deleted in the middle: the one before",
       FormChange::kPersonDeleted,
       {2, 30},
       {10, 20, 40},
       30,
       false,
       {1, 20},
       {0, 10}},
      {"deleted first: the new first", FormChange::kPersonDeleted, {0, 10}, {20, 30}, 10, false, {0, 20}, {0, 20}},
      {"deleted the last one left", FormChange::kPersonDeleted, {0, 10}, {}, 10, false, {}, {}},
      {"contact deleted: the person stays",
       FormChange::kContactDeleted,
       {2, 30},
       {10, 20, 30},
       0,
       false,
       {2, 30},
       {1, 20}},
      {"step to its record", FormChange::kStep, {0, 10}, {10, 20, 30}, 30, false, {2, 30}, {2, 30}},
      {"reload keeps the record where it moved",
       FormChange::kReloaded,
       {0, 20},
       {5, 10, 20},
       0,
       false,
       {2, 20},
       {2, 20}},
      {"reload without the record", FormChange::kReloaded, {1, 20}, {10, 30}, 0, false, {1, 30}, {0, 10}},
      {"step to a record gone", FormChange::kStep, {1, 20}, {10, 30}, 20, false, {1, 30}, {0, 10}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(PersonAfter(c.change, c.before, c.step, Rows(c.after), c.editing), c.person);
    EXPECT_EQ(ContactAfter(c.change, c.before, c.step, Rows(c.after), c.editing), c.contact);
  }
}

}  // namespace
}  // namespace vimbo
