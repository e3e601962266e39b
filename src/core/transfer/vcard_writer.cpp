#include "core/transfer/vcard_writer.h"

#include <cstdint>
#include <new>
#include <string_view>

#include "core/document/file_io.h"
#include "core/records/text_encoding.h"

namespace vimbo {
namespace {

constexpr std::size_t kLineOctets = 75;

// A text value with its separators escaped; any line break, CR LF included,
// is one "\n".
std::string Escaped(std::string_view bytes) {
  const std::string text = ToUtf8(bytes);
  std::string out;
  out.reserve(text.size() + 8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    switch (c) {
      case '\\': out += "\\\\"; break;
      case ',': out += "\\,"; break;
      case ';': out += "\\;"; break;
      case '\r':
        if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        out += "\\n";
        break;
      case '\n': out += "\\n"; break;
      default: out += c;
    }
  }
  return out;
}

bool IsContinuationByte(char c) { return (static_cast<uint8_t>(c) & 0xC0U) == 0x80U; }

// Puts one content line, folded: each piece of at most 75 octets (the space
// that opens a continuation counts), cut before a character, not inside it.
void PutLine(std::string& out, std::string_view line) {
  std::size_t room = kLineOctets;
  while (line.size() > room) {
    std::size_t cut = room;
    while (cut > 0 && IsContinuationByte(line[cut])) --cut;
    out.append(line.substr(0, cut)).append("\r\n ");
    line.remove_prefix(cut);
    room = kLineOctets - 1;
  }
  out.append(line).append("\r\n");
}

void PutProperty(std::string& out, std::string_view name, std::string_view value) {
  std::string line(name);
  line.append(":").append(value);
  PutLine(out, line);
}

void PutPhone(std::string& out, std::string_view type, std::string_view number) {
  if (!number.empty()) PutProperty(out, "TEL;TYPE=" + std::string(type), Escaped(number));
}

// The name the person is listed under, from its parts each made UTF-8: a
// name joined first from parts of different encodings would read as neither.
std::string FormattedName(const Person& p) {
  const auto [first, second] = p.DisplayNameParts();
  return second ? ToUtf8(*first) + ", " + ToUtf8(*second) : ToUtf8(*first);
}

void AppendCard(std::string& out, const Person& p) {
  out += "BEGIN:VCARD\r\nVERSION:4.0\r\n";
  PutProperty(out, "FN", Escaped(FormattedName(p)));
  PutProperty(out, "N", Escaped(p.LName) + ";" + Escaped(p.FName) + ";;" + Escaped(p.Title) + ";");
  if (!p.Company.empty()) PutProperty(out, "ORG", Escaped(p.Company));
  if (!p.Position.empty()) PutProperty(out, "TITLE", Escaped(p.Position));
  if (!p.Address.empty() || !p.City.empty() || !p.State.empty() || !p.Zip.empty())
    PutProperty(
        out, "ADR;TYPE=home",
        ";;" + Escaped(p.Address) + ";" + Escaped(p.City) + ";" + Escaped(p.State) + ";" + Escaped(p.Zip) + ";");
  PutPhone(out, "home", p.Phone);
  // The extension stays with the number it belongs to.
  if (!p.WkPhone.empty() || !p.WkExt.empty())
    PutProperty(out, "TEL;TYPE=work", Escaped(p.WkExt.empty() ? p.WkPhone.str() : p.WkPhone + " ext. " + p.WkExt));
  PutPhone(out, "cell", p.CelPhone);
  PutPhone(out, "pager", p.Pager);
  PutPhone(out, "fax", p.Fax);
  if (!p.EMail.empty()) PutProperty(out, "EMAIL", Escaped(p.EMail));
  if (!p.WebPage.empty()) PutProperty(out, "URL", Escaped(p.WebPage));
  out += "END:VCARD\r\n";
}

}  // namespace

std::string VCardText(const std::vector<const Person*>& persons) {
  std::string text;
  for (const Person* person : persons) AppendCard(text, *person);
  return text;
}

Outcome WriteVCardFile(const std::string& path, const std::vector<const Person*>& persons) {
  try {
    if (WriteFileAtomically(path, VCardText(persons))) return Outcome::Done(static_cast<int>(persons.size()));
  } catch (const std::bad_alloc&) {
  }
  return Outcome::Failed(SaveErrorMessage(path));
}

}  // namespace vimbo
