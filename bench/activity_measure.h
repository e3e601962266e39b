#pragma once
// The measure of the activity report: its first page, counted and drawn on
// a canvas that only measures, as the core does it for Print Preview.

#include "bench_harness.h"
#include "core/records/document_data.h"

namespace vimbo::bench {

void RunActivityMeasure(const DocumentData& data, const RoundOptions& options);

}  // namespace vimbo::bench
