#pragma once
// The parts of a vCard content line, "group.NAME;PARAM=...:value", and the
// text rules cards follow: names and parameters case-blind, values escaped
// with backslashes, lists separated by commas. Shared by the reading of a
// file's lines and of the cards they make.

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/records/compact_text.h"
#include "core/records/text_rules.h"

namespace vimbo {

class CharsetConverter;

namespace vcard {

// The preference of a value that names none: after every one that does.
inline constexpr int kNotPreferred = 1000;

inline char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

std::string Lower(std::string_view text);

// Whether `text`, case aside, is `lower` (given in lower case).
inline bool IsNoCase(std::string_view text, std::string_view lower) {
  return text.size() == lower.size() &&
         std::equal(text.begin(), text.end(), lower.begin(), [](char a, char b) { return LowerAscii(a) == b; });
}

bool StartsNoCase(std::string_view text, std::string_view lower);

bool ContainsNoCase(std::string_view text, std::string_view lower);

// Whether the line, white space around it aside, is `expected` (lower case).
// Asked of every line, so a line that cannot be it is told at once.
inline bool IsLine(std::string_view line, std::string_view expected) {
  if (line.size() < expected.size()) return false;
  const char first = line.front();
  if (first != ' ' && first != '\t' && LowerAscii(first) != expected.front()) return false;
  if (IsWhiteSpace(first) || IsWhiteSpace(line.back())) line = TrimView(line);
  return IsNoCase(line, expected);
}

bool IsBlank(std::string_view line);
bool IsCardEdge(std::string_view line);

// The components of a structured value (N, ADR), the missing ones empty;
// more than an address has are not read.
using Parts = std::array<std::string_view, 7>;
Parts SplitParts(std::string_view text);

// The pieces of `text` between the separators that stand outside double
// quotes (parameters) or are not escaped by a backslash (values).
std::vector<std::string_view> Split(std::string_view text, char separator, bool byQuotes);

int HexDigit(char c);

// An escaped text value as stored: "\n" and every other line break a CR LF,
// as the form stores a line break.
std::string Unescaped(std::string_view text);

// The same as stored text, without a copy when there is nothing to undo.
CompactText TextOf(std::string_view text);

// The values of a list ("Jo,Ann"), each unescaped; empty ones left out.
std::vector<std::string> ListValues(std::string_view text);

// Text fit for a label: UTF-8 without quotes or control characters, which
// a parameter cannot carry.
std::string CleanLabel(std::string_view text);

struct Property {
  std::string name;                // upper case, without its group
  std::vector<std::string> types;  // lower case
  int pref = kNotPreferred;
  bool quotedPrintable = false;
  bool base64 = false;
  std::string valueType;  // VALUE=, lower case: "uri", "text"
  std::string mediaType;  // MEDIATYPE=, lower case
  std::string label;      // X-LABEL=, as written
  std::string charset;
  // UTF-8 (a photo's base64 as written), still escaped: a view into the
  // line read, or into `converted`.
  std::string_view value;
  std::string converted;
  int line = 0;
};

// Reads one parameter into `p`: "TYPE=work,voice", "ENCODING=b", or a
// bare type word as 2.1 writes it ("WORK").
void ReadParameter(std::string_view piece, Property& p);

// Reads "group.NAME;PARAM=...;...:value" into `p`, whose value then views
// `line`; false when the line is no property. One Property serves every
// line, so its strings keep their room. `wide`: the whole file was
// converted already, so a declared set is void.
bool ReadProperty(std::string_view line, int number, bool wide, CharsetConverter& converter, Property& p);

bool Has(const Property& p, std::string_view type);

// The type words as a detail's label: "work,voice".
std::string Label(const Property& p, std::string_view leftOut = {});

}  // namespace vcard
}  // namespace vimbo
