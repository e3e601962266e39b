#pragma once
// What the main form is doing, and what each control allows while it does.
// The form applies LocksFor whenever its mode changes, so no control's state
// is set by hand for a mode.

namespace vimbo {

// Browsing, or adding or editing one person or one contact.
enum class EditMode { kBrowsing, kAddingPerson, kEditingPerson, kAddingContact, kEditingContact };

constexpr bool IsPersonMode(EditMode mode) {
  return mode == EditMode::kAddingPerson || mode == EditMode::kEditingPerson;
}
constexpr bool IsContactMode(EditMode mode) {
  return mode == EditMode::kAddingContact || mode == EditMode::kEditingContact;
}

struct FormLocks {
  bool personBoxesWritable = false;
  bool notesWritable = false;
  // The date and time pickers and the contact type selector.
  bool contactFieldsEnabled = false;
  // The person selector and the contacts list: another person or contact
  // may not be picked while a contact is being written.
  bool pickingEnabled = true;
};

// A person is edited in the person boxes, with the contact panel locked; a
// contact in the contact panel, with the person boxes locked and the person
// and contact fixed.
constexpr FormLocks LocksFor(EditMode mode) {
  if (IsPersonMode(mode)) return {true, false, false, true};
  if (IsContactMode(mode)) return {false, true, true, false};
  return {false, false, false, true};
}

}  // namespace vimbo
