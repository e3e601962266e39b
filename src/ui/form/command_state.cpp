#include "ui/form/command_state.h"

#include "ui/kit/command_ids.h"

namespace vimbo {

std::optional<bool> FormCommandEnabled(CommandId commandId, const FormState& state) {
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
    case kExportPersons:
    case kExportVCard: return state.hasPersons;
    case kExportContacts: return state.hasContacts;
    case kEditUser:
    case kEditContactTypes:
    case kImportPersons:
    case kImportVCard: return true;
    default: return std::nullopt;
  }
}

bool CommandEnabled(CommandId commandId, const CommandContext& context) {
  using namespace command;
  if (const std::optional<bool> enabled = FormCommandEnabled(commandId, context.form)) return *enabled;
  // Undo would fight with the text being typed in an edit, and would change
  // the records under a previewed report.
  const bool mayStep = context.form.mode == EditMode::Browsing && !context.previewShown;
  switch (commandId) {
    case kSave: return context.modified;
    case kPrint:
    case kPrintPreview: return context.printable;
    case kClosePreview: return context.previewShown;
    case kNextPage: return context.previewShown && context.previewPage < context.previewPages - 1;
    case kPreviousPage: return context.previewShown && context.previewPage > 0;
    case kZoomIn: return context.previewShown && context.canZoomIn;
    case kZoomOut: return context.previewShown && context.canZoomOut;
    case kUndo: return mayStep && context.canUndo;
    // Find shows its results in the form, which an edit or the preview holds.
    case kPersonFind: return mayStep;
    case kRedo: return mayStep && context.canRedo;
    case kPageSetup:
    case kPrintSetup:
    case kReportFont:
    case kNew:
    case kOpen:
    case kSaveAs:
    case kExit:
    case kToolbar:
    case kStatusBar:
    case kHelpTopics:
    case kAbout:
    case kCheckForUpdate:
    case kHelpMode: return true;
    default: return false;
  }
}

}  // namespace vimbo
