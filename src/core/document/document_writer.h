#pragma once
// The document file writer.

#include <string>

#include "core/document/file_io.h"
#include "core/records/document_data.h"

namespace vimbo {

// The file type as the file dialogs name it.
inline constexpr const char* kDocumentFilter = "Vimbo Files (*.tch)";
inline constexpr const char* kDocumentExtension = "tch";

// The whole document text. Sets data.version to the version it writes.
std::string DocumentText(DocumentData& data);

// Writes the document to `path` safely (see WriteFileAtomically); returns
// whether every byte reached the file.
bool Write(DocumentData& data, const std::string& path, WriteChunkFunction writeChunk = nullptr);

}  // namespace vimbo
