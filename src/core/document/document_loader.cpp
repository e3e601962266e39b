#include "core/document/document_loader.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <memory>
#include <new>
#include <optional>

#include "core/document/file_io.h"
#include "core/document/simple_xml_parser.h"
#include "core/records/date_time_text.h"
#include "core/records/field_tables.h"

namespace vimbo {
namespace {

// Assigns the text of each field element to the member of its name.
template <typename Record, std::size_t N>
void ReadFields(const XMLNode& element, Record& record, const RecordField<Record> (&fields)[N]) {
  for (const XMLNode& child : element.Children()) {
    const std::string_view name = child.Name();
    for (const auto& field : fields) {
      if (field.fileName == name) {
        (record.*field.member).assign(child.Text());
        break;
      }
    }
  }
}

bool IsElement(const XMLNode& node) { return node.Name() != "!"; }

// The record's ID: the last ID attribute of the element, 0 without one.
int32_t RecordID(const XMLNode& element) {
  int32_t id = 0;
  for (const XMLAttribute& attribute : element.Attributes())
    if (attribute.name == "ID") id = ParseInteger(attribute.value);
  return id;
}

template <typename Records>
void ReadLastID(const XMLNode& section, Records& collection) {
  for (const XMLAttribute& attribute : section.Attributes())
    if (attribute.name == "LastID") collection.LastID = ParseInteger(attribute.value);
}

void ReadUser(const XMLNode& section, User& user) {
  User read;
  ReadFields(section, read, kUserFields);
  user = std::move(read);
}

void ReadPersons(const XMLNode& section, Persons& persons) {
  ReadLastID(section, persons);
  for (const XMLNode& element : section.Children()) {
    if (!IsElement(element)) continue;
    Person person;
    person.ID = RecordID(element);
    ReadFields(element, person, kPersonFields);
    persons.Insert(std::move(person));
  }
}

void ReadContacts(const XMLNode& section, Contacts& contacts, Clock clock) {
  ReadLastID(section, contacts);
  // One "now" for every contact whose date does not read, and only when one
  // is needed: asking the clock is not free on a 100,000-contact document.
  DateTimeValue loadTime;
  for (const XMLNode& element : section.Children()) {
    if (!IsElement(element)) continue;
    Contact contact{.ID = RecordID(element), .PersonID = 0, .DateTime = DateTimeValue(), .Description = {}, .ContactTypeID = 0};
    bool dated = false;
    for (const XMLNode& child : element.Children()) {
      const std::string_view name = child.Name();
      if (name == "PersonID") {
        contact.PersonID = ParseInteger(child.Text());
      } else if (name == "ContactTypeID") {
        contact.ContactTypeID = ParseInteger(child.Text());
      } else if (name == "Description") {
        contact.Description.assign(child.Text());
      } else if (name == "DateTime") {
        dated = ParseDocumentDateText(child.Text(), contact.DateTime);
      }
    }
    if (!dated) {
      if (!loadTime.IsValid()) loadTime = clock();
      contact.DateTime = loadTime;
    }
    contacts.Insert(std::move(contact));
  }
}

void ReadContactTypes(const XMLNode& section, ContactTypes& types) {
  ReadLastID(section, types);
  for (const XMLNode& element : section.Children()) {
    if (!IsElement(element)) continue;
    ContactType type;
    type.ID = RecordID(element);
    for (const XMLNode& child : element.Children())
      if (child.Name() == "Description") type.Description.assign(child.Text());
    types.Insert(std::move(type));
  }
}

// A counter below an identifier in use would hand that identifier out again,
// and Insert would then drop the new record.
template <typename Records>
void RaiseLastID(Records& collection) {
  collection.LastID = std::max(collection.LastID, collection.HighestID());
}

LoadResult MapTree(DocumentData& data, std::string text, Clock clock) {
  std::unique_ptr<XMLElement> root;
  try {
    root = SimpleXMLParser().Parse(std::move(text));
  } catch (const SimpleXMLParser::Exception& error) {
    return {LoadResult::Status::kParseError, error.line, false};
  }
  // Any other file of XML is no document: taking it for an empty one would
  // let a later Save overwrite it.
  if (root->Name() != "Vimbo") return {LoadResult::Status::kNotDocument, 0, false};

  for (const XMLAttribute& attribute : root->Attributes())
    if (attribute.name == "Version") data.version = ParseInteger(attribute.value);

  for (const XMLNode& section : root->Children()) {
    const std::string_view name = section.Name();
    if (name == "User")
      ReadUser(section, data.user);
    else if (name == "Persons")
      ReadPersons(section, data.persons);
    else if (name == "Contacts")
      ReadContacts(section, data.contacts, clock);
    else if (name == "ContactTypes")
      ReadContactTypes(section, data.contactTypes);
  }
  return {};
}

// Runs `load` on `data`. A file too large for the memory there is counts as
// unreadable, and whatever was mapped before memory ran out is taken away
// again, so the document is as the caller gave it.
template <typename Load>
LoadResult WithinMemory(DocumentData& data, Load load) {
  const int32_t version = data.version;
  const int32_t lastIDs[] = {data.persons.LastID, data.contacts.LastID, data.contactTypes.LastID};
  std::optional<User> user;
  try {
    user = data.user;
    return load();
  } catch (const std::bad_alloc&) {
    data.persons.Clear();
    data.contacts.Clear();
    data.contactTypes.Clear();
    data.persons.LastID = lastIDs[0];
    data.contacts.LastID = lastIDs[1];
    data.contactTypes.LastID = lastIDs[2];
    data.version = version;
    if (user) data.user = std::move(*user);
    return {LoadResult::Status::kUnreadable, 0, false};
  }
}

}  // namespace

int32_t ParseInteger(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int64_t value = 0;
  constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    value = std::min(value * 10 + (text[i] - '0'), kLimit);
  if (negative) return static_cast<int32_t>(-value);
  return static_cast<int32_t>(std::min(value, kLimit - 1));
}

std::string ParseErrorMessage(int64_t line) {
  char text[64];
  std::snprintf(text, sizeof text, "Parsing error at line %lld", static_cast<long long>(line));
  return text;
}

LoadResult MapDocument(DocumentData& data, std::string text, Clock clock) {
  return WithinMemory(data, [&] { return MapTree(data, std::move(text), clock); });
}

LoadResult Load(DocumentData& data, const std::string& path, Clock clock) {
  std::optional<std::string> text = ReadFileText(path);
  if (!text) return {LoadResult::Status::kUnreadable, 0, false};
  data.Clear();
  return LoadDocumentText(data, std::move(*text), clock);
}

LoadResult LoadDocumentText(DocumentData& data, std::string text, Clock clock) {
  return WithinMemory(data, [&] {
    LoadResult result = MapTree(data, std::move(text), clock);
    if (!result.Ok()) return result;
    RaiseLastID(data.persons);
    RaiseLastID(data.contacts);
    RaiseLastID(data.contactTypes);
    if (data.version == 1) {
      data.AddDefaultContactTypes();
      result.upgraded = true;
    }
    return result;
  });
}

}  // namespace vimbo
