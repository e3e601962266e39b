#pragma once
// Splits delimited text into records and a record into its fields: fields
// separated by one separator character, text fields optionally enclosed in an
// encloser character, with doubled enclosers and backslash escapes inside
// enclosed fields. A record ends at a line feed, at a carriage return and line
// feed, or at a carriage return alone. A line break inside an open encloser
// is part of the value, so a record may span several lines.

#include <string>
#include <string_view>

namespace vimbo {

struct FieldTokenizer {
  char Separator = 0;
  // 0 never matches: no encloser ("Nothing").
  char Encloser = 0;

  // Each from the first character of the settings' text; an empty encloser
  // text leaves the encloser unset.
  void SetCharacters(const std::string& separator, const std::string& encloser);

  // Takes the next record off the front of `text`: everything up to the line
  // break that ends it, without that line break. Line breaks inside an open
  // encloser stay in the record as written; an encloser still open at the end
  // of the text ends the record there. False when `text` is empty.
  bool NextRecord(std::string_view& text, std::string_view& record) const;

  // The same, but only for a record that the line break ending it completes
  // within `text`; false, leaving `text` as it is, for a record that may go
  // on past its end. A reader of a file in pieces takes records this way and
  // reads more when the answer is false.
  bool NextCompleteRecord(std::string_view& text, std::string_view& record) const;

  // The last record of a text, `text` without the carriage return that may
  // end it.
  static std::string_view LastRecord(std::string_view text);

  // Takes the next field off the front of `remaining`, a record or what is
  // left of one. False, with an empty `field`, when nothing but white space
  // is left.
  bool NextField(std::string_view& remaining, std::string& field) const;

  // The same without a copy: `field` views the record itself, or `scratch`
  // where an enclosed field had to be decoded, and stays valid as long as
  // both do.
  bool NextField(std::string_view& remaining, std::string& scratch, std::string_view& field) const;
};

}  // namespace vimbo
