#include "document/document_writer.h"

#include <array>
#include <charconv>
#include <cstring>
#include <string_view>

#include "records/date_time_text.h"

namespace vimbo {
namespace {

constexpr std::array<bool, 256> MakeEscaped() {
  std::array<bool, 256> table{};
  for (int c : {'&', '<', '>', '\'', '"', '\0'}) table[c] = true;
  return table;
}
constexpr std::array<bool, 256> kEscaped = MakeEscaped();

// Appends to one growing buffer; the text is built whole before anything is
// written, so a save is one write of known length.
class TextOut {
 public:
  explicit TextOut(std::string& out) : out_(out) {}

  TextOut& operator<<(std::string_view text) {
    out_.append(text);
    return *this;
  }

  TextOut& operator<<(int32_t number) {
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, number);
    out_.append(digits, result.ptr);
    return *this;
  }

  // Text with the five markup characters replaced by their entities and
  // every other byte but zero unchanged.
  void Escaped(std::string_view text) {
    std::size_t run = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
      const char c = text[i];
      if (!kEscaped[static_cast<uint8_t>(c)]) continue;
      out_.append(text.data() + run, i - run);
      switch (c) {
        case '&': out_.append("&amp;"); break;
        case '<': out_.append("&lt;"); break;
        case '>': out_.append("&gt;"); break;
        case '\'': out_.append("&apos;"); break;
        case '"': out_.append("&quot;"); break;
        // A zero byte would end the text for the parser and make the whole
        // file unreadable; as a reference it reads back as the same byte.
        default: out_.append("&#0;"); break;
      }
      run = i + 1;
    }
    out_.append(text.data() + run, text.size() - run);
  }

  // "<indent><Name>text</Name>\n"
  void Field(std::string_view indent, std::string_view name, std::string_view text) {
    *this << indent << "<" << name << ">";
    Escaped(text);
    *this << "</" << name << ">\n";
  }

 private:
  std::string& out_;
};

std::size_t EstimateSize(const DocumentData& data) {
  std::size_t size = 2048;
  for (const auto& [id, person] : data.persons)
    size += 700 + person.Address.size() + person.EMail.size() + person.WebPage.size() + person.Company.size();
  for (const auto& [id, contact] : data.contacts) size += 200 + contact.Description.size();
  for (const auto& [id, type] : data.contactTypes) size += 80 + type.Description.size();
  return size;
}

void WriteUser(TextOut& out, const User& user) {
  constexpr std::string_view in = "\t\t\t";
  out << "\t\t<User>\n";
  out.Field(in, "Title", user.Title);
  out.Field(in, "FName", user.FName);
  out.Field(in, "LName", user.LName);
  out.Field(in, "Address", user.Address);
  out.Field(in, "City", user.City);
  out.Field(in, "State", user.State);
  out.Field(in, "Zip", user.Zip);
  out.Field(in, "HmPhone", user.HmPhone);
  out.Field(in, "CelPhone", user.CelPhone);
  out.Field(in, "WkPhone", user.WkPhone);
  out.Field(in, "WkExt", user.WkExt);
  out.Field(in, "Fax", user.Fax);
  out.Field(in, "EMail", user.EMail);
  out.Field(in, "WebPage", user.WebPage);
  out.Field(in, "Company", user.Company);
  out.Field(in, "Position", user.Position);
  out << "\t\t</User>\n";
}

void WritePerson(TextOut& out, const Person& person) {
  constexpr std::string_view in = "\t\t\t";
  out << "\t\t<Person ID=\"" << person.ID << "\">\n";
  out.Field(in, "Title", person.Title);
  out.Field(in, "FName", person.FName);
  out.Field(in, "LName", person.LName);
  out.Field(in, "Address", person.Address);
  out.Field(in, "City", person.City);
  out.Field(in, "State", person.State);
  out.Field(in, "Zip", person.Zip);
  out.Field(in, "Phone", person.Phone);
  out.Field(in, "WkPhone", person.WkPhone);
  out.Field(in, "WkExt", person.WkExt);
  out.Field(in, "Pager", person.Pager);
  out.Field(in, "CelPhone", person.CelPhone);
  out.Field(in, "Fax", person.Fax);
  out.Field(in, "EMail", person.EMail);
  out.Field(in, "WebPage", person.WebPage);
  out.Field(in, "Company", person.Company);
  out.Field(in, "Position", person.Position);
  out << "\t\t</Person>\n";
}

void WriteContact(TextOut& out, const Contact& contact) {
  out << "\t\t<Contact ID=\"" << contact.ID << "\">\n";
  out << "\t\t\t<PersonID>" << contact.PersonID << "</PersonID>\n";
  // The date text is digits, separators and AM/PM: nothing to escape.
  out << "\t\t\t<DateTime>" << DocumentDateText(contact.DateTime) << "</DateTime>\n";
  out.Field("\t\t\t", "Description", contact.Description);
  out << "\t\t\t<ContactTypeID>" << contact.ContactTypeID << "</ContactTypeID>\n";
  out << "\t\t</Contact>\n";
}

}  // namespace

std::string DocumentText(DocumentData& data) {
  data.version = DocumentData::kWrittenVersion;
  std::string text;
  text.reserve(EstimateSize(data));
  TextOut out(text);

  out << "<?xml version=\"1.0\"?>\n";
  out << "<Vimbo Version=\"" << data.version << "\">\n";
  WriteUser(out, data.user);

  out << "\t<Persons LastID=\"" << data.persons.LastID << "\">\n";
  for (const auto& [id, person] : data.persons) WritePerson(out, person);
  out << "\t</Persons>\n";

  out << "\t<Contacts LastID=\"" << data.contacts.LastID << "\">\n";
  for (const auto& [id, contact] : data.contacts) WriteContact(out, contact);
  out << "\t</Contacts>\n";

  out << "\t<ContactTypes LastID=\"" << data.contactTypes.LastID << "\">\n";
  for (const auto& [id, type] : data.contactTypes) {
    out << "\t\t<ContactType ID=\"" << type.ID << "\">\n";
    out.Field("\t\t\t", "Description", type.Description);
    out << "\t\t</ContactType>\n";
  }
  out << "\t</ContactTypes>\n";
  out << "</Vimbo>\n";
  return text;
}

bool Write(DocumentData& data, const std::string& path, WriteChunkFunction writeChunk) {
  return WriteFileAtomically(path, DocumentText(data), writeChunk);
}

}  // namespace vimbo
