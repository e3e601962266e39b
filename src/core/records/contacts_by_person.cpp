#include "core/records/contacts_by_person.h"

#include <algorithm>

namespace vimbo {

std::span<const int32_t> ContactsByPerson::ContactIdsOf(int32_t personId) const {
  const auto found = ids_.find(personId);
  if (found == ids_.end()) return {};
  return found->second;
}

// The pairs are grouped by person with a stable radix sort on the person ID
// (two passes of sixteen bits), which keeps each person's contacts in
// ascending ID and, unlike a map lookup per contact, reads and writes memory
// in order: building the index of a million contacts stays a matter of
// milliseconds.
void ContactsByPerson::Rebuild(std::vector<std::pair<int32_t, int32_t>> pairs) {
  ids_.clear();
  std::vector<std::pair<int32_t, int32_t>> sorted(pairs.size());
  for (int shift : {0, 16}) {
    std::vector<std::size_t> starts(65537, 0);
    // Flipping the sign bit orders negative IDs before positive ones.
    const auto digit = [shift](int32_t personId) {
      return ((static_cast<uint32_t>(personId) ^ 0x80000000u) >> shift) & 0xFFFFu;
    };
    for (const auto& pair : pairs) ++starts[digit(pair.first) + 1];
    for (std::size_t i = 1; i < starts.size(); ++i) starts[i] += starts[i - 1];
    for (const auto& pair : pairs) sorted[starts[digit(pair.first)]++] = pair;
    pairs.swap(sorted);
  }
  for (std::size_t run = 0; run < pairs.size();) {
    std::size_t end = run;
    while (end < pairs.size() && pairs[end].first == pairs[run].first) ++end;
    std::vector<int32_t>& ids = ids_[pairs[run].first];
    ids.reserve(end - run);
    for (std::size_t i = run; i < end; ++i) ids.push_back(pairs[i].second);
    run = end;
  }
}

void ContactsByPerson::Added(const Contact& contact) {
  std::vector<int32_t>& ids = ids_[contact.PersonID];
  // New contacts carry the highest ID yet, so this is nearly always an append.
  if (ids.empty() || ids.back() < contact.ID)
    ids.push_back(contact.ID);
  else
    ids.insert(std::lower_bound(ids.begin(), ids.end(), contact.ID), contact.ID);
}

void ContactsByPerson::Replaced(const Contact& before, const Contact& after) {
  if (before.PersonID == after.PersonID) return;
  Removed(before);
  Added(after);
}

void ContactsByPerson::Removed(const Contact& contact) {
  const auto found = ids_.find(contact.PersonID);
  if (found == ids_.end()) return;
  std::vector<int32_t>& ids = found->second;
  if (!ids.empty() && ids.back() == contact.ID) {
    ids.pop_back();
  } else {
    const auto at = std::lower_bound(ids.begin(), ids.end(), contact.ID);
    if (at != ids.end() && *at == contact.ID) ids.erase(at);
  }
  if (ids.empty()) ids_.erase(found);
}

}  // namespace vimbo
