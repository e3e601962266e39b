#pragma once
// The order in which find lists contacts: the newest first, and contacts of
// the same moment in ascending ID. A moment that is no number comes last,
// as in the contacts list.

#include <cstdint>
#include <vector>

namespace vimbo {

struct FoundContact {
  uint64_t key;  // from NewestFirstKey
  int32_t id;
};

// The key of a moment: keys in ascending order are moments newest first.
uint64_t NewestFirstKey(double moment);

// The IDs of `found`, given in ascending ID, in the order of their keys.
std::vector<int32_t> NewestFirst(std::vector<FoundContact> found);

}  // namespace vimbo
