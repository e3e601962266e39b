#pragma once
// The document file writer.

#include <string>

#include "core/document/file_io.h"
#include "core/records/document_data.h"
#include "core/records/outcome.h"

namespace vimbo {

// The file type as the file dialogs name it.
inline constexpr const char* kDocumentFilter = "Vimbo Files (*.tch)";
inline constexpr const char* kDocumentExtension = "tch";

// The whole document text, in the current version of the file format.
std::string DocumentText(const DocumentData& data);

// Writes the document to `path` safely (see WriteFileAtomically). Done once
// every byte reached the file; otherwise Failed with "Error saving PATH.".
Outcome Write(const DocumentData& data, const std::string& path, WriteChunkFunction writeChunk = nullptr);

}  // namespace vimbo
