#pragma once
// The order in which names are listed everywhere in the program: the
// locale's alphabetical order, ignoring case; equal names keep the order of
// their ids.

#include <QString>
#include <cstdint>
#include <vector>

#include "core/records/document_data.h"

namespace vimbo {

struct NamedEntry {
  QString text;
  int32_t id = 0;
};

// Sorts entries given in ascending id order.
void SortByName(std::vector<NamedEntry>& entries);

// Puts `ids`, each a person of `persons`, in that order by display name.
void SortPersonIdsByName(const Persons& persons, std::vector<int32_t>& ids);

// Whether `entry` belongs before `other` in that order.
bool ListedBefore(const NamedEntry& entry, const NamedEntry& other);

}  // namespace vimbo
