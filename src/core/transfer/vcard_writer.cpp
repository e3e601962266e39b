#include "core/transfer/vcard_writer.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <string_view>

#include "core/document/file_io.h"
#include "core/records/text_encoding.h"
#include "core/transfer/folded_lines.h"
#include "core/transfer/vcard_reader.h"

namespace vimbo {
namespace {

std::string Escaped(std::string_view bytes) { return EscapedText(bytes, ControlCharacters::kKept); }

// A parameter value: quoted when it holds a separator; the quote itself and
// control characters cannot be written in one, and are left out.
std::string ParameterValue(std::string_view bytes) {
  std::string value;
  bool quote = false;
  for (const char c : ToUtf8(bytes)) {
    if (c == '"' || static_cast<uint8_t>(c) < 0x20) continue;
    quote = quote || c == ';' || c == ':' || c == ',' || c == ' ';
    value += c;
  }
  return quote ? '"' + value + '"' : value;
}

// ";TYPE=work,voice" for a label of type words, nothing for no label. The
// words go as they are: a label is the list of a value's types.
std::string TypeParameter(std::string_view label) {
  if (label.empty()) return {};
  std::string words;
  for (const char c : ToUtf8(label)) {
    if (c == '"' || static_cast<uint8_t>(c) < 0x20) continue;
    words += c;
  }
  const bool plain = std::all_of(words.begin(), words.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == ',' ||
           c == '/' || c == '.' || c == '_' || static_cast<uint8_t>(c) >= 0x80;
  });
  return ";TYPE=" + (plain ? words : '"' + words + '"');
}

bool StartsWithTelScheme(std::string_view number) {
  return number.size() >= 4 && (number[0] == 't' || number[0] == 'T') && (number[1] == 'e' || number[1] == 'E') &&
         (number[2] == 'l' || number[2] == 'L') && number[3] == ':';
}

// A number that happens to begin with "tel:" is marked as text, so that it
// is not read back as a telephone address.
void PutPhone(std::string& out, std::string_view label, std::string_view number) {
  const std::string head = std::string(StartsWithTelScheme(number) ? "TEL;VALUE=text" : "TEL") + TypeParameter(label);
  PutFoldedProperty(out, head, Escaped(number));
}

// The name as it is shown: first name, then last name; a person without
// either by what the list shows instead. Each part is made UTF-8 alone: a
// name joined from parts of different encodings would read as neither.
std::string FormattedName(const Person& p) {
  if (p.FName.empty() && p.LName.empty()) return ToUtf8(*p.DisplayNameParts()[0]);
  if (p.FName.empty() || p.LName.empty()) return ToUtf8(p.FName.empty() ? p.LName : p.FName);
  return ToUtf8(p.FName) + " " + ToUtf8(p.LName);
}

bool IsNamePart(const PersonDetail& d) {
  return d.kind == DetailKind::kName && (d.label == kPrefixLabel || d.label == kMiddleLabel || d.label == kSuffixLabel);
}
bool IsUnit(const PersonDetail& d) { return d.kind == DetailKind::kOrg && d.label == kUnitLabel; }
bool IsCountryOnly(const PersonDetail& d) {
  return d.kind == DetailKind::kAddress && d.label.empty() && d.value.empty() && d.street.empty() && d.city.empty() &&
         d.region.empty() && d.postalCode.empty() && !d.country.empty();
}

// The name details of one label as a list: "Jo,Ann".
std::string NameList(const Person& p, std::string_view label, std::string list = {}) {
  for (const PersonDetail& d : p.Details) {
    if (d.kind != DetailKind::kName || d.label != label || d.value.empty()) continue;
    if (!list.empty() || label == kPrefixLabel) list += ',';
    list += Escaped(d.value);
  }
  return list;
}

std::string AddressValue(std::string_view street, std::string_view city, std::string_view region,
                         std::string_view postalCode, std::string_view country) {
  return ";;" + Escaped(street) + ";" + Escaped(city) + ";" + Escaped(region) + ";" + Escaped(postalCode) + ";" +
         Escaped(country);
}

std::string DateText(const PartialDate& date, VCardVersion version) {
  if (version == VCardVersion::kThree) return date.Text();
  char text[16];
  if (date.HasYear())
    std::snprintf(text, sizeof text, "%04d%02d%02d", date.year, date.month, date.day);
  else
    std::snprintf(text, sizeof text, "--%02d%02d", date.month, date.day);
  return text;
}

void PutPhoto(std::string& out, const PersonDetail& d, VCardVersion version) {
  const std::string type = ToUtf8(d.type);
  if (version == VCardVersion::kFour) {
    PutFoldedProperty(out, "PHOTO", "data:" + type + ";base64," + std::string(d.value.view()));
    return;
  }
  // 3.0 names the image format alone: "JPEG".
  std::string format = type.substr(type.find('/') == std::string::npos ? 0 : type.find('/') + 1);
  std::transform(format.begin(), format.end(), format.begin(),
                 [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - ('a' - 'A')) : c; });
  PutFoldedProperty(out, "PHOTO;ENCODING=b" + (format.empty() ? std::string() : ";TYPE=" + ParameterValue(format)),
                    d.value.view());
}

