#pragma once
// Joining two copies of a document that were edited apart, record by record
// and field by field, against the copy both started from.
//
// A field changed on one side takes that change; changed alike on both, it
// is taken once; changed differently, the preferred side wins and the
// conflict is reported. A record added on both sides under one ID is kept
// twice: the other side's copy takes a new ID after the larger LastID, and
// its contacts follow it. A record deleted on one side and changed on the
// other is kept and reported. A person or contact type deleted on one side
// is kept, and reported, while a contact of the merged document still names
// it; a person kept so keeps every contact it had. Contact types added on
// the other side are matched by ID, then by name.

#include <vector>

#include "core/editing/merge_conflict.h"
#include "core/records/document_data.h"

namespace vimbo {

enum class MergeSide : uint8_t { kOurs, kTheirs };

struct MergeResult {
  DocumentData document;
  // By kind in file order, then by ID, then by field in file order.
  std::vector<MergeConflict> conflicts;
};

// Without a base (nullptr), records equal on both sides are one and every
// other record counts as added on both sides. `prefer` picks the value kept
// where both sides changed a field differently.
MergeResult MergeDocuments(const DocumentData* base, const DocumentData& ours, const DocumentData& theirs,
                           MergeSide prefer = MergeSide::kOurs);

}  // namespace vimbo
