#include "ui/form/command_state.h"

#include "ui/kit/command_ids.h"

namespace vimbo {

std::optional<bool> FormCommandEnabled(int commandId, const FormState& state) {
  using namespace command;
  const bool personMode = state.mode == EditMode::AddingPerson || state.mode == EditMode::EditingPerson;
  const bool contactMode = state.mode == EditMode::AddingContact || state.mode == EditMode::EditingContact;
  const bool browsing = !personMode && !contactMode;
  const bool person = state.currentPersonId > 0;
  const bool contact = state.currentContactId > 0;

  switch (commandId) {
    case kPersonAdd: return browsing;
    case kPersonEdit:
    case kPersonDelete: return browsing && person;
    case kPersonUpdate:
    case kPersonCancel: return personMode;
    case kContactAdd: return browsing && person;
    case kContactEdit:
    case kContactDelete: return browsing && contact;
    case kContactUpdate:
    case kContactCancel: return contactMode;
    case kReportAddressBook:
    case kReportContacts:
    case kReportEnvelopes:
    case kExportPersons: return state.hasPersons;
    case kExportContacts: return state.hasContacts;
    case kEditUser:
    case kEditContactTypes:
    case kImportPersons: return true;
    default: return std::nullopt;
  }
}

}  // namespace vimbo
