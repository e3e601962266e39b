#pragma once
// Every change a user can make to a document, as one operation each. An
// operation checks what the rules refuse, takes new identifiers from the
// collections' counters itself, and changes the records only through the
// step it returns, which the undo history keeps.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/editing/edit_step.h"
#include "core/records/document_data.h"

namespace vimbo {

enum class OperationStatus {
  kDone,
  // The collection's counter is spent: no identifier is left to give.
  kNoIdentifiers,
  // The record to change or delete, or the person a contact belongs to, is
  // not in the document.
  kNotFound,
  // A contact still uses the contact type.
  kTypeInUse,
  // Another contact type already has that name.
  kDuplicateName,
};

struct OperationResult {
  OperationStatus status = OperationStatus::kDone;
  // What the operation changed, for the views.
  DocumentChanges changes;
  // The step that was applied, for the undo history; empty unless the status
  // is kDone, and once the history has taken it.
  EditStep step;
  // The identifier of the record added or changed.
  int32_t id = 0;
  // For an import, the number of persons added.
  int count = 0;

  bool Done() const { return status == OperationStatus::kDone; }
};

// The person gets the next identifier; the one passed in is ignored.
OperationResult AddPerson(DocumentData& data, Person person);
OperationResult UpdatePerson(DocumentData& data, Person person);
// Removes the person and every contact with them.
OperationResult DeletePerson(DocumentData& data, int32_t personId);

// The contact gets the next identifier; its person must exist.
OperationResult AddContact(DocumentData& data, Contact contact);
OperationResult UpdateContact(DocumentData& data, Contact contact);
OperationResult DeleteContact(DocumentData& data, int32_t contactId);

OperationResult AddContactType(DocumentData& data, const std::string& description);
OperationResult RenameContactType(DocumentData& data, int32_t contactTypeId, const std::string& description);
OperationResult DeleteContactType(DocumentData& data, int32_t contactTypeId);

OperationResult UpdateUser(DocumentData& data, User user);

// Adds the persons in order, each under the next identifier, until the
// counter is spent; one step for the whole file. The result's count is
// the number added.
OperationResult ImportPersons(DocumentData& data, std::vector<Person> persons);
// The same import for a caller that keeps no undo history (vimbo-cli): no
// step is made, and the persons move into the document instead of being
// copied for one (as collection entries, which a document without persons
// takes over whole). Returns the number added.
int ImportPersonsWithoutUndo(DocumentData& data, std::vector<Persons::Entry> persons);

// Makes the document's records, owner's details and counters those of
// `target` (counters never go down), as one step named `name` that holds
// only the records that differ: a merge into the open document is one
// operation, undone at once.
OperationResult ReplaceRecords(DocumentData& data, const DocumentData& target, const char* name);

// Whether a contact type, other than the one `exceptId` names, is named
// exactly `description`.
bool ContactTypeNameTaken(const DocumentData& data, const std::string& description, std::optional<int32_t> exceptId);

}  // namespace vimbo
