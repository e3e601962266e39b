#pragma once
// Which person and which contact the form shows after a change: the rules
// alone, without a widget, so one table says what follows an add, an
// update, a delete, an undo or redo, and a new content.

#include <cstdint>
#include <functional>

namespace vimbo {

// What happened to the document, as the form's choice of records sees it.
enum class FormChange {
  // The lists were refilled around the records shown: a new content, an
  // import, the contact types editor, an edit of the owner's details.
  kRefill,
  // The form stored the person or contact it was adding or editing.
  kStored,
  // The form deleted the current person, or the current contact.
  kPersonDeleted,
  kContactDeleted,
  // An undo or redo: it shows the person and contact it was about.
  kStep,
  // The file was changed by another program and read again: the records
  // shown stay shown where they still are.
  kReloaded,
};

// A list as the rules read it: its length, and its rows by record id.
struct ListRows {
  int count = 0;
  std::function<int(int32_t id)> rowOf;  // -1 for an id not listed
  std::function<int32_t(int row)> idAt;
};

// One current record: its row in its list (-1 for none) and its id (0).
struct CurrentRecord {
  int row = -1;
  int32_t id = 0;
  bool operator==(const CurrentRecord&) const = default;
};

// The current person once the person list holds `rows`. `before` is the
// current person before the change, `stepPerson` the person an undo, a redo
// or a stored edit was about, and `editing` whether an edit is still under
// way (a refill then keeps the person being edited).
CurrentRecord PersonAfter(FormChange change, CurrentRecord before, int32_t stepPerson, const ListRows& rows,
                          bool editing);

// The current contact once the current person's contacts list holds
// `rows`, with the same meanings; `editing` is whether a contact is being
// added or edited, whose panel holds the user's typing.
CurrentRecord ContactAfter(FormChange change, CurrentRecord before, int32_t stepContact, const ListRows& rows,
                           bool editing);

}  // namespace vimbo
