#include "ui/shell/command_table.h"

#include <array>

#include "ui/kit/accessible_names.h"
#include "ui/kit/command_ids.h"

namespace vimbo {
namespace {

using namespace command;

constexpr std::array kCommands = {
    CommandInfo{kNew, "&New\tCtrl+N", "Create a new document", "New", "Ctrl+N"},
    CommandInfo{kOpen, "&Open...\tCtrl+O", "Open an existing document", "Open", "Ctrl+O"},
    CommandInfo{kSave, "&Save\tCtrl+S", "Save the active document", "Save", "Ctrl+S"},
    CommandInfo{kSaveAs, "Save &As...", "Save the active document with a new name", "Save As", ""},
    CommandInfo{kImportPersons, "&Persons...", "Import persons information", "Import persons", ""},
    CommandInfo{kExportPersons, "&Persons...", "Export persons information", "Export persons", ""},
    CommandInfo{kExportContacts, "&Contacts...", "Export contact information", "Export contacts", ""},
    CommandInfo{kImportVCard, "&vCard...", "Import persons from vCard address cards", "Import vCard", ""},
    CommandInfo{kExportVCard, "&vCard...", "Export persons as vCard address cards", "Export vCard", ""},
    CommandInfo{kPageSetup, "Page Set&up...", "Change the page setup options", "Page Setup", ""},
    CommandInfo{kPrintSetup, "P&rint Setup...", "Change the printer and printing options", "Print Setup", ""},
    CommandInfo{kPrint, "&Print\tCtrl+P", "Print the active document", "Print", "Ctrl+P"},
    CommandInfo{kPrintPreview, "Print Pre&view", "Display full pages", "Print Preview", ""},
    CommandInfo{kRecentFirst, "(Empty)", "Open this file", "Open file", ""},
    CommandInfo{kExit, "E&xit\tCtrl+Q", "Quit the application; prompts to save documents", "Exit", "Ctrl+Q"},
    CommandInfo{kUndo, "&Undo\tCtrl+Z", "Undo the last change", "Undo", "Ctrl+Z"},
    CommandInfo{kRedo, "&Redo\tCtrl+Shift+Z", "Redo the change undone last", "Redo", "Ctrl+Shift+Z;Ctrl+Y"},
    CommandInfo{kEditUser, "&User...", "Edit user information", "Edit user", ""},
    CommandInfo{kEditContactTypes, "&Contact Types...", "Edit the list of contact types", "Edit contact types", ""},
    CommandInfo{kContactAdd, "&Add", "Add a new contact", "Add contact", "", "Add Contact"},
    CommandInfo{kContactEdit, "&Edit", "Edit selected contact", "Edit contact", "", "Edit Contact"},
    CommandInfo{kContactDelete, "&Delete", "Delete the selected contact", "Delete contact", "", "Delete Contact"},
    CommandInfo{kContactUpdate, "&Update", "Update the selected contact", "Update contact", "", "Update Contact"},
    CommandInfo{kContactCancel, "&Cancel", "Cancel changes", "Cancel changes", "", "Cancel Contact"},
    CommandInfo{kPersonAdd, "&Add", "Add a new person", "Add person", "", "Add Person"},
    CommandInfo{kPersonEdit, "&Edit", "Edit the selected person", "Edit person", "", "Edit Person"},
    CommandInfo{kPersonDelete, "&Delete", "Delete the selected person", "Delete person", "", "Delete Person"},
    CommandInfo{kPersonUpdate, "&Update", "Update the selected person", "Update person", "", "Update Person"},
    CommandInfo{kPersonCancel, "&Cancel", "Cancel changes", "Cancel changes", "", "Cancel Person"},
    CommandInfo{kPersonFind, "&Find...\tCtrl+F", "Find persons and contacts by any word of theirs", "Find", "Ctrl+F"},
    CommandInfo{kReportAddressBook, "&Address Book...", "Print an address book of selected persons", "Print addresses",
                ""},
    CommandInfo{kReportContacts, "&Contacts...", "Print a list of contacts with the selected person", "Print contacts",
                ""},
    CommandInfo{kReportEnvelopes, "&Envelopes...", "Print envelopes for selected persons", "Print envelopes", ""},
    CommandInfo{kReportFont, "&Font...", "Select the font to use on reports", "Report font", ""},
    CommandInfo{kToolbar, "&Toolbar", "Show or hide the toolbar", "Toggle ToolBar", ""},
    CommandInfo{kStatusBar, "&Status Bar", "Show or hide the status bar", "Toggle StatusBar", ""},
    CommandInfo{kHelpTopics, "&Help Topics...", "Display help file", "Display help", ""},
    CommandInfo{kAbout, "&About Vimbo...", "Display program information, version number and copyright", "About", ""},
    CommandInfo{kCheckForUpdate, "&Check For Update...", "Check for a newer version of Vimbo",
                " Check for a newer version", ""},
    CommandInfo{kHelpMode, "Help Mode", "Puts application in help mode", "Help mode", ""},
    CommandInfo{kClosePreview, "&Close", "Close Print Preview", "Close", "", "Close Preview"},
    CommandInfo{kNextPage, "&Next Page", "View Next Page", "Next", ""},
    CommandInfo{kPreviousPage, "Pre&vious Page", "View PreviousPage", "Previous", ""},
    CommandInfo{kZoomIn, "Zoom &In", "Zoom In", "Zoom In", ""},
    CommandInfo{kZoomOut, "Zoom &Out", "Zoom Out", "Zoom Out", ""},
};

}  // namespace

std::span<const CommandInfo> Commands() { return kCommands; }

const CommandInfo* FindCommand(CommandId id) {
  for (const CommandInfo& info : kCommands)
    if (info.id == id) return &info;
  return nullptr;
}

QString SpokenName(const CommandInfo& info) {
  if (*info.spokenName != '\0') return QString::fromLatin1(info.spokenName);
  return SpokenText(QString::fromLatin1(info.menuText).section(u'\t', 0, 0).remove(QStringLiteral("...")));
}

}  // namespace vimbo
