#pragma once
// A deterministic large document for the benchmarks: the same counts give the
// same bytes on every machine and every run, so timings taken on different
// days compare the same work.

#include <cstdint>
#include <string>

#include "core/records/document_data.h"

namespace vimbo {

// Fills an empty `data` with the default contact types, an owner,
// `personCount` persons and `contactCount` contacts. Contacts name persons
// 1..personCount, so with no persons every contact names person 0.
void GenerateDocument(DocumentData& data, int32_t personCount, int32_t contactCount);

// The document text of GenerateDocument, as a save would write it.
std::string GenerateDocumentText(int32_t personCount, int32_t contactCount);

}  // namespace vimbo
