#include "core/transfer/vcard_reader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "core/records/text_encoding.h"
#include "core/records/text_rules.h"

namespace vimbo {
namespace {

constexpr int kNotPreferred = 1000;

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(), LowerAscii);
  return lower;
}

bool IsLine(std::string_view line, std::string_view expected) { return Lower(TrimView(line)) == expected; }

// The pieces of `text` between the separators that stand outside double
// quotes (parameters) or are not escaped by a backslash (values).
std::vector<std::string_view> Split(std::string_view text, char separator, bool byQuotes) {
  std::vector<std::string_view> pieces;
  bool quoted = false;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (byQuotes && text[i] == '"')
      quoted = !quoted;
    else if (!byQuotes && text[i] == '\\')
      ++i;
    else if (text[i] == separator && !quoted) {
      pieces.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  pieces.push_back(text.substr(std::min(start, text.size())));
  return pieces;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = LowerAscii(c);
  return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

std::string DecodeQuotedPrintable(std::string_view text) {
  std::string bytes;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const int high = text[i] == '=' && i + 2 < text.size() ? HexDigit(text[i + 1]) : -1;
    const int low = high >= 0 ? HexDigit(text[i + 2]) : -1;
    if (low >= 0) {
      bytes.push_back(static_cast<char>(high * 16 + low));
      i += 2;
    } else {
      bytes.push_back(text[i]);
    }
  }
  return bytes;
}

// A value in a single-byte character set, as UTF-8.
std::string FromCharset(std::string_view bytes, const std::string& charset) {
  const bool latin1 = charset == "iso-8859-1" || charset == "latin1" || charset == "iso8859-1";
  if (!latin1 && charset != "windows-1252" && charset != "cp1252") return std::string(bytes);
  std::string text;
  for (const char byte : bytes) {
    const auto c = static_cast<uint8_t>(byte);
    AppendUtf8(latin1 ? char32_t{c} : Windows1252Character(c), text);
  }
  return text;
}

// An escaped text value as stored: "\n" and every other line break a CR LF,
// as the form stores a line break.
std::string Unescaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\\' && i + 1 < text.size()) {
      c = text[++i];
      if (c == 'n' || c == 'N') c = '\n';
    } else if (c == '\r') {
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
      c = '\n';
    }
    if (c == '\n')
      out += "\r\n";
    else
      out += c;
  }
  return out;
}

struct Property {
  std::string name;                // upper case, without its group
  std::vector<std::string> types;  // lower case
  int pref = kNotPreferred;
  bool quotedPrintable = false;
  bool uri = false;  // VALUE=uri: a TEL given as "tel:..."
  std::string charset;
  std::string value;  // decoded, still escaped
};

void ReadParameter(std::string_view piece, Property& p) {
  const std::size_t eq = piece.find('=');
  std::string value = Lower(TrimView(eq == std::string_view::npos ? piece : piece.substr(eq + 1)));
  value.erase(std::remove(value.begin(), value.end(), '"'), value.end());
  const std::string key = eq == std::string_view::npos ? "type" : Lower(TrimView(piece.substr(0, eq)));
  if (key == "type") {
    for (std::string_view type : Split(value, ',', false)) {
      if (type == "pref")
        p.pref = std::min(p.pref, 1);
      else if (type == "quoted-printable")
        p.quotedPrintable = true;
      else
        p.types.emplace_back(TrimView(type));
    }
  } else if (key == "pref") {
    p.pref = std::min(p.pref, std::clamp(std::atoi(value.c_str()), 1, 100));
  } else if (key == "encoding") {
    p.quotedPrintable = value == "quoted-printable";
  } else if (key == "charset") {
    p.charset = value;
  } else if (key == "value") {
    p.uri = value == "uri";
  }
}

// "group.NAME;PARAM=...;...:value"; nothing when the line is no property.
std::optional<Property> ReadProperty(std::string_view line) {
  bool quoted = false;
  std::size_t colon = std::string_view::npos;
  for (std::size_t i = 0; i < line.size() && colon == std::string_view::npos; ++i) {
    if (line[i] == '"')
      quoted = !quoted;
    else if (line[i] == ':' && !quoted)
      colon = i;
  }
  if (colon == std::string_view::npos) return std::nullopt;
  const std::vector<std::string_view> head = Split(line.substr(0, colon), ';', true);
  std::string_view name = TrimView(head.front());
  if (const std::size_t dot = name.rfind('.'); dot != std::string_view::npos) name.remove_prefix(dot + 1);
  if (name.empty()) return std::nullopt;
  Property p;
  p.name = Lower(name);
  std::transform(p.name.begin(), p.name.end(), p.name.begin(),
                 [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - ('a' - 'A')) : c; });
  for (std::size_t i = 1; i < head.size(); ++i) ReadParameter(head[i], p);
  const std::string_view value = line.substr(colon + 1);
  p.value = p.quotedPrintable ? DecodeQuotedPrintable(value) : std::string(value);
  p.value = FromCharset(p.value, p.charset);
  return p;
}

bool Has(const Property& p, std::string_view type) {
  return std::find(p.types.begin(), p.types.end(), type) != p.types.end();
}

