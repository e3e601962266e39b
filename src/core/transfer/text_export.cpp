#include "core/transfer/text_export.h"

#include <array>
#include <cstddef>
#include <vector>

#include "core/document/file_io.h"
#include "core/transfer/transfer_keys.h"

namespace vimbo {
namespace {

// With ColumnOrder::kTable the columns go out in the order of their table,
// whatever the order of the keys.
std::string ColumnValue(const PersonKey& column, const DocumentData&, const Person& person) {
  return person.*column.member;
}

std::string ColumnValue(const ContactKey& column, const DocumentData& data, const Contact& contact) {
  return column.value(data, contact);
}

// The value between enclosers, with an encloser inside it doubled in every
// column: left single, it would end the value early, or, at the end of a
// line, leave it open and join the next line to it when the file is read back.
void AppendEnclosed(std::string& out, const std::string& value, const std::string& encloser) {
  if (encloser.empty()) {
    out.append(value);
    return;
  }
  out.append(encloser);
  std::size_t from = 0;
  for (std::size_t at = value.find(encloser); at != std::string::npos; at = value.find(encloser, from)) {
    out.append(value, from, at - from).append(encloser).append(encloser);
    from = at + encloser.size();
  }
  out.append(value, from).append(encloser);
}

// Appends the line of field names and returns the columns that the value
// lines write, in their order. Every key goes out as given, also one no
// column answers to; a key switches its column on only when it matches
// exactly. A key is enclosed like a value, so an unusual encloser ("n",
// found in "Company") cannot leave the line open and join the next one to it
// on import.
template <typename Column, std::size_t N>
std::vector<std::size_t> AppendNamesLine(std::string& text, const std::array<Column, N>& columns,
                                         const TextTransferSettings& settings, ColumnOrder order) {
  std::array<bool, N> switchedOn{};
  std::vector<std::size_t> written;
  const std::size_t keyCount = settings.Fields.size();
  for (std::size_t i = 0; i < keyCount; ++i) {
    const std::string& key = settings.Fields[i];
    if (!key.empty()) AppendEnclosed(text, key, settings.Encloser);
    if (!text.empty() && i + 1 < keyCount) text.append(settings.Separator);
    for (std::size_t c = 0; c < N; ++c) {
      if (key != columns[c].key) continue;
      switchedOn[c] = true;
      if (order == ColumnOrder::kKeys) written.push_back(c);
    }
  }
  text += '\n';
  if (order == ColumnOrder::kTable) {
    for (std::size_t c = 0; c < N; ++c) {
      if (switchedOn[c]) written.push_back(c);
    }
  }
  return written;
}

// Appends one record's line: the values of the written columns, an empty
// value left without enclosers.
template <typename Record, typename Column, std::size_t N>
void AppendValuesLine(std::string& text, const DocumentData& data, const Record& record,
                      const std::array<Column, N>& columns, const std::vector<std::size_t>& written,
                      const TextTransferSettings& settings) {
  bool first = true;
  for (const std::size_t c : written) {
    if (!first) text.append(settings.Separator);
    first = false;
    const std::string value = ColumnValue(columns[c], data, record);
    if (!value.empty()) AppendEnclosed(text, value, settings.Encloser);
  }
  text += '\n';
}

template <typename Records, typename Column, std::size_t N>
std::string ExportText(const DocumentData& data, const Records& records,
                       const std::array<Column, N>& columns, const TextTransferSettings& settings,
                       ColumnOrder order, int& lines) {
  lines = 0;
  std::string text;
  if (records.Empty()) return text;
  const std::vector<std::size_t> written = AppendNamesLine(text, columns, settings, order);
  for (const auto& [id, record] : records) {
    AppendValuesLine(text, data, record, columns, written, settings);
    ++lines;
  }
  return text;
}

// The whole text goes out through a temporary file, so a failed export never
// leaves a half-written file behind.
int WriteExport(const std::string& text, int lines, const TextTransferSettings& settings) {
  return WriteFileAtomically(settings.FileName, text) ? lines : 0;
}

}  // namespace

std::string PersonsExportText(const DocumentData& data, const TextTransferSettings& settings, int& lines,
                              ColumnOrder order) {
  return ExportText(data, data.persons, kPersonKeys, settings, order, lines);
}

std::string ContactsExportText(const DocumentData& data, const TextTransferSettings& settings, int& lines,
                               ColumnOrder order) {
  return ExportText(data, data.contacts, kContactKeys, settings, order, lines);
}

int ExportPersons(const DocumentData& data, const TextTransferSettings& settings) {
  int lines = 0;
  const std::string text = PersonsExportText(data, settings, lines);
  return WriteExport(text, lines, settings);
}

int ExportContacts(const DocumentData& data, const TextTransferSettings& settings) {
  int lines = 0;
  const std::string text = ContactsExportText(data, settings, lines);
  return WriteExport(text, lines, settings);
}

}  // namespace vimbo
