#include "core/document/document_loader.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <new>
#include <optional>
#include <span>

#include "core/document/file_io.h"
#include "core/document/simple_xml_parser.h"
#include "core/records/date_time_text.h"
#include "core/records/field_tables.h"

namespace vimbo {
namespace {

// The index of the field named `name` in `fields`, or -1.
template <typename Record, std::size_t N>
int FieldIndex(std::string_view name, const RecordField<Record> (&fields)[N]) {
  for (std::size_t i = 0; i < N; ++i)
    if (fields[i].fileName == name) return static_cast<int>(i);
  return -1;
}

// The value of the last attribute named `name`, parsed as a number.
std::optional<int32_t> NumberAttribute(std::span<const XMLAttribute> attributes, std::string_view name) {
  std::optional<int32_t> value;
  for (const XMLAttribute& attribute : attributes)
    if (attribute.name == name) value = ParseInteger(attribute.value);
  return value;
}

// One kind of record as the file gives it: the records of every section of
// that kind in file order, and the counter of the last section that has one.
template <typename Records>
struct ReadSection {
  std::vector<typename Records::Entry> entries;
  std::optional<int32_t> lastID;

  template <typename Record>
  void Add(Record&& record) {
    const int32_t id = record.ID;
    entries.emplace_back(id, std::forward<Record>(record));
  }

  // Puts what was read into `target`; of two records with one ID the one
  // already there, or else the first read, stays.
  void MoveInto(Records& target) {
    const int32_t lastIDNow = lastID.value_or(target.LastID);
    if (target.Empty())
      target.Adopt(std::move(entries));
    else
      for (auto& [id, record] : entries) target.Insert(std::move(record));
    target.LastID = lastIDNow;
  }
};

// Fills records straight from what the parser reads, element by element:
// the root (depth 1), its sections (2), their records or, in the user's
// section, fields (3), and the records' fields (4). Elements of any other
// name or depth are passed over; a record element of any name counts.
class DocumentReader final : public XMLHandler {
 public:
  DocumentReader(Clock clock, std::size_t bytes) : clock_(clock), bytes_(bytes) {}

  bool IsDocument() const { return isDocument_; }

  // Gives `data` what was read; only after a parse without errors, so a
  // failed load leaves the document as it was.
  void MoveInto(DocumentData& data) {
    if (version_) data.version = *version_;
    if (lastUser_) data.user = std::move(*lastUser_);
    persons_.MoveInto(data.persons);
    contacts_.MoveInto(data.contacts);
    contactTypes_.MoveInto(data.contactTypes);
  }

  void StartElement(std::string_view name, std::span<const XMLAttribute> attributes) override {
    ++depth_;
    if (depth_ == 1) {
      isDocument_ = name == "Vimbo";
      version_ = NumberAttribute(attributes, "Version");
    } else if (!isDocument_) {
      return;
    } else if (depth_ == 2) {
      StartSection(name, attributes);
    } else if (depth_ == 3) {
      StartRecord(name, attributes);
    } else if (depth_ == 4) {
      field_ = FieldOf(name);
      if (field_ == kDetail) StartDetail(attributes);
      if (field_ == kFollowUp) followUpDone_ = NumberAttribute(attributes, "Done").value_or(0) != 0;
    }
  }

  void EndElement(std::string_view text) override {
    if (isDocument_ && depth_ == 4) EndField(text);
    if (isDocument_ && depth_ == 3) EndRecord(text);
    if (isDocument_ && depth_ == 2 && section_ == Section::kUser) lastUser_ = std::move(user_);
    --depth_;
  }

 private:
  enum class Section { kOther, kUser, kPersons, kContacts, kContactTypes };
  // The contact fields the loader reads, beside the person and user tables.
  enum ContactField { kPersonID, kContactTypeID, kDescription, kDateTime, kFollowUp };
  // The person's elements after the seventeen fields, numbered past them.
  enum PersonExtra { kBirthday = 100, kAnniversary, kKeepInTouch, kNotes, kDetail };

