#pragma once
// Persons from vCard files as address books and phones write them: versions
// 2.1, 3.0 and 4.0; any line ends; folded lines; quoted-printable values and
// declared character sets; files in UTF-16 or UTF-32 with a byte order mark;
// "item1." groups; any number of phones, e-mails, addresses and the other
// details a person has. What goes into a person is valid UTF-8.

#include <string>
#include <string_view>
#include <vector>

#include "core/records/records.h"

namespace vimbo {

struct VCardImport {
  // One per card that holds anything, in the file's order, without
  // identifiers.
  std::vector<Person> persons;
  // Whether the text opened any card at all.
  bool foundCard = false;
  // Cards skipped whole: no END, a line that is no property, a fold with
  // nothing to continue, nothing in the card.
  int unreadable = 0;
  // What was skipped and why, by line: "line 212: card has no END", and
  // the photos left out for their size.
  std::vector<std::string> problems;
};

VCardImport ReadVCards(std::string_view text);

// Whether the text's first line that is not blank opens a card.
bool LooksLikeVCard(std::string_view text);

// Whether a property of this name is read back as a custom detail labelled
// with the name: an extension ("X-SHOE-SIZE") or a standard property that
// no field or detail kind holds ("ROLE", "GENDER").
bool IsCustomPropertyName(std::string_view name);

}  // namespace vimbo
