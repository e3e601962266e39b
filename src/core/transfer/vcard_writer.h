#pragma once
// Persons as vCard cards, as other address books read them: version 4.0, or
// 3.0 for older phones; UTF-8 (text that is not UTF-8 converted from
// Windows-1252, as the form shows it), CRLF line ends, lines folded at 75
// octets without splitting a character, and backslash, comma, semicolon and
// line breaks escaped. Every field and detail of a person is written, so
// reading the cards back gives the persons again.

#include <string>
#include <vector>

#include "core/records/outcome.h"
#include "core/records/records.h"

namespace vimbo {

enum class VCardVersion { kThree, kFour };

// One card per person, in the order given.
std::string VCardText(const std::vector<const Person*>& persons, VCardVersion version = VCardVersion::kFour);

// Writes the cards to `path` safely: Done with the number of cards, or
// Failed with "Error saving PATH.", leaving any file there as it was.
Outcome WriteVCardFile(const std::string& path, const std::vector<const Person*>& persons,
                       VCardVersion version = VCardVersion::kFour);

}  // namespace vimbo
