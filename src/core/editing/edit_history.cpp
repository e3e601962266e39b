#include "core/editing/edit_history.h"

#include <utility>

namespace vimbo {
namespace {

const std::string kNoName;

bool IsEmpty(const EditStep& step) {
  return step.persons.empty() && step.contacts.empty() && step.contactTypes.empty() && !step.userAfter;
}

}  // namespace

void EditHistory::Record(EditStep step) {
  if (IsEmpty(step)) return;
  for (const EditStep& undone : redo_) used_ -= undone.MemorySize();
  redo_.clear();
  // A saved point among the discarded redo steps can never be reached again.
  if (saved_ && *saved_ > position_) saved_.reset();
  used_ += step.MemorySize();
  undo_.push_back(std::move(step));
  ++position_;
  while (used_ > limit_ && undo_.size() > 1) DropOldest();
}

void EditHistory::DropOldest() {
  used_ -= undo_.front().MemorySize();
  undo_.pop_front();
  ++dropped_;
  if (saved_ && *saved_ < dropped_) saved_.reset();
}

const std::string& EditHistory::UndoName() const { return undo_.empty() ? kNoName : undo_.back().name; }

const std::string& EditHistory::RedoName() const { return redo_.empty() ? kNoName : redo_.back().name; }

std::optional<DocumentChanges> EditHistory::Undo(DocumentData& data) {
  if (undo_.empty()) return std::nullopt;
  EditStep step = std::move(undo_.back());
  undo_.pop_back();
  ApplyStep(data, step, StepDirection::kBackward);
  --position_;
  const DocumentChanges changes = step.changes;
  redo_.push_back(std::move(step));
  return changes;
}

std::optional<DocumentChanges> EditHistory::Redo(DocumentData& data) {
  if (redo_.empty()) return std::nullopt;
  EditStep step = std::move(redo_.back());
  redo_.pop_back();
  ApplyStep(data, step, StepDirection::kForward);
  ++position_;
  const DocumentChanges changes = step.changes;
  undo_.push_back(std::move(step));
  return changes;
}

void EditHistory::MarkSaved() { saved_ = position_; }

void EditHistory::Clear() {
  undo_.clear();
  redo_.clear();
  used_ = 0;
  position_ = 0;
  dropped_ = 0;
  saved_ = 0;
}

}  // namespace vimbo
