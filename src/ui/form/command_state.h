#pragma once
// Which of the main form's commands are enabled, from the form's edit mode,
// its current person and contact, and what the document holds.

#include <cstdint>
#include <optional>

#include "ui/form/edit_mode.h"
#include "ui/kit/command_ids.h"

namespace vimbo {

struct FormState {
  EditMode mode = EditMode::Browsing;
  int32_t currentPersonId = 0;
  int32_t currentContactId = 0;
  bool hasPersons = false;
  bool hasContacts = false;
};

// The enabled state of a Person, Contact, Edit, Reports or Export command;
// nothing for any other command.
std::optional<bool> FormCommandEnabled(CommandId commandId, const FormState& state);

// Everything the enabling of every command depends on: the form, the
// document, the print preview and the undo history.
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
};

// The one enabling table of the program's commands; false for an id it
// does not know.
bool CommandEnabled(CommandId commandId, const CommandContext& context);

}  // namespace vimbo
