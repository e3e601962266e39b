#pragma once
// Writing persons or contacts as delimited text: a line of field names, then
// one line per record, every line ending in a line feed.

#include <optional>
#include <string>

#include "core/records/document_data.h"
#include "core/transfer/text_transfer_settings.h"

namespace vimbo {

// The order of the data columns. The wizard's exports write them in the
// order of the record kind's column table, whatever the order of the keys
// (the wizard lists its keys in that order); vimbo-cli takes its keys from
// the user and writes each column in the place of its name.
enum class ColumnOrder { kTable, kKeys };

// The text the exports write, as one string; `lines` receives the number of
// data lines.
std::string PersonsExportText(const DocumentData& data, const TextTransferSettings& settings, int& lines,
                              ColumnOrder order = ColumnOrder::kTable);
std::string ContactsExportText(const DocumentData& data, const TextTransferSettings& settings, int& lines,
                               ColumnOrder order = ColumnOrder::kTable);

// Write the text to settings.FileName, replacing any file there, a piece at
// a time; the number of data lines written, or nothing when the file cannot
// be written (an empty collection writes an empty file).
std::optional<int> WritePersonsExport(const DocumentData& data, const TextTransferSettings& settings,
                                      ColumnOrder order = ColumnOrder::kTable);
std::optional<int> WriteContactsExport(const DocumentData& data, const TextTransferSettings& settings,
                                       ColumnOrder order = ColumnOrder::kTable);

// The same for the wizard's exports: 0 when the file cannot be written.
int ExportPersons(const DocumentData& data, const TextTransferSettings& settings);
int ExportContacts(const DocumentData& data, const TextTransferSettings& settings);

}  // namespace vimbo
