#pragma once
// What the enabling of the commands depends on (the form's edit mode, its
// current person and contact, what the document holds, the print preview and
// the undo history), and the rules a command's row picks from.

#include <cstdint>

#include "ui/form/edit_mode.h"

namespace vimbo {

struct FormState {
  EditMode mode = EditMode::kBrowsing;
  int32_t currentPersonId = 0;
  int32_t currentContactId = 0;
  bool hasPersons = false;
  bool hasContacts = false;
};

struct CommandContext {
  FormState form;
  bool modified = false;
  // A report has been chosen and the document has a name or changes.
  bool printable = false;
  bool previewShown = false;
  int previewPage = 0;
  int previewPages = 0;
  bool canZoomIn = false;
  bool canZoomOut = false;
  bool canUndo = false;
  bool canRedo = false;
  // The document was opened read-only: it takes no change and no Save.
  bool readOnly = false;
};

namespace enabling {

bool Always(const CommandContext& context);
// Person > Add: only while browsing.
bool Browsing(const CommandContext& context);
bool BrowsingWithPerson(const CommandContext& context);
bool BrowsingWithContact(const CommandContext& context);
bool EditingPerson(const CommandContext& context);
bool EditingContact(const CommandContext& context);
bool HasPersons(const CommandContext& context);
bool HasContacts(const CommandContext& context);
bool Modified(const CommandContext& context);
bool Printable(const CommandContext& context);
bool Previewing(const CommandContext& context);
bool HasNextPage(const CommandContext& context);
bool HasPreviousPage(const CommandContext& context);
bool CanZoomIn(const CommandContext& context);
bool CanZoomOut(const CommandContext& context);
// Undo would fight with the text being typed in an edit, and would change
// the records under a previewed report; Find shows its results in the form,
// which an edit or the preview holds.
bool MayStep(const CommandContext& context);
bool CanUndo(const CommandContext& context);
bool CanRedo(const CommandContext& context);

// A command that changes the document: `Rule`, and never in a read-only one.
template <bool (*Rule)(const CommandContext&)>
bool Writable(const CommandContext& context) {
  return !context.readOnly && Rule(context);
}

}  // namespace enabling
}  // namespace vimbo
