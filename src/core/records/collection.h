#pragma once
// A keyed collection of records: unique IDs, iterated in ascending ID, with
// the counter from which new records take their identifiers.

#include <cstdint>
#include <limits>
#include <map>

namespace vimbo {

template <typename Record>
class Collection {
 public:
  using Map = std::map<int32_t, Record>;
  using iterator = typename Map::iterator;
  using const_iterator = typename Map::const_iterator;

  int32_t LastID = 0;

  // Hands out the next identifier. Identifiers are never reused, so once the
  // counter has reached the largest int32 there is none left to give: the
  // answer is then 0, which no record may carry, and the counter stays put.
  int32_t NextID() {
    if (LastID == std::numeric_limits<int32_t>::max()) return 0;
    return ++LastID;
  }

  // Adds the record under its ID; a record whose ID is already present is
  // dropped and the existing one stays. Returns whether it was added.
  bool Insert(const Record& record) { return records_.try_emplace(record.ID, record).second; }
  bool Insert(Record&& record) {
    const int32_t id = record.ID;
    return records_.try_emplace(id, std::move(record)).second;
  }

  void Erase(int32_t id) { records_.erase(id); }
  // Removes the entry at `it` and gives the one after it, so a loop over the
  // collection can delete as it goes.
  iterator Erase(const_iterator it) { return records_.erase(it); }

  const Record* Find(int32_t id) const {
    auto it = records_.find(id);
    return it == records_.end() ? nullptr : &it->second;
  }

  bool Empty() const { return records_.empty(); }
  std::size_t Size() const { return records_.size(); }
  // Removes every record; the counter is left alone.
  void Clear() { records_.clear(); }

  // The highest ID present, or 0 when the collection is empty.
  int32_t HighestID() const { return records_.empty() ? 0 : records_.rbegin()->first; }

  iterator begin() { return records_.begin(); }
  iterator end() { return records_.end(); }
  const_iterator begin() const { return records_.begin(); }
  const_iterator end() const { return records_.end(); }

 private:
  Map records_;
};

}  // namespace vimbo
