#pragma once
// The measure of what is due: the rules over the whole document beside its
// load, and `vimbo-cli due` as a whole process beside `vimbo-cli info` on
// the same file.

#include <string>

#include "bench_harness.h"
#include "core/records/document_data.h"

namespace vimbo::bench {

// `data` is the generated document, which has no reminders; the measure
// gives a copy of it some (written into `folder`), so the generated
// document, and the other measures' figures, stay as they were. `cli` is
// the vimbo-cli to run; without one there, the process measure is skipped.
void RunDueMeasure(const DocumentData& data, const std::string& folder, const std::string& cli,
                   const RoundOptions& options);

}  // namespace vimbo::bench
