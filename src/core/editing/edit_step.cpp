#include "core/editing/edit_step.h"

#include <algorithm>

#include "core/records/field_tables.h"

namespace vimbo {
namespace {

std::size_t TextSize(const CompactText& text) { return text.HeapBytes(); }

template <typename Record, std::size_t N>
std::size_t FieldsSize(const Record& record, const RecordField<Record> (&fields)[N]) {
  std::size_t size = sizeof(Record);
  for (const RecordField<Record>& field : fields) size += TextSize(record.*field.member);
  return size;
}

std::size_t RecordSize(const Person& p) {
  std::size_t size = FieldsSize(p, kPersonFields) + TextSize(p.Notes) + p.Details.capacity() * sizeof(PersonDetail);
  for (const PersonDetail& detail : p.Details) size += detail.HeapBytes();
  return size;
}
std::size_t RecordSize(const User& u) { return FieldsSize(u, kUserFields); }

std::size_t RecordSize(const Contact& c) { return sizeof(Contact) + TextSize(c.Description); }
std::size_t RecordSize(const ContactType& t) { return sizeof(ContactType) + TextSize(t.Description); }

template <typename Record>
std::size_t ChangesSize(const std::vector<RecordChange<Record>>& changes) {
  std::size_t size = changes.capacity() * sizeof(RecordChange<Record>);
  for (const RecordChange<Record>& change : changes) {
    if (change.before) size += RecordSize(*change.before);
    if (change.after) size += RecordSize(*change.after);
  }
  return size;
}

// A step touches each record once, so its changes are independent of one
// another and go to the collection as one batch: replacements in place, then
// one pass for the removals and one for the additions. Deleting a person with
// thousands of contacts then moves the contacts once, not once per contact.
template <typename Records, typename Record>
void ApplyChanges(Records& collection, const std::vector<RecordChange<Record>>& changes, StepDirection direction) {
  std::vector<int32_t> removed;
  std::vector<const Record*> added;
  for (const RecordChange<Record>& change : changes) {
    const Record* target = (direction == StepDirection::kForward ? change.after : change.before).get();
    if (!target)
      removed.push_back(change.id);
    else if (!collection.Replace(*target))
      added.push_back(target);
  }
  if (!removed.empty()) collection.EraseMany(std::move(removed));
  if (!added.empty()) collection.InsertMany(std::move(added));
}

}  // namespace

std::size_t EditStep::MemorySize() const {
  std::size_t size =
      sizeof(EditStep) + TextSize(name) + ChangesSize(persons) + ChangesSize(contacts) + ChangesSize(contactTypes);
  if (userBefore) size += RecordSize(*userBefore);
  if (userAfter) size += RecordSize(*userAfter);
  return size;
}

void ApplyStep(DocumentData& data, const EditStep& step, StepDirection direction) {
  ApplyChanges(data.persons, step.persons, direction);
  ApplyChanges(data.contacts, step.contacts, direction);
  ApplyChanges(data.contactTypes, step.contactTypes, direction);
  const std::optional<User>& user = direction == StepDirection::kForward ? step.userAfter : step.userBefore;
  if (user) data.user = *user;
  data.persons.LastID = std::max(data.persons.LastID, step.personsLastID);
  data.contacts.LastID = std::max(data.contacts.LastID, step.contactsLastID);
  data.contactTypes.LastID = std::max(data.contactTypes.LastID, step.contactTypesLastID);
}

}  // namespace vimbo
