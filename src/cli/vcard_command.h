#pragma once
// vimbo-cli's vCard exchange: persons written as vCard 4.0 (or 3.0) cards,
// and cards of any version added as persons.

#include <iosfwd>
#include <string>
#include <vector>

namespace vimbo::cli {

// export vcard IN OUT.vcf [--persons all|ID,...] [--version 3.0|4.0]: the
// persons in the person list's order; OUT "-" writes the cards to `out` and
// the count to `err`. Throws a UsageError for a wrong command line.
int VCardExportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Adds a person per card of `cards` (the bytes of the file `cardsName`, or
// "-" for standard input) to IN and writes OUT, as one operation; says how
// many were added and how many cards could not be read, and on `err` which
// were skipped and why. Text without any card is a failure.
int VCardImportCommand(const std::string& in, const std::string& cards, const std::string& cardsName,
                       const std::string& outPath, std::ostream& out, std::ostream& err);

// Whether the file's first line that is not blank opens a card; false for a
// file that cannot be read.
bool FileLooksLikeVCard(const std::string& path);

}  // namespace vimbo::cli
