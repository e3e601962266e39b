#include "ui/shell/command_table.h"

#include <array>

#include "ui/form/main_view.h"
#include "ui/kit/accessible_names.h"
#include "ui/kit/command_ids.h"
#include "ui/shell/main_frame.h"

namespace vimbo {

using namespace command;
using namespace enabling;

namespace {

using M = MenuId;
using T = ToolbarId;
constexpr Place<ToolbarId> kNoButton{};
constexpr Place<MenuId> kNoItem{};

}  // namespace

std::span<const Submenu> Menus() {
  static constexpr std::array kMenus = {
      Submenu{M::kFile, "&File", {}},
      Submenu{M::kImport, "&Import", {M::kFile, 20}},
      Submenu{M::kExport, "&Export", {M::kFile, 21}},
      Submenu{M::kRecent, "Recent &Files", {M::kFile, 40}},
      Submenu{M::kEdit, "&Edit", {}},
      Submenu{M::kContact, "&Contact", {}},
      Submenu{M::kPerson, "&Person", {}},
      Submenu{M::kReports, "&Reports", {}},
      Submenu{M::kView, "&View", {}},
      Submenu{M::kHelp, "&Help", {}},
  };
  return kMenus;
}

// The handlers reach into the window; the table is its friend.
std::span<const CommandInfo> Commands() {
  using F = MainFrame;
  // Laid out by hand, two lines a row, so the table reads as one.
  // clang-format off
  static constexpr std::array kCommands = {
      CommandInfo{kNew, "&New", "Create a new document", "New", "Ctrl+N", {M::kFile, 10}, {T::kMain, 10},
                  "files.htm", Always, [](F& f) { f.FileNew(); }},
      CommandInfo{kOpen, "&Open...", "Open an existing document", "Open", "Ctrl+O", {M::kFile, 11}, {T::kMain, 20},
                  "files.htm", Always, [](F& f) { f.FileOpen(); }},
      CommandInfo{kSave, "&Save", "Save the active document", "Save", "Ctrl+S", {M::kFile, 12}, {T::kMain, 21},
                  "files.htm", Writable<Modified>, [](F& f) { f.FileSave(); }},
      CommandInfo{kSaveAs, "Save &As...", "Save the active document with a new name", "Save As", "", {M::kFile, 13},
                  kNoButton, "files.htm", Always, [](F& f) { f.FileSaveAs(); }},
      CommandInfo{kMerge, "&Merge...", "Join another copy of the document, edited elsewhere, into it", "Merge", "",
                  {M::kFile, 14}, kNoButton, "files.htm", Writable<Always>, [](F& f) { f.FileMerge(); }},
      CommandInfo{kImportPersons, "&Persons...", "Import persons information", "Import persons", "",
                  {M::kImport, 10}, kNoButton, "import.htm", Writable<Always>, [](F& f) { f.ImportTextFile(); }},
      CommandInfo{kImportVCard, "&vCard...", "Import persons from vCard address cards", "Import vCard", "",
                  {M::kImport, 11}, kNoButton, "vcard.htm", Writable<Always>, [](F& f) { f.ImportVCard(); }},
      CommandInfo{kExportPersons, "&Persons...", "Export persons information", "Export persons", "",
                  {M::kExport, 10}, kNoButton, "export.htm", HasPersons, [](F& f) { f.Export(kExportPersons); }},
      CommandInfo{kExportContacts, "&Contacts...", "Export contact information", "Export contacts", "",
                  {M::kExport, 11}, kNoButton, "export.htm", HasContacts, [](F& f) { f.Export(kExportContacts); }},
      CommandInfo{kExportVCard, "&vCard...", "Export persons as vCard address cards", "Export vCard", "",
                  {M::kExport, 12}, kNoButton, "vcard.htm", HasPersons, [](F& f) { f.ExportVCard(); }},
      CommandInfo{kPageSetup, "Page Set&up...", "Change the page setup options", "Page Setup", "", {M::kFile, 30},
                  {T::kPreview, 21}, "printing.htm", Always, [](F& f) { f.PageSetup(); }},
      CommandInfo{kPrintSetup, "P&rint Setup...", "Change the printer and printing options", "Print Setup", "",
                  {M::kFile, 31}, kNoButton, "printing.htm", Always, [](F& f) { f.printing_.PrintSetup(&f); }},
      CommandInfo{kPrint, "&Print", "Print the active document", "Print", "Ctrl+P", kNoItem, {T::kPreview, 20},
                  "printing.htm", Printable, [](F& f) { f.Print(); }},
      CommandInfo{kPrintPreview, "Print Pre&view", "Display full pages", "Print Preview", "", kNoItem, kNoButton,
                  "printing.htm", Printable, [](F& f) { f.TogglePreview(); }},
      CommandInfo{kRecentFirst, "(Empty)", "Open this file", "Open file", "", {M::kRecent, 10}, kNoButton,
                  "files.htm", Always, [](F& f) { f.FileRecent(kRecentFirst); }},
      CommandInfo{kExit, "E&xit", "Quit the application; prompts to save documents", "Exit", "Ctrl+Q",
                  {M::kFile, 50}, kNoButton, "files.htm", Always, [](F& f) { f.FileExit(); }},
      CommandInfo{kUndo, "&Undo", "Undo the last change", "Undo", "Ctrl+Z", {M::kEdit, 10}, kNoButton,
                  "mainform.htm", Writable<CanUndo>, [](F& f) { f.document_.Undo(); }},
      CommandInfo{kRedo, "&Redo", "Redo the change undone last", "Redo", "Ctrl+Shift+Z;Ctrl+Y", {M::kEdit, 11},
                  kNoButton, "mainform.htm", Writable<CanRedo>, [](F& f) { f.document_.Redo(); }},
      CommandInfo{kEditUser, "&User...", "Edit user information", "Edit user", "", {M::kEdit, 20}, kNoButton,
                  "userinfdlg.htm", Writable<Always>, [](F& f) { f.EditUser(); }},
      CommandInfo{kEditContactTypes, "&Contact Types...", "Edit the list of contact types", "Edit contact types", "",
                  {M::kEdit, 21}, kNoButton, "contacttypes.htm", Writable<Always>, [](F& f) { f.EditContactTypes(); }},
      CommandInfo{kContactAdd, "&Add", "Add a new contact", "Add contact", "", {M::kContact, 10}, {T::kMain, 40},
                  "contacts.htm", Writable<BrowsingWithPerson>, [](F& f) { f.view_->ContactAdd(); }, "Add Contact"},
      CommandInfo{kContactEdit, "&Edit", "Edit selected contact", "Edit contact", "", {M::kContact, 11},
                  {T::kMain, 42}, "contacts.htm", Writable<BrowsingWithContact>, [](F& f) { f.view_->ContactEdit(); },
                  "Edit Contact"},
      CommandInfo{kContactDelete, "&Delete", "Delete the selected contact", "Delete contact", "", {M::kContact, 12},
                  {T::kMain, 41}, "contacts.htm", Writable<BrowsingWithContact>, [](F& f) { f.view_->ContactDelete(); },
                  "Delete Contact"},
      CommandInfo{kContactUpdate, "&Update", "Update the selected contact", "Update contact", "", {M::kContact, 13},
                  {T::kMain, 43}, "contacts.htm", EditingContact, [](F& f) { f.view_->ContactUpdate(); },
                  "Update Contact"},
      CommandInfo{kContactCancel, "&Cancel", "Cancel changes", "Cancel changes", "", {M::kContact, 14},
                  {T::kMain, 44}, "contacts.htm", EditingContact, [](F& f) { f.view_->ContactCancel(); },
                  "Cancel Contact"},
      CommandInfo{kPersonAdd, "&Add", "Add a new person", "Add person", "", {M::kPerson, 10}, {T::kMain, 30},
                  "persons.htm", Writable<Browsing>, [](F& f) { f.view_->PersonAdd(); }, "Add Person"},
      CommandInfo{kPersonEdit, "&Edit", "Edit the selected person", "Edit person", "", {M::kPerson, 11},
                  {T::kMain, 32}, "persons.htm", Writable<BrowsingWithPerson>, [](F& f) { f.view_->PersonEdit(); },
                  "Edit Person"},
      CommandInfo{kPersonDelete, "&Delete", "Delete the selected person", "Delete person", "", {M::kPerson, 12},
                  {T::kMain, 31}, "persons.htm", Writable<BrowsingWithPerson>, [](F& f) { f.view_->PersonDelete(); },
                  "Delete Person"},
      CommandInfo{kPersonUpdate, "&Update", "Update the selected person", "Update person", "", {M::kPerson, 13},
                  {T::kMain, 33}, "persons.htm", EditingPerson, [](F& f) { f.view_->PersonUpdate(); },
                  "Update Person"},
      CommandInfo{kPersonCancel, "&Cancel", "Cancel changes", "Cancel changes", "", {M::kPerson, 14},
                  {T::kMain, 34}, "persons.htm", EditingPerson, [](F& f) { f.view_->PersonCancel(); },
                  "Cancel Person"},
      CommandInfo{kPersonFind, "&Find...", "Find persons and contacts by any word of theirs", "Find", "Ctrl+F",
                  {M::kPerson, 20}, kNoButton, "find.htm", MayStep, [](F& f) { f.view_->OpenFindBar(); }},
      CommandInfo{kReportAddressBook, "&Address Book...", "Print an address book of selected persons",
                  "Print addresses", "", {M::kReports, 10}, kNoButton, "addrrptdlg.htm", HasPersons,
                  [](F& f) { f.ChooseReport(kReportAddressBook); }},
      CommandInfo{kReportContacts, "&Contacts...", "Print a list of contacts with the selected person",
                  "Print contacts", "", {M::kReports, 11}, kNoButton, "cntrptdlg.htm", HasPersons,
                  [](F& f) { f.ChooseReport(kReportContacts); }},
      CommandInfo{kReportEnvelopes, "&Envelopes...", "Print envelopes for selected persons", "Print envelopes", "",
                  {M::kReports, 12}, kNoButton, "envrptdlg.htm", HasPersons,
                  [](F& f) { f.ChooseReport(kReportEnvelopes); }},
      CommandInfo{kReportActivity, "Ac&tivity...", "Print a chart of contacts per month and contact type",
                  "Print activity", "", {M::kReports, 13}, kNoButton, "actrptdlg.htm", HasPersons,
                  [](F& f) { f.ChooseReport(kReportActivity); }},
      CommandInfo{kReportFont, "&Font...", "Select the font to use on reports", "Report font", "", {M::kReports, 20},
                  kNoButton, "printing.htm", Always, [](F& f) { f.printing_.ChooseFont(&f); }},
      CommandInfo{kToday, "T&oday...", "Show the follow-ups, persons and birthdays that are due", "Today", "Ctrl+T",
                  {M::kView, 5}, kNoButton, "today.htm", Always, [](F& f) { f.ShowToday(); }},
      CommandInfo{kLastContacts, "&Last Contacts...", "List every person by their last contact", "Last Contacts", "",
                  {M::kView, 6}, kNoButton, "today.htm", HasPersons, [](F& f) { f.ShowLastContacts(); }},
      CommandInfo{kToolbar, "&Toolbar", "Show or hide the toolbar", "Toggle ToolBar", "", {M::kView, 10}, kNoButton,
                  "mainform.htm", Always, [](F& f) { f.ToggleToolbar(); }},
      CommandInfo{kStatusBar, "&Status Bar", "Show or hide the status bar", "Toggle StatusBar", "", {M::kView, 11},
                  kNoButton, "mainform.htm", Always, [](F& f) { f.ToggleStatusBar(); }},
      CommandInfo{kHelpTopics, "&Help Topics...", "Display help file", "Display help", "", {M::kHelp, 10},
                  kNoButton, "Introduction.htm", Always, [](F& f) { f.help_.ShowContents(&f); }},
      CommandInfo{kAbout, "&About Vimbo...", "Display program information, version number and copyright", "About",
                  "", {M::kHelp, 11}, kNoButton, "Introduction.htm", Always, [](F& f) { f.ShowAbout(); }},
      CommandInfo{kCheckForUpdate, "&Check For Update...", "Check for a newer version of Vimbo",
                  " Check for a newer version", "", {M::kHelp, 20}, kNoButton, "Introduction.htm", Always,
                  [](F& f) { f.CheckForUpdate(); }},
      CommandInfo{kHelpMode, "Help Mode", "Puts application in help mode", "Help mode", "", kNoItem, {T::kMain, 50},
                  "keyboard.htm", Always, [](F& f) { f.view_->EnterHelpMode(); }},
      CommandInfo{kClosePreview, "&Close", "Close Print Preview", "Close", "", kNoItem, {T::kPreview, 40},
                  "printing.htm", Previewing, [](F& f) { f.TogglePreview(); }, "Close Preview"},
      CommandInfo{kNextPage, "&Next Page", "View Next Page", "Next", "", kNoItem, {T::kPreview, 11}, "printing.htm",
                  HasNextPage, [](F& f) { f.ShowPreviewPage(f.printing_.PreviewPage() + 1); }},
      CommandInfo{kPreviousPage, "Pre&vious Page", "View PreviousPage", "Previous", "", kNoItem, {T::kPreview, 10},
                  "printing.htm", HasPreviousPage, [](F& f) { f.ShowPreviewPage(f.printing_.PreviewPage() - 1); }},
      CommandInfo{kZoomIn, "Zoom &In", "Zoom In", "Zoom In", "", kNoItem, {T::kPreview, 30}, "printing.htm",
                  CanZoomIn, [](F& f) { f.Zoom(true); }},
      CommandInfo{kZoomOut, "Zoom &Out", "Zoom Out", "Zoom Out", "", kNoItem, {T::kPreview, 31}, "printing.htm",
                  CanZoomOut, [](F& f) { f.Zoom(false); }},
  };
  // clang-format on
  return kCommands;
}

const CommandInfo* FindCommand(CommandId id) {
  for (const CommandInfo& info : Commands())
    if (info.id == id) return &info;
  return nullptr;
}

QStringList Shortcuts(const CommandInfo& info) {
  return QString::fromLatin1(info.shortcut).split(u';', Qt::SkipEmptyParts);
}

QString MenuText(const CommandInfo& info) {
  const QStringList keys = Shortcuts(info);
  QString text = QString::fromLatin1(info.menuText);
  return keys.isEmpty() ? text : text + u'\t' + keys.first();
}

QString SpokenName(const CommandInfo& info) {
  if (*info.spokenName != '\0') return QString::fromLatin1(info.spokenName);
  return SpokenText(QString::fromLatin1(info.menuText).remove(QStringLiteral("...")));
}

bool CommandEnabled(CommandId id, const CommandContext& context) {
  const CommandInfo* info = FindCommand(id);
  return info && info->enabled(context);
}

}  // namespace vimbo
