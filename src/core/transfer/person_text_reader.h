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

// The records of a text file as the import reads them: one per line, or
// several lines where a line break falls inside an open encloser; the last
// one also without a closing line feed, of any length, without the carriage
// return before the line feed that ends it, and without a UTF-8 byte order
// mark at the start. Nothing when the file cannot be read.
std::optional<std::vector<std::string>> ReadTextRecords(const std::string& path, const FieldTokenizer& tokenizer);

// The file's first record as the wizard shows and splits it, trimmed of
// white space; empty when the file is empty. Nothing when the file cannot be
// read.
std::optional<std::string> ReadFirstRecord(const std::string& path, const FieldTokenizer& tokenizer);

// One person, without an identifier, per record that names a first name, last
// name or company; none when the file cannot be read.
std::vector<Person> ReadPersonsFromText(const TextTransferSettings& settings);

// The first record of bytes already in memory (standard input, read whole),
// as ReadFirstRecord gives a file's.
std::string FirstRecordOfBytes(std::string bytes, const FieldTokenizer& tokenizer);

// The same persons as ReadPersonsFromText, as entries of a person collection
// (identifiers 0) that a document can take over without a copy; from
// `bytes` when given (standard input, read whole), else from the file.
std::vector<Persons::Entry> ReadPersonEntries(const TextTransferSettings& settings,
                                              std::optional<std::string> bytes = std::nullopt);

}  // namespace vimbo
