#pragma once
// The undo and redo history of one document. Unbounded in count, bounded in
// memory: when the kept steps outgrow the limit, the oldest go first. It
// also knows which point of the history was last saved or opened, so the
// modified flag can follow undo and redo.

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/editing/edit_step.h"

namespace vimbo {

class EditHistory {
 public:
  static constexpr std::size_t kDefaultLimit = 64u << 20;

  explicit EditHistory(std::size_t memoryLimit = kDefaultLimit) : limit_(memoryLimit) {}

  // A new step ends every redo; the steps of an empty change are not kept.
  void Record(EditStep step);

  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  // The name of the step Undo or Redo would apply; empty when there is none.
  const std::string& UndoName() const;
  const std::string& RedoName() const;

  // Apply the latest step backward, or the latest undone step forward, and
  // tell what changed; nothing when there is no such step.
  std::optional<DocumentChanges> Undo(DocumentData& data);
  std::optional<DocumentChanges> Redo(DocumentData& data);

  // The document now matches its file (saved or opened).
  void MarkSaved();
  // The document matches no file (for example, its version was upgraded on
  // loading): no undo brings back an unmodified state.
  void ForgetSaved() { saved_.reset(); }
  // Whether the document is at the point last marked saved.
  bool AtSavedPoint() const { return saved_ && *saved_ == position_; }

  // A new, opened or replaced document starts an empty history.
  void Clear();

  std::size_t MemoryUsed() const { return used_; }

 private:
  void DropOldest();

  std::size_t limit_;
  std::size_t used_ = 0;
  std::deque<EditStep> undo_;
  std::vector<EditStep> redo_;
  // Steps are counted from the start of the history: position_ is the number
  // of steps applied, saved_ the position last saved (if still reachable).
  long long position_ = 0;
  long long dropped_ = 0;
  std::optional<long long> saved_ = 0;
};

}  // namespace vimbo
