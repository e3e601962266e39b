#pragma once
// Which of the main form's commands are enabled, from the form's edit mode,
// its current person and contact, and what the document holds.

#include <cstdint>
#include <optional>

#include "ui/form/edit_mode.h"

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
std::optional<bool> FormCommandEnabled(int commandId, const FormState& state);

}  // namespace vimbo
