#pragma once
// Persons as vCard 4.0 cards, as other address books read them: UTF-8 (text
// that is not UTF-8 converted from Windows-1252, as the form shows it), CRLF
// line ends, lines folded at 75 octets without splitting a character, and
// backslash, comma, semicolon and line breaks escaped.

#include <string>
#include <vector>

#include "core/records/outcome.h"
#include "core/records/records.h"

namespace vimbo {

// One card per person, in the order given.
std::string VCardText(const std::vector<const Person*>& persons);

// Writes the cards to `path` safely: Done with the number of cards, or
// Failed with "Error saving PATH.", leaving any file there as it was.
Outcome WriteVCardFile(const std::string& path, const std::vector<const Person*>& persons);

}  // namespace vimbo
