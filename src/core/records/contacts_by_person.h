#pragma once
// Which contacts each person has, in ascending contact ID, kept by the
// contacts collection itself so that it is exact after every change: the
// form shows a person's contacts, and deleting a person finds the contacts
// to take along, without walking every contact of the document.

#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

#include "core/records/records.h"

namespace vimbo {

class ContactsByPerson {
 public:
  // The IDs of the person's contacts, ascending; valid until the contacts
  // next change.
  std::span<const int32_t> ContactIdsOf(int32_t personId) const;

  void Added(const Contact& contact);
  void Replaced(const Contact& before, const Contact& after);
  void Removed(const Contact& contact);
  void Cleared() { ids_.clear(); }

 private:
  std::unordered_map<int32_t, std::vector<int32_t>> ids_;
};

}  // namespace vimbo
