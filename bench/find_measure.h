#pragma once
// The measures of find: short queries over the whole document beside a
// plain substring scan of the same fields, and a pasted list of thousands of
// words beside the search as it was before such a list was answered at once.

#include "bench_harness.h"
#include "core/records/document_data.h"

namespace vimbo::bench {

void RunFindMeasure(const DocumentData& data, const RoundOptions& options);

}  // namespace vimbo::bench
