#pragma once
// One document's records and their undo history: every operation a user runs
// goes through here, so it is applied and kept for Undo in one place.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/editing/document_operations.h"
#include "core/editing/edit_history.h"
#include "core/records/document_data.h"

namespace vimbo {

class DocumentEditor {
 public:
  explicit DocumentEditor(std::size_t historyLimit = EditHistory::kDefaultLimit) : history_(historyLimit) {}

  const DocumentData& Data() const { return data_; }
  // For replacing the whole content (New, Open); the history starts anew.
  DocumentData& ContentToReplace() {
    history_.Clear();
    return data_;
  }

  OperationResult AddPerson(Person person) { return Keep(vimbo::AddPerson(data_, std::move(person))); }
  OperationResult UpdatePerson(Person person) { return Keep(vimbo::UpdatePerson(data_, std::move(person))); }
  OperationResult DeletePerson(int32_t id) { return Keep(vimbo::DeletePerson(data_, id)); }
  OperationResult AddContact(Contact contact) { return Keep(vimbo::AddContact(data_, std::move(contact))); }
  OperationResult UpdateContact(Contact contact) { return Keep(vimbo::UpdateContact(data_, std::move(contact))); }
  OperationResult DeleteContact(int32_t id) { return Keep(vimbo::DeleteContact(data_, id)); }
  OperationResult AddContactType(const std::string& name) { return Keep(vimbo::AddContactType(data_, name)); }
  OperationResult RenameContactType(int32_t id, const std::string& name) {
    return Keep(vimbo::RenameContactType(data_, id, name));
  }
  OperationResult DeleteContactType(int32_t id) { return Keep(vimbo::DeleteContactType(data_, id)); }
  OperationResult UpdateUser(User user) { return Keep(vimbo::UpdateUser(data_, std::move(user))); }
  OperationResult ImportPersons(std::vector<Person> persons) {
    return Keep(vimbo::ImportPersons(data_, std::move(persons)));
  }

  OperationResult ReplaceRecords(const DocumentData& target, const char* name) {
    return Keep(vimbo::ReplaceRecords(data_, target, name));
  }

  std::optional<DocumentChanges> Undo() { return history_.Undo(data_); }
  std::optional<DocumentChanges> Redo() { return history_.Redo(data_); }
  EditHistory& History() { return history_; }
  const EditHistory& History() const { return history_; }

 private:
  // The step moves into the history; the caller gets the rest.
  OperationResult Keep(OperationResult result) {
    if (result.Done()) history_.Record(std::move(result.step));
    result.step = {};
    return result;
  }

  DocumentData data_;
  EditHistory history_;
};

}  // namespace vimbo
