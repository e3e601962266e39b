#pragma once
// Splits one line of delimited text into its fields: fields separated by
// one separator character, text fields optionally enclosed in an encloser
// character, with doubled enclosers and backslash escapes inside enclosed
// fields.

#include <string>

namespace vimbo {

struct FieldTokenizer {
  char Separator = 0;
  // 0 never matches: no encloser ("Nothing").
  char Encloser = 0;

  // Each from the first character of the settings' text; an empty encloser
  // text leaves the encloser unset.
  void SetCharacters(const std::string& separator, const std::string& encloser);

  // Takes the next field off the front of `remaining`. False, with an empty
  // `field`, when nothing but white space is left.
  bool NextField(std::string& remaining, std::string& field) const;
};

}  // namespace vimbo
