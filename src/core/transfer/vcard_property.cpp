#include "core/transfer/vcard_property.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "core/records/text_encoding.h"
#include "core/records/text_rules.h"
#include "core/transfer/charset_conversion.h"

namespace vimbo::vcard {
namespace {

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - ('a' - 'A')) : c; }

// Calls `visit` with each piece of `text` between the separators that stand
// outside double quotes (parameters) or are not escaped by a backslash
// (values).
template <typename Visit>
void ForEachPiece(std::string_view text, char separator, bool byQuotes, Visit&& visit) {
  bool quoted = false;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (byQuotes && text[i] == '"')
      quoted = !quoted;
    else if (!byQuotes && text[i] == '\\')
      ++i;
    else if (text[i] == separator && !quoted) {
      visit(text.substr(start, i - start));
      start = i + 1;
    }
  }
  visit(text.substr(std::min(start, text.size())));
}

std::string DecodeQuotedPrintable(std::string_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const int high = text[i] == '=' && i + 2 < text.size() ? HexDigit(text[i + 1]) : -1;
    const int low = high >= 0 ? HexDigit(text[i + 2]) : -1;
    if (low >= 0) {
      bytes.push_back(static_cast<char>(high * 16 + low));
      i += 2;
    } else if (text[i] == '=' && i + 1 == text.size()) {
      // A soft line break with no line after it.
    } else {
      bytes.push_back(text[i]);
    }
  }
  return bytes;
}

// Where the head of a content line ends: its first colon outside quotes.
std::size_t HeadEnd(std::string_view line) {
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '"')
      quoted = !quoted;
    else if (line[i] == ':' && !quoted)
      return i;
  }
  return std::string_view::npos;
}

}  // namespace

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(), LowerAscii);
  return lower;
}

bool StartsNoCase(std::string_view text, std::string_view lower) {
  return text.size() >= lower.size() && IsNoCase(text.substr(0, lower.size()), lower);
}

bool ContainsNoCase(std::string_view text, std::string_view lower) {
  for (std::size_t i = 0; i + lower.size() <= text.size(); ++i)
    if (IsNoCase(text.substr(i, lower.size()), lower)) return true;
  return false;
}

bool IsBlank(std::string_view line) { return std::all_of(line.begin(), line.end(), IsWhiteSpace); }
bool IsCardEdge(std::string_view line) { return IsLine(line, "begin:vcard") || IsLine(line, "end:vcard"); }

Parts SplitParts(std::string_view text) {
  Parts parts{};
  std::size_t count = 0;
  ForEachPiece(text, ';', false, [&](std::string_view piece) {
    if (count < parts.size()) parts[count++] = piece;
  });
  return parts;
}

std::vector<std::string_view> Split(std::string_view text, char separator, bool byQuotes) {
  std::vector<std::string_view> pieces;
  ForEachPiece(text, separator, byQuotes, [&](std::string_view piece) { pieces.push_back(piece); });
  return pieces;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = LowerAscii(c);
  return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

std::string Unescaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\\' && i + 1 < text.size()) {
      c = text[++i];
      if (c == 'n' || c == 'N') c = '\n';
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c == '\r') {
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
      c = '\n';
    }
    if (c == '\n' || c == '\r')
      out += "\r\n";
    else
      out += c;
  }
  return out;
}

CompactText TextOf(std::string_view text) {
  const bool plain = std::none_of(text.begin(), text.end(), [](char c) { return c == '\\' || c == '\r' || c == '\n'; });
  return plain ? CompactText(text) : CompactText(Unescaped(text));
}

std::vector<std::string> ListValues(std::string_view text) {
  std::vector<std::string> values;
  for (const std::string_view piece : Split(text, ',', false))
    if (std::string value = Unescaped(piece); !value.empty()) values.push_back(std::move(value));
  return values;
}

std::string CleanLabel(std::string_view text) {
  std::string label = ToUtf8(text);
  std::erase_if(label, [](char c) { return c == '"' || static_cast<uint8_t>(c) < 0x20 || c == 0x7F; });
  return label;
}

void ReadParameter(std::string_view piece, Property& p) {
  const std::size_t eq = piece.find('=');
  std::string_view raw = TrimView(eq == std::string_view::npos ? piece : piece.substr(eq + 1));
  if (raw.size() >= 2 && raw.front() == '"' && raw.back() == '"') raw = raw.substr(1, raw.size() - 2);
  const std::string key = eq == std::string_view::npos ? "type" : Lower(TrimView(piece.substr(0, eq)));
  if (key == "x-label") {
    p.label = CleanLabel(raw);
    return;
  }
  std::string value = Lower(raw);
  value.erase(std::remove(value.begin(), value.end(), '"'), value.end());
  if (key == "type") {
    ForEachPiece(value, ',', false, [&](std::string_view type) {
      type = TrimView(type);
      if (type == "pref")
        p.pref = std::min(p.pref, 1);
      else if (type == "quoted-printable")
        p.quotedPrintable = true;
      else if (type == "base64")
        p.base64 = true;
      else if (!type.empty())
        p.types.emplace_back(type);
    });
  } else if (key == "pref") {
    p.pref = std::min(p.pref, std::clamp(std::atoi(value.c_str()), 1, 100));
  } else if (key == "encoding") {
    p.quotedPrintable = value == "quoted-printable";
    p.base64 = value == "b" || value == "base64";
  } else if (key == "charset") {
    p.charset = value;
  } else if (key == "value") {
    p.valueType = value;
  } else if (key == "mediatype") {
    p.mediaType = value;
  }
}

bool ReadProperty(std::string_view line, int number, bool wide, CharsetConverter& converter, Property& p) {
  const std::size_t colon = HeadEnd(line);
  if (colon == std::string_view::npos) return false;
  const std::string_view head = line.substr(0, colon);
  const std::size_t nameEnd = std::min(head.find(';'), head.size());
  std::string_view name = TrimView(head.substr(0, nameEnd));
  if (const std::size_t dot = name.rfind('.'); dot != std::string_view::npos) name.remove_prefix(dot + 1);
  if (name.empty()) return false;
  p.types.clear();
  p.pref = kNotPreferred;
  p.quotedPrintable = p.base64 = false;
  p.valueType.clear();
  p.mediaType.clear();
  p.label.clear();
  p.charset.clear();
  p.line = number;
  p.name.assign(name);
  std::transform(p.name.begin(), p.name.end(), p.name.begin(), UpperAscii);
  if (nameEnd < head.size())
    ForEachPiece(head.substr(nameEnd + 1), ';', true, [&](std::string_view parameter) { ReadParameter(parameter, p); });
  const std::string_view value = line.substr(colon + 1);
  const std::string_view charset = wide ? std::string_view() : std::string_view(p.charset);
  // A photo's base64 is decoded later; any other property's bytes are text.
  if ((p.base64 && p.name == "PHOTO") || (!p.quotedPrintable && charset.empty() && IsValidUtf8(value))) {
    p.value = value;
    return true;
  }
  p.converted = converter.ToUtf8(p.quotedPrintable ? DecodeQuotedPrintable(value) : std::string(value), charset);
  p.value = p.converted;
  return true;
}

bool Has(const Property& p, std::string_view type) {
  return std::find(p.types.begin(), p.types.end(), type) != p.types.end();
}

std::string Label(const Property& p, std::string_view leftOut) {
  std::string label;
  for (const std::string& type : p.types) {
    if (type == leftOut) continue;
    if (!label.empty()) label += ',';
    label += CleanLabel(type);
  }
  return label;
}

}  // namespace vimbo::vcard
