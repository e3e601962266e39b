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

// The same two from bytes already in memory (standard input, read whole)
// instead of the file settings.FileName names.
std::string FirstRecordOfBytes(std::string bytes, const FieldTokenizer& tokenizer);
std::vector<Person> ReadPersonsFromBytes(std::string bytes, const TextTransferSettings& settings);

}  // namespace vimbo
