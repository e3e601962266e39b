#include "ui/form/command_state.h"

namespace vimbo::enabling {

bool Always(const CommandContext&) { return true; }
bool Browsing(const CommandContext& c) { return c.form.mode == EditMode::kBrowsing; }
bool BrowsingWithPerson(const CommandContext& c) { return Browsing(c) && c.form.currentPersonId > 0; }
bool BrowsingWithContact(const CommandContext& c) { return Browsing(c) && c.form.currentContactId > 0; }
bool EditingPerson(const CommandContext& c) { return IsPersonMode(c.form.mode); }
bool EditingContact(const CommandContext& c) { return IsContactMode(c.form.mode); }
bool HasPersons(const CommandContext& c) { return c.form.hasPersons; }
bool HasContacts(const CommandContext& c) { return c.form.hasContacts; }
bool Modified(const CommandContext& c) { return c.modified; }
bool Printable(const CommandContext& c) { return c.printable; }
bool Previewing(const CommandContext& c) { return c.previewShown; }
bool HasNextPage(const CommandContext& c) { return c.previewShown && c.previewPage < c.previewPages - 1; }
bool HasPreviousPage(const CommandContext& c) { return c.previewShown && c.previewPage > 0; }
bool CanZoomIn(const CommandContext& c) { return c.previewShown && c.canZoomIn; }
bool CanZoomOut(const CommandContext& c) { return c.previewShown && c.canZoomOut; }
bool MayStep(const CommandContext& c) { return Browsing(c) && !c.previewShown; }
bool CanUndo(const CommandContext& c) { return MayStep(c) && c.canUndo; }
bool CanRedo(const CommandContext& c) { return MayStep(c) && c.canRedo; }

}  // namespace vimbo::enabling
