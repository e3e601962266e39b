#pragma once
// Persons from vCard files as address books write them: versions 2.1, 3.0
// and 4.0; folded lines; a byte order mark; CRLF or LF; "item1." groups;
// several TEL and EMAIL properties with their types spelled any way;
// 2.1's quoted-printable values and character sets; escaped separators.
// Properties without a person field (photos, notes, birthdays ...) are
// passed over.

#include <string_view>
#include <vector>

#include "core/records/records.h"

namespace vimbo {

struct VCardImport {
  // One per card that names a person (a name, a company, or a formatted
  // name), in the file's order, without identifiers.
  std::vector<Person> persons;
  // Cards skipped whole because they are broken: no END, a line that is
  // no property, a fold with nothing to continue.
  int unreadable = 0;
};

VCardImport ReadVCards(std::string_view text);

// Whether the text's first line that is not blank opens a card.
bool LooksLikeVCard(std::string_view text);

}  // namespace vimbo