  // Written records take a few hundred bytes each; the counter (which may
  // exceed the count, or lie) and the file's size bound the room made ahead.
  static constexpr std::size_t kSmallestPerson = 256;
  static constexpr std::size_t kSmallestContact = 96;

  void StartSection(std::string_view name, std::span<const XMLAttribute> attributes) {
    section_ = Section::kOther;
    if (name == "User") {
      section_ = Section::kUser;
      user_ = User();
    } else if (name == "Persons") {
      section_ = Section::kPersons;
      ReadLastID(persons_, attributes, kSmallestPerson);
    } else if (name == "Contacts") {
      section_ = Section::kContacts;
      ReadLastID(contacts_, attributes, kSmallestContact);
    } else if (name == "ContactTypes") {
      section_ = Section::kContactTypes;
      ReadLastID(contactTypes_, attributes, 0);
    }
  }

  template <typename Records>
  void ReadLastID(ReadSection<Records>& section, std::span<const XMLAttribute> attributes, std::size_t smallest) {
    const std::optional<int32_t> lastID = NumberAttribute(attributes, "LastID");
    if (!lastID) return;
    section.lastID = lastID;
    if (smallest > 0 && *lastID > 0 && section.entries.empty())
      section.entries.reserve(std::min(static_cast<std::size_t>(*lastID), bytes_ / smallest));
  }

  void StartRecord(std::string_view name, std::span<const XMLAttribute> attributes) {
    // A record's ID is its last ID attribute; 0 without one.
    const int32_t id = NumberAttribute(attributes, "ID").value_or(0);
    field_ = -1;
    switch (section_) {
      case Section::kUser: userField_ = FieldIndex(name, kUserFields); break;
      case Section::kPersons:
        person_ = Person();
        person_.ID = id;
        break;
      case Section::kContacts:
        contact_ = Contact();
        contact_.ID = id;
        dated_ = false;
        break;
      case Section::kContactTypes:
        contactType_ = ContactType();
        contactType_.ID = id;
        break;
      case Section::kOther: break;
    }
  }

  int FieldOf(std::string_view name) const {
    switch (section_) {
      case Section::kPersons:
        if (name == "Birthday") return kBirthday;
        if (name == "Anniversary") return kAnniversary;
        if (name == "KeepInTouch") return kKeepInTouch;
        if (name == "Notes") return kNotes;
        if (name == "Detail") return kDetail;
        return FieldIndex(name, kPersonFields);
      case Section::kContacts:
        if (name == "PersonID") return kPersonID;
        if (name == "ContactTypeID") return kContactTypeID;
        if (name == "Description") return kDescription;
        if (name == "DateTime") return kDateTime;
        if (name == "FollowUp") return kFollowUp;
        return -1;
      case Section::kContactTypes: return name == "Description" ? kDescription : -1;
      default: return -1;
    }
  }

  void EndField(std::string_view text) {
    if (field_ < 0) return;
    const auto field = static_cast<std::size_t>(field_);
    if (section_ == Section::kPersons) {
      EndPersonField(field, text);
    } else if (section_ == Section::kContactTypes) {
      contactType_.Description = text;
    } else if (section_ == Section::kContacts) {
      if (field_ == kPersonID)
        contact_.PersonID = ParseInteger(text);
      else if (field_ == kContactTypeID)
        contact_.ContactTypeID = ParseInteger(text);
      else if (field_ == kDescription)
        contact_.Description = text;
      else if (field_ == kFollowUp)
        ReadFollowUp(text);
      else
        dated_ = ParseDocumentDateText(text, contact_.DateTime);
    }
    field_ = -1;
  }

  // A detail of an unknown kind, written by a later version, is kept as a
  // custom one rather than lost.
  void StartDetail(std::span<const XMLAttribute> attributes) {
    detail_ = PersonDetail();
    for (const XMLAttribute& attribute : attributes) {
      if (attribute.name == "Kind") {
        detail_.kind = DetailKindNamed(attribute.value).value_or(DetailKind::kCustom);
      } else if (attribute.name == "Label") {
        detail_.label = attribute.value;
      } else if (attribute.name == "Type") {
        detail_.type = attribute.value;
      } else {
        for (const AddressPart& part : kAddressParts)
          if (attribute.name == part.fileName) detail_.*part.member = attribute.value;
      }
    }
  }

