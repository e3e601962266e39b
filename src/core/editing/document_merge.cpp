#include "core/editing/document_merge.h"

#include <algorithm>
#include <limits>
#include <string>
#include <utility>

#include "core/records/date_time_text.h"
#include "core/records/field_tables.h"
#include "core/records/record_sameness.h"

namespace vimbo {
namespace {

bool Same(const CompactText& a, const CompactText& b) { return a.view() == b.view(); }
bool Same(const PartialDate& a, const PartialDate& b) { return a == b; }
bool Same(const std::vector<PersonDetail>& a, const std::vector<PersonDetail>& b) { return a == b; }
bool Same(int32_t a, int32_t b) { return a == b; }
bool Same(const DateTimeValue& a, const DateTimeValue& b) { return SameMoment(a, b); }
bool Same(const ContactFollowUp& a, const ContactFollowUp& b) { return SameFollowUp(a, b); }
template <typename Record>
bool Same(const Record& a, const Record& b) {
  return SameRecord(a, b);
}

std::string Text(const CompactText& value) { return value.str(); }
std::string Text(const PartialDate& value) { return value.Text(); }
std::string Text(const std::vector<PersonDetail>& value) { return DetailsText(value); }
std::string Text(int32_t value) { return std::to_string(value); }
std::string Text(const DateTimeValue& value) { return DocumentDateText(value); }
// A follow-up as its date, "(done)" after it once done; empty when unset.
std::string Text(const ContactFollowUp& value) {
  if (!value.IsSet()) return {};
  return DocumentDateText(value.When) + (value.Done ? " (done)" : "");
}

// Where the conflicts of one merge go, and which side wins them.
struct Report {
  MergeSide prefer;
  std::vector<MergeConflict>& conflicts;

  void Deleted(RecordKind kind, int32_t id) {
    conflicts.push_back({kind, id, std::string(kDeletedField), std::string(kChangedValue), std::string(kDeletedValue)});
  }
};

// The fields of one record that both sides kept, each joined on its own.
class FieldJoin {
 public:
  FieldJoin(Report& report, RecordKind kind, int32_t id) : report_(report), kind_(kind), id_(id) {}

  template <typename T>
  const T& Pick(std::string_view name, const T& base, const T& ours, const T& theirs) {
    if (Same(ours, theirs) || Same(theirs, base)) return ours;
    if (Same(ours, base)) return theirs;
    const bool oursWin = report_.prefer == MergeSide::kOurs;
    const T& kept = oursWin ? ours : theirs;
    report_.conflicts.push_back({kind_, id_, std::string(name), Text(kept), Text(oursWin ? theirs : ours)});
    return kept;
  }

