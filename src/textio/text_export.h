#pragma once
// Writing persons or contacts as delimited text: a line of field names, then
// one line per record, every line ending in a line feed.

#include <string>

#include "records/document_data.h"
#include "textio/text_transfer_settings.h"

namespace vimbo {

// The text the exports write, built whole in memory; `lines` receives the
// number of data lines.
std::string PersonsExportText(const DocumentData& data, const TextTransferSettings& settings, int& lines);
std::string ContactsExportText(const DocumentData& data, const TextTransferSettings& settings, int& lines);

// Write the text to settings.FileName, replacing any file there; the number
// of data lines written, or 0 when the file cannot be written.
int ExportPersons(const DocumentData& data, const TextTransferSettings& settings);
int ExportContacts(const DocumentData& data, const TextTransferSettings& settings);

}  // namespace vimbo
