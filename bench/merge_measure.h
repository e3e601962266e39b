#pragma once
// The measure of merging two copies of the document edited apart: the three
// loads and the join beside loading one copy.

#include <string>

#include "bench_harness.h"
#include "core/records/document_data.h"

namespace vimbo::bench {

// `path` holds `data` as loaded; the two copies are written into `folder`.
void RunMergeMeasure(const DocumentData& data, const std::string& path, const std::string& folder,
                     const RoundOptions& options);

}  // namespace vimbo::bench
