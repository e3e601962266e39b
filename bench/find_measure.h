#pragma once
// The measure of find: one query over the whole document beside a plain
// substring scan of the same fields.

#include "bench_harness.h"
#include "core/records/document_data.h"

namespace vimbo::bench {

void RunFindMeasure(const DocumentData& data, const RoundOptions& options);

}  // namespace vimbo::bench