  // A follow-up without a readable date is none.
  void ReadFollowUp(std::string_view text) {
    contact_.FollowUp = ContactFollowUp();
    if (ParseDocumentDateText(text, contact_.FollowUp.When)) contact_.FollowUp.Done = followUpDone_;
  }

  void EndPersonField(std::size_t field, std::string_view text) {
    switch (field) {
      case kBirthday: person_.Birthday = PartialDate::Parse(text).value_or(PartialDate()); break;
      case kAnniversary: person_.Anniversary = PartialDate::Parse(text).value_or(PartialDate()); break;
      // A negative interval is none.
      case kKeepInTouch: person_.KeepInTouch = std::max(ParseInteger(text), 0); break;
      case kNotes: person_.Notes = text; break;
      case kDetail:
        detail_.value = text;
        person_.Details.push_back(std::move(detail_));
        break;
      default: (person_.*kPersonFields[field].member) = text;
    }
  }

  void EndRecord(std::string_view text) {
    switch (section_) {
      case Section::kUser:
        if (userField_ >= 0) (user_.*kUserFields[static_cast<std::size_t>(userField_)].member) = text;
        break;
      case Section::kPersons: persons_.Add(std::move(person_)); break;
      case Section::kContacts:
        // One "now" for every contact whose date does not read, and only
        // when one is needed: asking the clock is not free.
        if (!dated_) {
          if (!loadTime_.IsValid()) loadTime_ = clock_();
          contact_.DateTime = loadTime_;
        }
        contacts_.Add(std::move(contact_));
        break;
      case Section::kContactTypes: contactTypes_.Add(std::move(contactType_)); break;
      case Section::kOther: break;
    }
    field_ = -1;
  }

  Clock clock_;
  std::size_t bytes_;
  int depth_ = 0;
  bool isDocument_ = false;
  Section section_ = Section::kOther;
  int field_ = -1;      // of a record's field element
  int userField_ = -1;  // of a field element in the user's section

  std::optional<int32_t> version_;
  User user_;
  std::optional<User> lastUser_;
  Person person_;
  PersonDetail detail_;
  Contact contact_;
  bool dated_ = false;
  bool followUpDone_ = false;
  ContactType contactType_;
  DateTimeValue loadTime_;

  ReadSection<Persons> persons_;
  ReadSection<Contacts> contacts_;
  ReadSection<ContactTypes> contactTypes_;
};

// A counter below an identifier in use would hand that identifier out again,
// and Insert would then drop the new record.
template <typename Records>
void RaiseLastID(Records& collection) {
  collection.LastID = std::max(collection.LastID, collection.HighestID());
}

LoadResult MapText(DocumentData& data, std::string_view text, Clock clock) {
  DocumentReader reader(clock, text.size());
  try {
    SimpleXMLParser().Parse(text, reader);
  } catch (const SimpleXMLParser::Exception& error) {
    return {LoadResult::Status::kParseError, error.line, false};
  }
  // Any other file of XML is no document: taking it for an empty one would
  // let a later Save overwrite it.
  if (!reader.IsDocument()) return {LoadResult::Status::kNotDocument, 0, false};
  reader.MoveInto(data);
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

LoadResult Load(DocumentData& data, const std::string& path, Clock clock) {
  std::optional<std::string> text = ReadFileText(path);
  if (!text) return {LoadResult::Status::kUnreadable, 0, false};
  data.Clear();
  return LoadDocumentText(data, std::move(*text), clock);
}

LoadResult LoadDocumentText(DocumentData& data, std::string text, Clock clock) {
  return WithinMemory(data, [&] {
    LoadResult result = MapText(data, text, clock);
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
