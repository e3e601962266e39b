#include "core/records/contacts_by_person.h"

#include <algorithm>

namespace vimbo {

std::span<const int32_t> ContactsByPerson::ContactIdsOf(int32_t personId) const {
  const auto found = ids_.find(personId);
  if (found == ids_.end()) return {};
  return found->second;
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
