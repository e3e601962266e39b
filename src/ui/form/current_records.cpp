#include "ui/form/current_records.h"

#include <algorithm>

namespace vimbo {
namespace {

CurrentRecord At(const ListRows& rows, int row) {
  if (row < 0 || row >= rows.count) return {};
  return {row, rows.idAt(row)};
}

CurrentRecord Listed(const ListRows& rows, int32_t id) { return id > 0 ? At(rows, rows.rowOf(id)) : CurrentRecord{}; }

// A list refilled under the user keeps the place they were at; a document
// with fewer records than before shows its last one instead.
CurrentRecord SamePlace(const ListRows& rows, const CurrentRecord& before) {
  return rows.count > 0 ? At(rows, std::clamp(before.row, 0, rows.count - 1)) : CurrentRecord{};
}

// The record before the deleted one takes its place; after the first, the
// new first one.
CurrentRecord InPlaceOfDeleted(const ListRows& rows, const CurrentRecord& before) {
  return rows.count > 0 ? At(rows, std::clamp(before.row - 1, 0, rows.count - 1)) : CurrentRecord{};
}

// An import or the contact types editor may run during an edit: the record
// being edited stays the one the next Update stores, wherever the refill put
// its entry, and the panel keeps what the user typed.
CurrentRecord KeptForTheEdit(const ListRows& rows, const CurrentRecord& before) {
  const CurrentRecord edited = Listed(rows, before.id);
  return edited.row >= 0 ? edited : before;
}

CurrentRecord StillListed(const ListRows& rows, const CurrentRecord& before, const CurrentRecord& otherwise) {
  const CurrentRecord same = Listed(rows, before.id);
  return same.row >= 0 ? same : otherwise;
}

}  // namespace

CurrentRecord PersonAfter(FormChange change, CurrentRecord before, int32_t stepPerson, const ListRows& rows,
                          bool editing) {
  if (editing) return KeptForTheEdit(rows, before);
  switch (change) {
    case FormChange::kPersonDeleted: return InPlaceOfDeleted(rows, before);
    case FormChange::kContactDeleted: return SamePlace(rows, before);
    case FormChange::kStored:
    case FormChange::kStep: {
      const CurrentRecord step = Listed(rows, stepPerson);
      return step.row >= 0 ? step : SamePlace(rows, before);
    }
    case FormChange::kRefill: return SamePlace(rows, before);
    case FormChange::kReloaded: return StillListed(rows, before, SamePlace(rows, before));
  }
  return before;
}

CurrentRecord ContactAfter(FormChange change, CurrentRecord before, int32_t stepContact, const ListRows& rows,
                           bool editing) {
  if (editing) return KeptForTheEdit(rows, before);
  switch (change) {
    case FormChange::kContactDeleted: return InPlaceOfDeleted(rows, before);
    case FormChange::kStep: {
      const CurrentRecord step = Listed(rows, stepContact);
      return step.row >= 0 ? step : At(rows, 0);
    }
    case FormChange::kStored:
    case FormChange::kPersonDeleted:
    case FormChange::kRefill: return At(rows, 0);
    case FormChange::kReloaded: return StillListed(rows, before, At(rows, 0));
  }
  return before;
}

}  // namespace vimbo
