#pragma once
// What a text transfer (export of persons or contacts, import of persons)
// is told by its command and its wizard: the file, the separator and
// encloser characters, and which fields go where.

#include <string>
#include <vector>

namespace vimbo {

struct TextTransferSettings {
  // Export: the keys of the fields to write. Import: for each column of the
  // file, the person field key assigned to it, "" for a column not imported.
  std::vector<std::string> Fields;
  // The keys the record kind offers, in the order shown and written.
  std::vector<std::string> AvailableFields;
  // Import: the labels of the columns found in the file's first line.
  std::vector<std::string> ImportedFieldNames;
  // Import: keys that must be assigned to some column.
  std::vector<std::string> RequiredFields;
  // Import: the first line holds field names and is skipped.
  bool FirstLineHasNames = false;
  // One character, or empty for none ("Nothing").
  std::string Encloser;
  std::string Separator;
  std::string FileName;  // as the C library's file functions take it
  int AvailableCount = 0;
  int ColumnCount = 0;
  std::string RecordKind;  // "Persons" or "Contacts"
  std::string FirstLine;   // import: the file's first record, trimmed
  // Export of contacts: dates as YYYY-MM-DD and times as hh:mm:ss (24-hour)
  // instead of the regional formats, for spreadsheets and scripts that must
  // read them whatever the locale of the machine that wrote them.
  bool IsoDates = false;
};

// The settings the Export Persons, Export Contacts and Import Persons
// commands start their wizard with.
TextTransferSettings PersonsExportSettings();
TextTransferSettings ContactsExportSettings();
TextTransferSettings PersonsImportSettings();

}  // namespace vimbo
