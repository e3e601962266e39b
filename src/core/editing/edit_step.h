#pragma once
// The exact difference one document operation made: every record it added,
// changed or removed, before and after, and the identifier counters after it.
// Doing, undoing and redoing an operation all apply such a step, so the
// records come back to the same bytes either way.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/records/document_data.h"

namespace vimbo {

// One record of one collection: absent before (added), absent after
// (removed), or present on both sides (changed). Each side is held apart, so
// the side a record lacks takes no room: an import of 100,000 persons keeps
// one copy of each, not room for two.
template <typename Record>
struct RecordChange {
  int32_t id = 0;
  std::unique_ptr<const Record> before;
  std::unique_ptr<const Record> after;

  static RecordChange Added(Record record) {
    const int32_t id = record.ID;
    return {id, nullptr, std::make_unique<const Record>(std::move(record))};
  }
  static RecordChange Removed(const Record& record) {
    return {record.ID, std::make_unique<const Record>(record), nullptr};
  }
  static RecordChange Changed(const Record& before, Record after) {
    return {before.ID, std::make_unique<const Record>(before), std::make_unique<const Record>(std::move(after))};
  }
};

// What an operation, an undo or a redo changed, so views refresh only what
// they show, and the person and contact it was about.
struct DocumentChanges {
  bool persons = false;
  bool contacts = false;
  bool contactTypes = false;
  bool user = false;
  int32_t personId = 0;
  int32_t contactId = 0;
};

struct EditStep {
  // The operation's name as the Edit menu shows it: "Delete Person".
  std::string name;
  std::vector<RecordChange<Person>> persons;
  std::vector<RecordChange<Contact>> contacts;
  std::vector<RecordChange<ContactType>> contactTypes;
  std::optional<User> userBefore;
  std::optional<User> userAfter;
  // The counters once the operation has run. Undoing never lowers a counter,
  // so an identifier, once handed out, is never handed out again.
  int32_t personsLastID = 0;
  int32_t contactsLastID = 0;
  int32_t contactTypesLastID = 0;
  DocumentChanges changes;

  // The bytes the step keeps alive, for bounding the undo history.
  std::size_t MemorySize() const;
};

enum class StepDirection { kForward, kBackward };

// Applies the step to the document: forward gives every touched record its
// `after` side, backward its `before` side. This is the one place where
// operations, undo and redo change a document's records.
void ApplyStep(DocumentData& data, const EditStep& step, StepDirection direction);

}  // namespace vimbo
