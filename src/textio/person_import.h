#pragma once
// Adding persons from a delimited text file, one per suitable line.

#include <optional>
#include <string>
#include <vector>

#include "records/document_data.h"
#include "textio/text_transfer_settings.h"

namespace vimbo {

// The lines of a text file as the import reads them: every line, the last
// one also without a closing line feed, of any length, without the carriage
// return before a line feed, and without a UTF-8 byte order mark at the
// start. Nothing when the file cannot be read.
std::optional<std::vector<std::string>> ReadTextLines(const std::string& path);

// The file's first line as the wizard shows it, trimmed of white space; empty
// when the file is empty. Nothing when the file cannot be opened.
std::optional<std::string> ReadFirstLine(const std::string& path);

// Adds one person per line that names a first name, last name or company;
// returns how many were added. The caller marks the document modified.
int ImportPersons(DocumentData& data, const TextTransferSettings& settings);

}  // namespace vimbo
