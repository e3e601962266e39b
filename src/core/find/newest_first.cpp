#include "core/find/newest_first.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <limits>
#include <utility>

namespace vimbo {

uint64_t NewestFirstKey(double moment) {
  if (std::isnan(moment)) moment = -std::numeric_limits<double>::infinity();
  if (moment == 0) moment = 0.0;  // -0 is the same moment as +0
  // A double's bits order as unsigned numbers once negative numbers have
  // all their bits flipped and the others their sign bit set; flipping the
  // result puts the newest first.
  const auto bits = std::bit_cast<uint64_t>(moment);
  const uint64_t ascending = (bits >> 63U) != 0 ? ~bits : bits | (uint64_t{1} << 63U);
  return ~ascending;
}

std::vector<int32_t> NewestFirst(std::vector<FoundContact> found) {
  // A broad query finds hundreds of thousands of contacts: they are sorted
  // a byte of the key at a time, from the lowest. Each pass keeps the order
  // of equal bytes, so contacts of one moment stay in ascending ID.
  constexpr std::size_t kBytes = sizeof(uint64_t);
  std::array<std::array<std::size_t, 256>, kBytes> counts{};
  for (const FoundContact& contact : found)
    for (std::size_t b = 0; b < kBytes; ++b) ++counts[b][(contact.key >> (8 * b)) & 0xFFU];
  std::vector<FoundContact> sorted(found.size());
  for (std::size_t b = 0; b < kBytes && !found.empty(); ++b) {
    std::array<std::size_t, 256>& next = counts[b];
    // A byte that every key shares leaves the order as it is.
    if (next[(found.front().key >> (8 * b)) & 0xFFU] == found.size()) continue;
    std::size_t start = 0;
    for (std::size_t& count : next) start += std::exchange(count, start);
    for (const FoundContact& contact : found) sorted[next[(contact.key >> (8 * b)) & 0xFFU]++] = contact;
    found.swap(sorted);
  }
  std::vector<int32_t> ids(found.size());
  for (std::size_t i = 0; i < found.size(); ++i) ids[i] = found[i].id;
  return ids;
}

}  // namespace vimbo
