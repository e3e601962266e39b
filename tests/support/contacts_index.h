#pragma once
// Checks the contacts-by-person index against a walk over every contact.

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "core/records/document_data.h"

namespace vimbo::testing {

inline void ExpectIndexExact(const DocumentData& data) {
  std::map<int32_t, std::vector<int32_t>> walked;
  for (const auto& [id, contact] : data.contacts) walked[contact.PersonID].push_back(id);
  for (const auto& [personId, ids] : walked) {
    const auto indexed = data.contacts.GetIndex().ContactIdsOf(personId);
    EXPECT_EQ(std::vector<int32_t>(indexed.begin(), indexed.end()), ids) << "person " << personId;
  }
  for (const auto& [id, person] : data.persons) {
    if (walked.count(id) == 0) {
      EXPECT_TRUE(data.contacts.GetIndex().ContactIdsOf(id).empty()) << "person " << id;
    }
  }
}

}  // namespace vimbo::testing
