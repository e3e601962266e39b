#pragma once
// The order in which names are listed everywhere in the program: the
// locale's alphabetical order, ignoring case; equal names keep the order of
// their ids.

#include <QString>
#include <cstdint>
#include <vector>

namespace vimbo {

struct NamedEntry {
  QString text;
  int32_t id = 0;
};

// Sorts entries given in ascending id order.
void SortByName(std::vector<NamedEntry>& entries);

// Whether `entry` belongs before `other` in that order.
bool ListedBefore(const NamedEntry& entry, const NamedEntry& other);

}  // namespace vimbo
