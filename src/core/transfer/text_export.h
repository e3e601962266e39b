#pragma once
// Writing persons or contacts as delimited text: a line of field names, then
// one line per record, every line ending in a line feed.

#include <functional>
#include <string>
#include <string_view>

#include "core/records/document_data.h"
#include "core/records/outcome.h"
#include "core/transfer/text_transfer_settings.h"

namespace vimbo {

// The order of the data columns. The wizard's exports write them in the
// order of the record kind's column table, whatever the order of the keys
// (the wizard lists its keys in that order); vimbo-cli takes its keys from
// the user and writes each column in the place of its name.
enum class ColumnOrder { kTable, kKeys };

// The text the exports write, as one string.
std::string PersonsExportText(const DocumentData& data, const TextTransferSettings& settings,
                              ColumnOrder order = ColumnOrder::kTable);
std::string ContactsExportText(const DocumentData& data, const TextTransferSettings& settings,
                               ColumnOrder order = ColumnOrder::kTable);

// Writes the text to settings.FileName, replacing any file there, a piece at
// a time. Done with the number of data lines written (an empty collection
// writes an empty file); Failed with "Error saving FILE." when the file
// cannot be written, and then any file there is left as it was.
Outcome ExportPersons(const DocumentData& data, const TextTransferSettings& settings,
                      ColumnOrder order = ColumnOrder::kTable);
Outcome ExportContacts(const DocumentData& data, const TextTransferSettings& settings,
                       ColumnOrder order = ColumnOrder::kTable);

// The same text handed to `sink` a piece at a time (standard output, say);
// Failed as above once the sink refuses a piece.
using ExportSink = std::function<bool(std::string_view bytes)>;
Outcome ExportPersons(const DocumentData& data, const TextTransferSettings& settings, const ExportSink& sink,
                      ColumnOrder order);
Outcome ExportContacts(const DocumentData& data, const TextTransferSettings& settings, const ExportSink& sink,
                       ColumnOrder order);

}  // namespace vimbo
