#pragma once
// The order in which vimbo-cli lists persons: the desktop program's person
// list order where Qt is at hand, by ID in a build without it.

#include <cstdint>
#include <vector>

#include "core/records/document_data.h"

namespace vimbo::cli {

// Puts `ids`, each a person of `persons`, in that order.
void ListedByName(const Persons& persons, std::vector<int32_t>& ids);

}  // namespace vimbo::cli