 private:
  Report& report_;
  RecordKind kind_;
  int32_t id_;
};

User JoinFields(const User& base, const User& ours, const User& theirs, FieldJoin& join) {
  User user;
  for (const RecordField<User>& field : kUserFields)
    user.*field.member = join.Pick(field.fileName, base.*field.member, ours.*field.member, theirs.*field.member);
  return user;
}

Person JoinFields(const Person& base, const Person& ours, const Person& theirs, FieldJoin& join) {
  Person person;
  person.ID = ours.ID;
  for (const RecordField<Person>& field : kPersonFields)
    person.*field.member = join.Pick(field.fileName, base.*field.member, ours.*field.member, theirs.*field.member);
  person.Birthday = join.Pick("Birthday", base.Birthday, ours.Birthday, theirs.Birthday);
  person.Anniversary = join.Pick("Anniversary", base.Anniversary, ours.Anniversary, theirs.Anniversary);
  person.KeepInTouch = join.Pick("KeepInTouch", base.KeepInTouch, ours.KeepInTouch, theirs.KeepInTouch);
  person.Notes = join.Pick("Notes", base.Notes, ours.Notes, theirs.Notes);
  person.Details = join.Pick("Detail", base.Details, ours.Details, theirs.Details);
  return person;
}

Contact JoinFields(const Contact& base, const Contact& ours, const Contact& theirs, FieldJoin& join) {
  Contact contact;
  contact.ID = ours.ID;
  contact.PersonID = join.Pick("PersonID", base.PersonID, ours.PersonID, theirs.PersonID);
  contact.DateTime = join.Pick("DateTime", base.DateTime, ours.DateTime, theirs.DateTime);
  contact.Description = join.Pick("Description", base.Description, ours.Description, theirs.Description);
  contact.ContactTypeID = join.Pick("ContactTypeID", base.ContactTypeID, ours.ContactTypeID, theirs.ContactTypeID);
  contact.FollowUp = join.Pick("FollowUp", base.FollowUp, ours.FollowUp, theirs.FollowUp);
  return contact;
}

ContactType JoinFields(const ContactType& base, const ContactType& ours, const ContactType& theirs, FieldJoin& join) {
  ContactType type;
  type.ID = ours.ID;
  type.Description = join.Pick("Description", base.Description, ours.Description, theirs.Description);
  return type;
}

// Walks three ID-sorted collections together, once: `visit(id, base, ours,
// theirs)` for every ID any of them holds, in ascending order, with null for
// a side that lacks it.
template <typename Record, typename Index, typename Visit>
void JoinByID(const Collection<Record, Index>& base, const Collection<Record, Index>& ours,
              const Collection<Record, Index>& theirs, Visit visit) {
  auto b = base.begin();
  auto o = ours.begin();
  auto t = theirs.begin();
  while (b != base.end() || o != ours.end() || t != theirs.end()) {
    int32_t id = std::numeric_limits<int32_t>::max();
    if (b != base.end()) id = std::min(id, b->first);
    if (o != ours.end()) id = std::min(id, o->first);
    if (t != theirs.end()) id = std::min(id, t->first);
    const auto take = [id](auto& at, const auto& end) -> const Record* {
      if (at == end || at->first != id) return nullptr;
      return &(at++)->second;
    };
    const Record* inBase = take(b, base.end());
    const Record* inOurs = take(o, ours.end());
    const Record* inTheirs = take(t, theirs.end());
    visit(id, inBase, inOurs, inTheirs);
  }
}

// The joined records of one section, in ascending ID, and what became of
// the records that did not go straight into it.
template <typename Record>
struct SectionJoin {
  std::vector<std::pair<int32_t, Record>> entries;
  // Added on both sides and different: THEIRS' copies, for new IDs.
  std::vector<const Record*> renumbered;
  // Deleted on one side and unchanged on the other, as they were:
  // brought back when a contact still needs them.
  std::vector<std::pair<int32_t, const Record*>> restorable;
  // Deleted on one side and changed on the other, so kept.
  std::vector<int32_t> keptDeleted;
};

// The rules every record follows. THEIRS' record already names persons and
// types as the merge numbers them.
template <typename Record>
void JoinRecord(SectionJoin<Record>& join, Report& report, RecordKind kind, int32_t id, const Record* base,
                const Record* ours, const Record* theirs) {
  if (base && ours && theirs) {
    if (Same(*ours, *theirs) || Same(*theirs, *base)) {
      join.entries.emplace_back(id, *ours);
    } else if (Same(*ours, *base)) {
      join.entries.emplace_back(id, *theirs);
    } else {
      FieldJoin fields(report, kind, id);
      join.entries.emplace_back(id, JoinFields(*base, *ours, *theirs, fields));
    }
  } else if (base && (ours || theirs)) {
    const Record* kept = ours ? ours : theirs;
    if (Same(*kept, *base)) {
      join.restorable.emplace_back(id, base);
    } else {
      join.entries.emplace_back(id, *kept);
      join.keptDeleted.push_back(id);
      report.Deleted(kind, id);
    }
  } else if (!base) {
    // Added on one side or both; a record deleted on both sides is gone.
    if (ours) join.entries.emplace_back(id, *ours);
    if (theirs && !ours) join.entries.emplace_back(id, *theirs);
    if (theirs && ours && !Same(*ours, *theirs)) join.renumbered.push_back(theirs);
  }
}

// THEIRS' identifiers that changed in the merge, sorted by the old one.
using IdMap = std::vector<std::pair<int32_t, int32_t>>;

int32_t MapId(const IdMap& map, int32_t id) {
  if (map.empty()) return id;
  const auto at = std::lower_bound(map.begin(), map.end(), std::pair{id, std::numeric_limits<int32_t>::min()});
  return at != map.end() && at->first == id ? at->second : id;
}

bool Holds(const std::vector<std::pair<int32_t, const Person*>>& restorable, int32_t id) {
  return std::binary_search(restorable.begin(), restorable.end(), std::pair<int32_t, const Person*>{id, nullptr},
                            [](const auto& a, const auto& b) { return a.first < b.first; });
}

// Contact types: by ID, then THEIRS' new types by name among the merged
// ones, so one type is not listed twice. Returns THEIRS' changed IDs.
IdMap JoinContactTypes(const DocumentData& base, const DocumentData& ours, const DocumentData& theirs,
                       DocumentData& merged, Report& report,
                       std::vector<std::pair<int32_t, const ContactType*>>& restorable) {
  SectionJoin<ContactType> join;
  std::vector<const ContactType*> added;
  JoinByID(base.contactTypes, ours.contactTypes, theirs.contactTypes,
           [&](int32_t id, const ContactType* b, const ContactType* o, const ContactType* t) {
             if (!b && t) {
               added.push_back(t);
               t = nullptr;
             }
             JoinRecord(join, report, RecordKind::kContactType, id, b, o, t);
           });
  ContactTypes& types = merged.contactTypes;
  types.LastID = std::max({base.contactTypes.LastID, ours.contactTypes.LastID, theirs.contactTypes.LastID});
  types.Adopt(std::move(join.entries));
  restorable = std::move(join.restorable);
  IdMap map;
  for (const ContactType* type : added) {
    const ContactType* sameId = types.Find(type->ID);
    if (sameId && Same(*sameId, *type)) continue;
    const auto named = std::find_if(types.begin(), types.end(), [&](const auto& entry) {
      return Same(entry.second.Description, type->Description);
    });
    if (named != types.end()) {
      map.emplace_back(type->ID, named->first);
    } else if (sameId) {
      ContactType moved = *type;
      moved.ID = types.NextID();
      if (moved.ID == 0) continue;
      map.emplace_back(type->ID, moved.ID);
      types.Insert(std::move(moved));
    } else {
      types.Insert(*type);
    }
  }
  std::sort(map.begin(), map.end());
  return map;
}

// Persons by ID; THEIRS' added ones that meet OURS' under one ID move after
// the largest LastID. Returns THEIRS' changed IDs.
IdMap JoinPersons(const DocumentData& base, const DocumentData& ours, const DocumentData& theirs, DocumentData& merged,
                  Report& report, SectionJoin<Person>& persons) {
  JoinByID(base.persons, ours.persons, theirs.persons,
           [&](int32_t id, const Person* b, const Person* o, const Person* t) {
             JoinRecord(persons, report, RecordKind::kPerson, id, b, o, t);
           });
  merged.persons.LastID = std::max({base.persons.LastID, ours.persons.LastID, theirs.persons.LastID});
  merged.persons.Adopt(std::move(persons.entries));
  IdMap map;
  std::vector<Persons::Entry> moved;
  for (const Person* person : persons.renumbered) {
    Person copy = *person;
    copy.ID = merged.persons.NextID();
    if (copy.ID == 0) break;
    map.emplace_back(person->ID, copy.ID);
    moved.emplace_back(copy.ID, std::move(copy));
  }
  merged.persons.AppendMany(std::move(moved));
  return map;
}

// Contacts by ID, THEIRS' naming persons and types as the merge numbers
// them. Gives the contacts deleted on one side, for a person kept after all.
std::vector<std::pair<int32_t, const Contact*>> JoinContacts(const DocumentData& base, const DocumentData& ours,
                                                             const DocumentData& theirs, const IdMap& personMap,
                                                             const IdMap& typeMap, DocumentData& merged,
                                                             Report& report) {
  Contact scratch;
  const auto mapped = [&](const Contact* contact) -> const Contact* {
    if (!contact) return nullptr;
    const int32_t personId = MapId(personMap, contact->PersonID);
    const int32_t typeId = MapId(typeMap, contact->ContactTypeID);
    if (personId == contact->PersonID && typeId == contact->ContactTypeID) return contact;
    scratch = *contact;
    scratch.PersonID = personId;
    scratch.ContactTypeID = typeId;
    return &scratch;
  };
  SectionJoin<Contact> contacts;
  std::vector<Contact> mappedRenumbered;
  JoinByID(base.contacts, ours.contacts, theirs.contacts,
           [&](int32_t id, const Contact* b, const Contact* o, const Contact* t) {
             const std::size_t renumbered = contacts.renumbered.size();
             const Contact* theirsMapped = mapped(t);
             JoinRecord(contacts, report, RecordKind::kContact, id, b, o, theirsMapped);
             // The scratch copy is reused: a contact kept for later keeps its own.
             if (contacts.renumbered.size() > renumbered && theirsMapped == &scratch) {
               contacts.renumbered.back() = nullptr;
               mappedRenumbered.push_back(scratch);
             }
           });
  merged.contacts.LastID = std::max({base.contacts.LastID, ours.contacts.LastID, theirs.contacts.LastID});
  merged.contacts.Adopt(std::move(contacts.entries));
  std::vector<Contacts::Entry> moved;
  std::size_t nextMapped = 0;
  for (const Contact* contact : contacts.renumbered) {
    Contact copy = contact ? *contact : mappedRenumbered[nextMapped++];
    copy.ID = merged.contacts.NextID();
    if (copy.ID == 0) break;
    moved.emplace_back(copy.ID, std::move(copy));
  }
  merged.contacts.AppendMany(std::move(moved));
  return std::move(contacts.restorable);
}

// A person deleted on one side whose contact the merge keeps is kept too,
// and a person kept that one side deleted keeps every contact it had there.
void KeepPersonsOfContacts(SectionJoin<Person>& persons,
                           const std::vector<std::pair<int32_t, const Contact*>>& deletedContacts, DocumentData& merged,
                           Report& report) {
  std::vector<int32_t> restored;
  if (!persons.restorable.empty())
    for (const auto& [id, contact] : merged.contacts)
      if (Holds(persons.restorable, contact.PersonID)) restored.push_back(contact.PersonID);
  std::sort(restored.begin(), restored.end());
  restored.erase(std::unique(restored.begin(), restored.end()), restored.end());
  std::vector<const Person*> restoredPersons;
  for (const int32_t id : restored) {
    const auto at = std::lower_bound(persons.restorable.begin(), persons.restorable.end(),
                                     std::pair<int32_t, const Person*>{id, nullptr},
                                     [](const auto& a, const auto& b) { return a.first < b.first; });
    restoredPersons.push_back(at->second);
    report.Deleted(RecordKind::kPerson, id);
  }
  merged.persons.InsertMany(std::move(restoredPersons));

  std::vector<int32_t> kept = std::move(persons.keptDeleted);
  kept.insert(kept.end(), restored.begin(), restored.end());
  std::sort(kept.begin(), kept.end());
  std::vector<const Contact*> keptContacts;
  if (!kept.empty())
    for (const auto& [id, contact] : deletedContacts)
      if (std::binary_search(kept.begin(), kept.end(), contact->PersonID)) keptContacts.push_back(contact);
  merged.contacts.InsertMany(std::move(keptContacts));
}

// A contact type deleted on one side that a kept contact names is kept.
void KeepTypesOfContacts(const std::vector<std::pair<int32_t, const ContactType*>>& restorable, DocumentData& merged,
                         Report& report) {
  if (restorable.empty()) return;
  for (const auto& [id, contact] : merged.contacts) {
    const auto at = std::lower_bound(restorable.begin(), restorable.end(),
                                     std::pair<int32_t, const ContactType*>{contact.ContactTypeID, nullptr},
                                     [](const auto& a, const auto& b) { return a.first < b.first; });
    if (at != restorable.end() && at->first == contact.ContactTypeID && merged.contactTypes.Insert(*at->second))
      report.Deleted(RecordKind::kContactType, at->first);
  }
}

}  // namespace

MergeResult MergeDocuments(const DocumentData* basePointer, const DocumentData& ours, const DocumentData& theirs,
                           MergeSide prefer) {
  const DocumentData empty;
  const DocumentData& base = basePointer ? *basePointer : empty;
  MergeResult result;
  DocumentData& merged = result.document;
  Report report{prefer, result.conflicts};
  merged.version = std::max(ours.version, theirs.version);

  FieldJoin userFields(report, RecordKind::kUser, 0);
  merged.user = JoinFields(base.user, ours.user, theirs.user, userFields);

  std::vector<std::pair<int32_t, const ContactType*>> restorableTypes;
  const IdMap typeMap = JoinContactTypes(base, ours, theirs, merged, report, restorableTypes);
  SectionJoin<Person> persons;
  const IdMap personMap = JoinPersons(base, ours, theirs, merged, report, persons);
  const auto deletedContacts = JoinContacts(base, ours, theirs, personMap, typeMap, merged, report);
  KeepPersonsOfContacts(persons, deletedContacts, merged, report);
  KeepTypesOfContacts(restorableTypes, merged, report);

  std::stable_sort(result.conflicts.begin(), result.conflicts.end(),
                   [](const auto& a, const auto& b) { return a.kind != b.kind ? a.kind < b.kind : a.id < b.id; });
  return result;
}

}  // namespace vimbo