// One card as it is read: for each field the value with the best preference
// so far, the first of equal ones.
class CardBuilder {
 public:
  void Add(const Property& p) {
    if (p.name == "N") {
      const std::vector<std::string_view> parts = Split(p.value, ';', false);
      if (!named_) {
        named_ = true;
        person_.LName = Unescaped(parts[0]);
        if (parts.size() > 1) person_.FName = Unescaped(parts[1]);
        if (parts.size() > 3) person_.Title = Unescaped(parts[3]);
      }
    } else if (p.name == "FN") {
      Offer(kFormatted, p, Unescaped(p.value));
    } else if (p.name == "ORG") {
      Offer(kCompany, p, Unescaped(Split(p.value, ';', false).front()));
    } else if (p.name == "TITLE") {
      Offer(kPosition, p, Unescaped(p.value));
    } else if (p.name == "ADR") {
      AddAddress(p);
    } else if (p.name == "TEL") {
      std::string number = Unescaped(p.value);
      if (p.uri && Lower(number.substr(0, 4)) == "tel:") number.erase(0, 4);
      Offer(PhoneSlot(p), p, std::move(number));
    } else if (p.name == "EMAIL") {
      Offer(kEMail, p, Unescaped(p.value));
    } else if (p.name == "URL") {
      Offer(kWebPage, p, Unescaped(p.value));
    }
  }

  // The person the card names; nothing when it names nobody.
  std::optional<Person> Finish() {
    Person& p = person_;
    p.Company = Take(kCompany);
    p.Position = Take(kPosition);
    p.Phone = Take(kHomePhone);
    p.CelPhone = Take(kCellPhone);
    p.Pager = Take(kPager);
    p.Fax = Take(kFax);
    p.EMail = Take(kEMail);
    p.WebPage = Take(kWebPage);
    // The extension was written after the work number it belongs to.
    std::string work = Take(kWorkPhone);
    if (const std::size_t ext = work.find(" ext. "); ext != std::string::npos) {
      p.WkExt = work.substr(ext + 6);
      work.erase(ext);
    }
    p.WkPhone = work;
    if (p.FName.empty() && p.LName.empty() && p.Company.empty()) p.LName = Take(kFormatted);
    if (p.FName.empty() && p.LName.empty() && p.Company.empty()) return std::nullopt;
    return std::move(person_);
  }

 private:
  enum Slot {
    kFormatted,
    kCompany,
    kPosition,
    kAddress,
    kHomePhone,
    kWorkPhone,
    kCellPhone,
    kPager,
    kFax,
    kEMail,
    kWebPage,
    kSlots
  };
  struct Candidate {
    std::string value;
    int pref = kNotPreferred + 1;
  };

  static Slot PhoneSlot(const Property& p) {
    if (Has(p, "fax")) return kFax;
    if (Has(p, "cell") || Has(p, "mobile")) return kCellPhone;
    if (Has(p, "pager")) return kPager;
    if (Has(p, "work")) return kWorkPhone;
    return kHomePhone;
  }

  bool Offer(Slot slot, const Property& p, std::string value) {
    Candidate& held = slots_[slot];
    if (p.pref >= held.pref) return false;
    held = {std::move(value), p.pref};
    return true;
  }

  void AddAddress(const Property& p) {
    const std::vector<std::string_view> parts = Split(p.value, ';', false);
    const auto part = [&](std::size_t i) { return i < parts.size() ? Unescaped(parts[i]) : std::string(); };
    if (!Offer(kAddress, p, {})) return;
    // The extended address ("Apt 2") goes on the line after the street.
    std::string street = part(2);
    if (const std::string extended = part(1); !extended.empty()) street += (street.empty() ? "" : "\r\n") + extended;
    person_.Address = street;
    person_.City = part(3);
    person_.State = part(4);
    person_.Zip = part(5);
  }

  std::string Take(Slot slot) { return std::move(slots_[slot].value); }

  Person person_;
  bool named_ = false;
  std::array<Candidate, kSlots> slots_{};
};

class CardsReader {
 public:
  void Line(std::string_view line) {
    if (TrimView(line).empty()) return;
    if (IsLine(line, "begin:vcard")) {
      if (card_) ++result_.unreadable;
      card_.emplace();
      broken_ = false;
    } else if (IsLine(line, "end:vcard")) {
      if (!card_) return;
      if (broken_)
        ++result_.unreadable;
      else if (std::optional<Person> person = card_->Finish())
        result_.persons.push_back(std::move(*person));
      card_.reset();
    } else if (card_ && !broken_) {
      if (const std::optional<Property> property = ReadProperty(line))
        card_->Add(*property);
      else
        broken_ = true;
    }
  }

  void Break() { broken_ = card_.has_value(); }

  VCardImport Finish() {
    if (card_) ++result_.unreadable;
    card_.reset();
    return std::move(result_);
  }

 private:
  VCardImport result_;
  std::optional<CardBuilder> card_;
  bool broken_ = false;
};

// Whether a 2.1 quoted-printable value goes on to the next line: its line
// ends in a soft break.
bool SoftBreakPending(std::string_view line) {
  if (line.empty() || line.back() != '=') return false;
  const std::size_t colon = line.find(':');
  return colon != std::string_view::npos && Lower(line.substr(0, colon)).find("quoted-printable") != std::string::npos;
}

}  // namespace

VCardImport ReadVCards(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  CardsReader reader;
  std::string current;
  bool hasCurrent = false;
  const auto flush = [&] {
    if (hasCurrent) reader.Line(current);
    hasCurrent = false;
  };
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    start = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
    if (hasCurrent && SoftBreakPending(current)) {
      current.pop_back();
      current.append(line);
    } else if (!line.empty() && (line.front() == ' ' || line.front() == '\t')) {
      // A fold continues the line before it; after BEGIN or at the start
      // there is nothing to continue, and the card is broken.
      if (!hasCurrent || IsLine(current, "begin:vcard")) {
        flush();
        reader.Break();
      } else {
        current.append(line.substr(1));
      }
    } else {
      flush();
      current.assign(line);
      hasCurrent = true;
    }
  }
  flush();
  return reader.Finish();
}

bool LooksLikeVCard(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  const std::string_view rest = TrimView(text);
  const std::size_t end = rest.find_first_of("\r\n");
  return IsLine(rest.substr(0, end), "begin:vcard");
}

}  // namespace vimbo
