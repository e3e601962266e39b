#include "core/editing/document_operations.h"

#include <algorithm>
#include <utility>

#include "core/records/record_sameness.h"

namespace vimbo {
namespace {

OperationResult Refused(OperationStatus status) {
  OperationResult result;
  result.status = status;
  return result;
}

EditStep NewStep(const DocumentData& data, const char* name) {
  EditStep step;
  step.name = name;
  step.personsLastID = data.persons.LastID;
  step.contactsLastID = data.contacts.LastID;
  step.contactTypesLastID = data.contactTypes.LastID;
  return step;
}

OperationResult Apply(DocumentData& data, EditStep step, int32_t id) {
  ApplyStep(data, step, StepDirection::kForward);
  OperationResult result;
  result.changes = step.changes;
  result.step = std::move(step);
  result.id = id;
  return result;
}

// Gives the persons the next identifiers in order; once every identifier
// has been handed out, the rest are left out.
template <typename Item>
void NumberImported(DocumentData& data, std::vector<Item>& persons, int32_t& (*idOf)(Item&)) {
  std::size_t numbered = 0;
  for (; numbered < persons.size(); ++numbered) {
    idOf(persons[numbered]) = data.persons.NextID();
    if (idOf(persons[numbered]) == 0) break;
  }
  persons.erase(persons.begin() + static_cast<std::ptrdiff_t>(numbered), persons.end());
}

int32_t& IdOf(Person& person) { return person.ID; }

// The changes that turn `now` into `target`, in one walk of both, which are
// ordered by ID.
template <typename Records, typename Record>
void Differences(const Records& now, const Records& target, std::vector<RecordChange<Record>>& changes) {
  auto at = now.begin();
  auto to = target.begin();
  while (at != now.end() || to != target.end()) {
    if (to == target.end() || (at != now.end() && at->first < to->first)) {
      changes.push_back(RecordChange<Record>::Removed(at++->second));
    } else if (at == now.end() || to->first < at->first) {
      changes.push_back(RecordChange<Record>::Added(to++->second));
    } else {
      if (!SameRecord(at->second, to->second)) changes.push_back(RecordChange<Record>::Changed(at->second, to->second));
      ++at;
      ++to;
    }
  }
}

}  // namespace

OperationResult AddPerson(DocumentData& data, Person person) {
  EditStep step = NewStep(data, "Add Person");
  person.ID = data.persons.NextID();
  if (person.ID == 0) return Refused(OperationStatus::kNoIdentifiers);
  step.personsLastID = data.persons.LastID;
  step.changes = {.persons = true, .personId = person.ID};
  const int32_t id = person.ID;
  step.persons.push_back(RecordChange<Person>::Added(std::move(person)));
  return Apply(data, std::move(step), id);
}

OperationResult UpdatePerson(DocumentData& data, Person person) {
  const Person* stored = person.ID > 0 ? data.persons.Find(person.ID) : nullptr;
  if (!stored) return Refused(OperationStatus::kNotFound);
  EditStep step = NewStep(data, "Update Person");
  step.changes = {.persons = true, .personId = person.ID};
  const int32_t id = person.ID;
  step.persons.push_back(RecordChange<Person>::Changed(*stored, std::move(person)));
  return Apply(data, std::move(step), id);
}

OperationResult DeletePerson(DocumentData& data, int32_t personId) {
  const Person* person = personId > 0 ? data.persons.Find(personId) : nullptr;
  if (!person) return Refused(OperationStatus::kNotFound);
  EditStep step = NewStep(data, "Delete Person");
  step.changes = {.persons = true, .contacts = true, .personId = personId};
  step.persons.push_back(RecordChange<Person>::Removed(*person));
  const auto contactIds = data.contacts.GetIndex().ContactIdsOf(personId);
  step.contacts.reserve(contactIds.size());
  for (int32_t id : contactIds) step.contacts.push_back(RecordChange<Contact>::Removed(*data.contacts.Find(id)));
  return Apply(data, std::move(step), personId);
}

OperationResult AddContact(DocumentData& data, Contact contact) {
  if (contact.PersonID <= 0 || !data.persons.Find(contact.PersonID)) return Refused(OperationStatus::kNotFound);
  EditStep step = NewStep(data, "Add Contact");
  contact.ID = data.contacts.NextID();
  if (contact.ID == 0) return Refused(OperationStatus::kNoIdentifiers);
  step.contactsLastID = data.contacts.LastID;
  step.changes = {.contacts = true, .personId = contact.PersonID, .contactId = contact.ID};
  const int32_t id = contact.ID;
  step.contacts.push_back(RecordChange<Contact>::Added(std::move(contact)));
  return Apply(data, std::move(step), id);
}

OperationResult UpdateContact(DocumentData& data, Contact contact) {
  const Contact* stored = contact.ID > 0 ? data.contacts.Find(contact.ID) : nullptr;
  if (!stored) return Refused(OperationStatus::kNotFound);
  EditStep step = NewStep(data, "Update Contact");
  step.changes = {.contacts = true, .personId = contact.PersonID, .contactId = contact.ID};
  const int32_t id = contact.ID;
  step.contacts.push_back(RecordChange<Contact>::Changed(*stored, std::move(contact)));
  return Apply(data, std::move(step), id);
}

OperationResult DeleteContact(DocumentData& data, int32_t contactId) {
  const Contact* contact = contactId > 0 ? data.contacts.Find(contactId) : nullptr;
  if (!contact) return Refused(OperationStatus::kNotFound);
  EditStep step = NewStep(data, "Delete Contact");
  step.changes = {.contacts = true, .personId = contact->PersonID, .contactId = contactId};
  step.contacts.push_back(RecordChange<Contact>::Removed(*contact));
  return Apply(data, std::move(step), contactId);
}

bool ContactTypeNameTaken(const DocumentData& data, const std::string& description, std::optional<int32_t> exceptId) {
  for (const auto& [id, type] : data.contactTypes)
    if (id != exceptId && type.Description == description) return true;
  return false;
}

OperationResult AddContactType(DocumentData& data, const std::string& description) {
  if (ContactTypeNameTaken(data, description, std::nullopt)) return Refused(OperationStatus::kDuplicateName);
  EditStep step = NewStep(data, "Add Contact Type");
  const int32_t id = data.contactTypes.NextID();
  if (id == 0) return Refused(OperationStatus::kNoIdentifiers);
  step.contactTypesLastID = data.contactTypes.LastID;
  step.changes = {.contactTypes = true};
  step.contactTypes.push_back(RecordChange<ContactType>::Added(ContactType{id, description}));
  return Apply(data, std::move(step), id);
}

OperationResult RenameContactType(DocumentData& data, int32_t contactTypeId, const std::string& description) {
  const ContactType* stored = contactTypeId > 0 ? data.contactTypes.Find(contactTypeId) : nullptr;
  if (!stored) return Refused(OperationStatus::kNotFound);
  if (ContactTypeNameTaken(data, description, contactTypeId)) return Refused(OperationStatus::kDuplicateName);
  EditStep step = NewStep(data, "Rename Contact Type");
  // The contacts list shows type names, so it changes with them.
  step.changes = {.contacts = true, .contactTypes = true};
  step.contactTypes.push_back(RecordChange<ContactType>::Changed(*stored, ContactType{contactTypeId, description}));
  return Apply(data, std::move(step), contactTypeId);
}

OperationResult DeleteContactType(DocumentData& data, int32_t contactTypeId) {
  const ContactType* type = contactTypeId > 0 ? data.contactTypes.Find(contactTypeId) : nullptr;
  if (!type) return Refused(OperationStatus::kNotFound);
  for (const auto& [id, contact] : data.contacts)
    if (contact.ContactTypeID == contactTypeId) return Refused(OperationStatus::kTypeInUse);
  EditStep step = NewStep(data, "Delete Contact Type");
  step.changes = {.contactTypes = true};
  step.contactTypes.push_back(RecordChange<ContactType>::Removed(*type));
  return Apply(data, std::move(step), contactTypeId);
}

OperationResult UpdateUser(DocumentData& data, User user) {
  EditStep step = NewStep(data, "Update User");
  step.changes = {.user = true};
  step.userBefore = data.user;
  step.userAfter = std::move(user);
  return Apply(data, std::move(step), 0);
}

OperationResult ImportPersons(DocumentData& data, std::vector<Person> persons) {
  EditStep step = NewStep(data, "Import");
  NumberImported(data, persons, &IdOf);
  step.persons.reserve(persons.size());
  for (Person& person : persons) step.persons.push_back(RecordChange<Person>::Added(std::move(person)));
  step.personsLastID = data.persons.LastID;
  step.changes = {.persons = true};
  const auto added = static_cast<int>(step.persons.size());
  OperationResult result = Apply(data, std::move(step), 0);
  result.count = added;
  return result;
}

OperationResult ReplaceRecords(DocumentData& data, const DocumentData& target, const char* name) {
  EditStep step = NewStep(data, name);
  Differences(data.persons, target.persons, step.persons);
  Differences(data.contacts, target.contacts, step.contacts);
  Differences(data.contactTypes, target.contactTypes, step.contactTypes);
  if (!SameRecord(data.user, target.user)) {
    step.userBefore = data.user;
    step.userAfter = target.user;
  }
  step.personsLastID = std::max(data.persons.LastID, target.persons.LastID);
  step.contactsLastID = std::max(data.contacts.LastID, target.contacts.LastID);
  step.contactTypesLastID = std::max(data.contactTypes.LastID, target.contactTypes.LastID);
  step.changes = {.persons = !step.persons.empty(),
                  .contacts = !step.contacts.empty(),
                  .contactTypes = !step.contactTypes.empty(),
                  .user = step.userAfter.has_value()};
  return Apply(data, std::move(step), 0);
}

int ImportPersonsWithoutUndo(DocumentData& data, std::vector<Persons::Entry> persons) {
  NumberImported<Persons::Entry>(data, persons, [](Persons::Entry& entry) -> int32_t& { return entry.second.ID; });
  for (Persons::Entry& entry : persons) entry.first = entry.second.ID;
  const auto added = static_cast<int>(persons.size());
  data.persons.AppendMany(std::move(persons));
  return added;
}

}  // namespace vimbo