void PutDetail(std::string& out, const PersonDetail& d, VCardVersion version) {
  const std::string value = Escaped(d.value);
  switch (d.kind) {
    case DetailKind::kPhone: PutPhone(out, d.label, d.value); break;
    case DetailKind::kEmail: PutFoldedProperty(out, "EMAIL" + TypeParameter(d.label), value); break;
    case DetailKind::kAddress:
      PutFoldedProperty(out, "ADR" + TypeParameter(d.label),
                        AddressValue(d.street, d.city, d.region, d.postalCode, d.country));
      break;
    case DetailKind::kUrl:
      // A photo kept elsewhere goes back as the photo's address.
      if (d.label == "photo")
        PutFoldedProperty(out, version == VCardVersion::kFour ? "PHOTO" : "PHOTO;VALUE=uri", value);
      else
        PutFoldedProperty(out, "URL" + TypeParameter(d.label), value);
      break;
    case DetailKind::kIm: PutFoldedProperty(out, "IMPP" + TypeParameter(d.label), value); break;
    case DetailKind::kSip:
      PutFoldedProperty(out, (d.value.view().starts_with("sip:") ? "IMPP" : "X-SIP") + TypeParameter(d.label), value);
      break;
    case DetailKind::kName:
      PutFoldedProperty(out, d.label == kNicknameLabel ? std::string("NICKNAME") : "NICKNAME" + TypeParameter(d.label),
                        value);
      break;
    case DetailKind::kOrg: PutFoldedProperty(out, "ORG" + TypeParameter(d.label), value); break;
    case DetailKind::kCustom: {
      const std::string name = ToUtf8(d.label);
      // A label that is no property name of its own, or that names one
      // read otherwise, travels as a parameter.
      if (IsCustomPropertyName(name))
        PutFoldedProperty(out, name, value);
      else
        PutFoldedProperty(out, "X-CUSTOM;X-LABEL=" + ParameterValue(name), value);
      break;
    }
    case DetailKind::kPhoto: PutPhoto(out, d, version); break;
  }
}

// FN, N with its five parts, ORG with its units, TITLE.
void PutNames(std::string& out, const Person& p) {
  PutFoldedProperty(out, "FN", Escaped(FormattedName(p)));
  PutFoldedProperty(out, "N",
                    Escaped(p.LName) + ";" + Escaped(p.FName) + ";" + NameList(p, kMiddleLabel) + ";" +
                        NameList(p, kPrefixLabel, Escaped(p.Title)) + ";" + NameList(p, kSuffixLabel));
  // Every organisation after the first needs the first written before it.
  const bool organised =
      std::any_of(p.Details.begin(), p.Details.end(), [](const PersonDetail& d) { return d.kind == DetailKind::kOrg; });
  if (!p.Company.empty() || organised) {
    std::string org = Escaped(p.Company);
    for (const PersonDetail& d : p.Details)
      if (IsUnit(d)) org += ";" + Escaped(d.value);
    PutFoldedProperty(out, "ORG", org);
  }
  if (!p.Position.empty()) PutFoldedProperty(out, "TITLE", Escaped(p.Position));
}

// The address, phones, e-mail address and web page of the seventeen fields,
// the address with `country`.
void PutFields(std::string& out, const Person& p, std::string_view country) {
  if (!p.Address.empty() || !p.City.empty() || !p.State.empty() || !p.Zip.empty() || !country.empty())
    PutFoldedProperty(out, "ADR;TYPE=home", AddressValue(p.Address, p.City, p.State, p.Zip, country));
  if (!p.Phone.empty()) PutPhone(out, "home", p.Phone);
  // The extension stays with the number it belongs to.
  if (!p.WkPhone.empty() || !p.WkExt.empty())
    PutPhone(out, "work", p.WkExt.empty() ? p.WkPhone.str() : p.WkPhone + " ext. " + p.WkExt);
  if (!p.CelPhone.empty()) PutPhone(out, "cell", p.CelPhone);
  if (!p.Pager.empty()) PutPhone(out, "pager", p.Pager);
  if (!p.Fax.empty()) PutPhone(out, "fax", p.Fax);
  if (!p.EMail.empty()) PutFoldedProperty(out, "EMAIL", Escaped(p.EMail));
  if (!p.WebPage.empty()) PutFoldedProperty(out, "URL", Escaped(p.WebPage));
}

void AppendCard(std::string& out, const Person& p, VCardVersion version) {
  out += version == VCardVersion::kFour ? "BEGIN:VCARD\r\nVERSION:4.0\r\n" : "BEGIN:VCARD\r\nVERSION:3.0\r\n";
  PutNames(out, p);
  // The country of the address in the fields: the country-only address
  // the form keeps first.
  const bool countryHeld = !p.Details.empty() && IsCountryOnly(p.Details.front());
  PutFields(out, p, countryHeld ? p.Details.front().country.view() : std::string_view());
  for (std::size_t i = countryHeld ? 1 : 0; i < p.Details.size(); ++i)
    if (!IsNamePart(p.Details[i]) && !IsUnit(p.Details[i])) PutDetail(out, p.Details[i], version);
  if (p.Birthday.IsSet()) PutFoldedProperty(out, "BDAY", DateText(p.Birthday, version));
  if (p.Anniversary.IsSet())
    PutFoldedProperty(out, version == VCardVersion::kFour ? "ANNIVERSARY" : "X-ANNIVERSARY",
                      DateText(p.Anniversary, version));
  if (!p.Notes.empty()) PutFoldedProperty(out, "NOTE", Escaped(p.Notes));
  out += "END:VCARD\r\n";
}

}  // namespace

std::string VCardText(const std::vector<const Person*>& persons, VCardVersion version) {
  std::string text;
  for (const Person* person : persons) AppendCard(text, *person, version);
  return text;
}

Outcome WriteVCardFile(const std::string& path, const std::vector<const Person*>& persons, VCardVersion version) {
  try {
    if (WriteFileAtomically(path, VCardText(persons, version))) return Outcome::Done(static_cast<int>(persons.size()));
  } catch (const std::bad_alloc&) {
  }
  return Outcome::Failed(SaveErrorMessage(path));
}

}  // namespace vimbo
