#pragma once
// The measures of vCard exchange: reading and writing the document's persons
// as small cards beside the CSV import and export of the same persons, and
// cards as phones write them (a 20 KB photo each) in bytes per second.

#include <string>

#include "bench_harness.h"
#include "core/records/document_data.h"

namespace vimbo::bench {

void RunVCardMeasures(const DocumentData& data, const std::string& folder, const RoundOptions& options);

}  // namespace vimbo::bench
