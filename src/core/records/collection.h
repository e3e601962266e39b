#pragma once
// A keyed collection of records: unique IDs, iterated in ascending ID, with
// the counter from which new records take their identifiers.
//
// The records sit in one vector sorted by ID. New records take the next
// identifier, so adding is an append; lookups are a binary search; and a
// walk over a million records touches contiguous memory. Changes of many
// records at once (a person's contacts, an import) go through the batch
// calls, which move the vector once rather than once per record.
//
// An index may follow the records: it hears of every record added, replaced
// and removed, and of Clear, so it is exact whichever call changed them.

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <limits>
#include <utility>
#include <vector>

namespace vimbo {

// The index of a collection that needs none.
template <typename Record>
struct NoIndex {
  template <typename Entries>
  void Rebuild(const Entries&) {}
  void Added(const Record&) {}
  void Replaced(const Record&, const Record&) {}
  void Removed(const Record&) {}
  void Cleared() {}
};

template <typename Record, typename Index = NoIndex<Record>>
class Collection {
 public:
  // The ID beside the record, so a loop reads `for (const auto& [id, record] : collection)`.
  using Entry = std::pair<int32_t, Record>;
  // Iteration is read-only: a record changes only through the calls below,
  // so the index cannot fall behind.
  using const_iterator = typename std::vector<Entry>::const_iterator;
  using iterator = const_iterator;

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
  bool Insert(Record record) {
    const int32_t id = record.ID;
    auto at = records_.end();
    if (!records_.empty() && records_.back().first >= id) {
      at = LowerBound(id);
      if (at != records_.end() && at->first == id) return false;
    }
    at = records_.emplace(at, id, std::move(record));
    index_.Added(at->second);
    return true;
  }

  // Adds copies of many records in one pass; as with Insert, an ID already
  // present keeps its record, and of two new records with one ID the first
  // stays. The records are copied straight into place: an undo history
  // keeps its own copy of them.
  void InsertMany(std::vector<const Record*> records) {
    const auto byId = [](const Record* a, const Record* b) { return a->ID < b->ID; };
    if (!std::is_sorted(records.begin(), records.end(), byId)) std::stable_sort(records.begin(), records.end(), byId);
    const std::size_t oldSize = records_.size();
    records_.reserve(oldSize + records.size());
    for (const Record* record : records) {
      const int32_t id = record->ID;
      const bool repeated = records_.size() > oldSize && records_.back().first == id;
      if (repeated || Find(id, oldSize)) continue;
      records_.emplace_back(id, *record);
      index_.Added(records_.back().second);
    }
    // Both runs are sorted; an append after the last record needs no merge.
    const auto middle = records_.begin() + static_cast<std::ptrdiff_t>(oldSize);
    if (oldSize > 0 && middle != records_.end() && std::prev(middle)->first > middle->first)
      std::inplace_merge(records_.begin(), middle, records_.end(),
                         [](const Entry& a, const Entry& b) { return a.first < b.first; });
  }

  // Adds new records after the last one: `entries` in ascending ID, each
  // above every ID present (new identifiers are). An empty collection takes
  // the vector over whole; otherwise the records move into place.
  void AppendMany(std::vector<Entry> entries) {
    const std::size_t count = entries.size();
    if (records_.empty()) {
      records_ = std::move(entries);
    } else {
      records_.reserve(records_.size() + count);
      std::move(entries.begin(), entries.end(), std::back_inserter(records_));
    }
    for (auto at = records_.end() - static_cast<std::ptrdiff_t>(count); at != records_.end(); ++at)
      index_.Added(at->second);
  }

  // Replaces every record with `entries`, which may come in any order; of
  // two entries with one ID the first stays. The index is built once, for
  // all of them: this is how a load hands over what it read.
  void Adopt(std::vector<Entry> entries) {
    const auto byId = [](const Entry& a, const Entry& b) { return a.first < b.first; };
    if (std::adjacent_find(entries.begin(), entries.end(),
                           [](const Entry& a, const Entry& b) { return a.first >= b.first; }) != entries.end()) {
      std::stable_sort(entries.begin(), entries.end(), byId);
      entries.erase(std::unique(entries.begin(), entries.end(),
                                [](const Entry& a, const Entry& b) { return a.first == b.first; }),
                    entries.end());
    }
    records_ = std::move(entries);
    // Room made ahead from an estimate that proved generous is given back.
    if (records_.capacity() - records_.size() > records_.size() / 4) records_.shrink_to_fit();
    index_.Rebuild(records_);
  }

  // Gives the record of `record.ID` the new content; false when no record
  // has that ID.
  bool Replace(const Record& record) {
    const auto at = LowerBound(record.ID);
    if (at == records_.end() || at->first != record.ID) return false;
    Record& stored = at->second;
    index_.Replaced(stored, record);
    stored = record;
    return true;
  }

  void Erase(int32_t id) {
    const auto at = LowerBound(id);
    if (at != records_.end() && at->first == id) Erase(at);
  }
  // Removes the entry at `it` and gives the one after it, so a loop over the
  // collection can delete as it goes.
  const_iterator Erase(const_iterator it) {
    index_.Removed(it->second);
    return records_.erase(it);
  }
  // Removes the records of every ID in `ids` in one pass; absent IDs are
  // passed over.
  void EraseMany(std::vector<int32_t> ids) {
    std::sort(ids.begin(), ids.end());
    // The index hears of the removals from the highest ID down, which lets
    // a per-person list drop them from its end.
    for (auto id = ids.rbegin(); id != ids.rend(); ++id)
      if (const Record* record = Find(*id)) index_.Removed(*record);
    const auto kept = std::remove_if(records_.begin(), records_.end(), [&](const Entry& entry) {
      return std::binary_search(ids.begin(), ids.end(), entry.first);
    });
    records_.erase(kept, records_.end());
  }

  const Record* Find(int32_t id) const { return Find(id, records_.size()); }

  bool Empty() const { return records_.empty(); }
  std::size_t Size() const { return records_.size(); }
  // Removes every record and gives their memory back; the counter is left
  // alone.
  void Clear() {
    std::vector<Entry>().swap(records_);
    index_.Cleared();
  }
  // The highest ID present, or 0 when the collection is empty.
  int32_t HighestID() const { return records_.empty() ? 0 : records_.back().first; }

  const Index& GetIndex() const { return index_; }

  const_iterator begin() const { return records_.begin(); }
  const_iterator end() const { return records_.end(); }

 private:
  typename std::vector<Entry>::iterator LowerBound(int32_t id) {
    return std::lower_bound(records_.begin(), records_.end(), id,
                            [](const Entry& entry, int32_t key) { return entry.first < key; });
  }

  // The record of `id` among the first `count` entries.
  const Record* Find(int32_t id, std::size_t count) const {
    const auto last = records_.begin() + static_cast<std::ptrdiff_t>(count);
    const auto at =
        std::lower_bound(records_.begin(), last, id, [](const Entry& entry, int32_t key) { return entry.first < key; });
    return at != last && at->first == id ? &at->second : nullptr;
  }

  std::vector<Entry> records_;
  [[no_unique_address]] Index index_;
};

}  // namespace vimbo
