#pragma once
// Reading persons from a delimited text file, one per suitable record; the
// import operation (ImportPersons) then adds them to the document.

#include <optional>
#include <string>
#include <vector>

#include "core/records/document_data.h"
#include "core/transfer/field_tokenizer.h"
#include "core/transfer/text_transfer_settings.h"

namespace vimbo {

// The records of a text file as the import reads them: one per line (ended by
// a line feed, a carriage return and line feed, or a carriage return), or
// several lines where a line break falls inside an open encloser; the last
// one also without a closing line break, of any length, and without a UTF-8
// byte order mark at the start. Nothing when the file cannot be read.
std::optional<std::vector<std::string>> ReadTextRecords(const std::string& path, const FieldTokenizer& tokenizer);

// The file's first record as the wizard shows and splits it, trimmed of
// white space; empty when the file is empty. Nothing when the file cannot be
// read.
std::optional<std::string> ReadFirstRecord(const std::string& path, const FieldTokenizer& tokenizer);

// What an import read: the persons, and the names of the columns that held
// a value but were not imported (only when the first line names them, and
// in the file's order), for the message after the import.
template <typename Item>
struct TextImport {
  std::vector<Item> persons;
  std::vector<std::string> columnsNotImported;
};

// One person, without an identifier, per record that names a first name, last
// name or company (or, from a typed column of an address book, a phone,
// e-mail or web address); none when the file cannot be read. The column
// names are settings.ImportedFieldNames.
TextImport<Person> ReadTextImport(const TextTransferSettings& settings);
std::vector<Person> ReadPersonsFromText(const TextTransferSettings& settings);

// The first record of bytes already in memory (standard input, read whole),
// as ReadFirstRecord gives a file's.
std::string FirstRecordOfBytes(std::string bytes, const FieldTokenizer& tokenizer);

// The same persons as ReadPersonsFromText, as entries of a person collection
// (identifiers 0) that a document can take over without a copy; from
// `bytes` when given (standard input, read whole), else from the file.
TextImport<Persons::Entry> ReadPersonEntries(const TextTransferSettings& settings,
                                             std::optional<std::string> bytes = std::nullopt);

}  // namespace vimbo
