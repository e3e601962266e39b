#pragma once
// Which contacts each person has, in ascending contact ID, kept by the
// contacts collection itself so that it is exact after every change: the
// form shows a person's contacts, and deleting a person finds the contacts
// to take along, without walking every contact of the document.

#include <cstdint>
#include <span>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/records/records.h"

namespace vimbo {

class ContactsByPerson {
 public:
  // The IDs of the person's contacts, ascending; valid until the contacts
  // next change.
  std::span<const int32_t> ContactIdsOf(int32_t personId) const;

  // Builds the index afresh from (ID, contact) entries in ascending ID.
  template <typename Entries>
  void Rebuild(const Entries& entries) {
    std::vector<std::pair<int32_t, int32_t>> pairs;
    pairs.reserve(entries.size());
    for (const auto& [id, contact] : entries) pairs.emplace_back(contact.PersonID, id);
    Rebuild(std::move(pairs));
  }
  void Added(const Contact& contact);
  void Replaced(const Contact& before, const Contact& after);
  void Removed(const Contact& contact);
  void Cleared() { ids_.clear(); }

 private:
  // From (person ID, contact ID) pairs in ascending contact ID.
  void Rebuild(std::vector<std::pair<int32_t, int32_t>> pairs);

  std::unordered_map<int32_t, std::vector<int32_t>> ids_;
};

}  // namespace vimbo
