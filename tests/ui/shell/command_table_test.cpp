#include "ui/shell/command_table.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QKeySequence>
#include <QSet>
#include <algorithm>
#include <map>
#include <optional>
#include <string>

#include "ui/kit/command_ids.h"

namespace vimbo {
namespace {

using namespace command;

// The enabling of a command by its row, with the form in `state` and
// nothing else to go by.
std::optional<bool> FormCommandEnabled(CommandId id, const FormState& state) {
  if (!FindCommand(id)) return std::nullopt;
  return CommandEnabled(id, CommandContext{.form = state});
}

// The whole enabling table: for each mode, with and without a current
// person and contact, which Person and Contact commands are on.
TEST(FormCommandState, PersonAndContactCommandsInEveryMode) {
  const CommandId commands[] = {kPersonAdd,  kPersonEdit,  kPersonDelete,  kPersonUpdate,  kPersonCancel,
                                kContactAdd, kContactEdit, kContactDelete, kContactUpdate, kContactCancel};
  // "1" on, "0" off, in the order above; P and C name the cases.
  struct Row {
    EditMode mode;
    bool person;
    bool contact;
    const char* expected;
  };
  const Row rows[] = {
      {EditMode::kBrowsing, false, false, "1000000000"},      {EditMode::kBrowsing, true, false, "1110010000"},
      {EditMode::kBrowsing, true, true, "1110011100"},        {EditMode::kAddingPerson, true, true, "0001100000"},
      {EditMode::kEditingPerson, false, false, "0001100000"}, {EditMode::kAddingContact, true, true, "0000000011"},
      {EditMode::kEditingContact, true, false, "0000000011"},
  };
  for (const Row& row : rows) {
    FormState state;
    state.mode = row.mode;
    state.currentPersonId = row.person ? 7 : 0;
    state.currentContactId = row.contact ? 9 : 0;
    std::string actual;
    for (CommandId id : commands) actual += FormCommandEnabled(id, state).value() ? '1' : '0';
    EXPECT_EQ(actual, row.expected) << "mode " << static_cast<int>(row.mode) << " P" << row.person << " C"
                                    << row.contact;
  }
}

TEST(FormCommandState, ReportsExportAndEditorsFollowTheDocument) {
  FormState state;
  for (CommandId id :
       {kReportAddressBook, kReportContacts, kReportEnvelopes, kReportActivity, kExportPersons, kExportContacts})
    EXPECT_FALSE(*FormCommandEnabled(id, state)) << static_cast<int>(id);
  state.hasPersons = true;
  for (CommandId id : {kReportAddressBook, kReportContacts, kReportEnvelopes, kReportActivity, kExportPersons})
    EXPECT_TRUE(*FormCommandEnabled(id, state)) << static_cast<int>(id);
  EXPECT_FALSE(*FormCommandEnabled(kExportContacts, state)) << "persons but no contacts";
  state.hasContacts = true;
  EXPECT_TRUE(*FormCommandEnabled(kExportContacts, state));

  state.mode = EditMode::kAddingContact;
  EXPECT_TRUE(*FormCommandEnabled(kEditUser, FormState()));
  EXPECT_TRUE(*FormCommandEnabled(kEditContactTypes, state));
  EXPECT_TRUE(*FormCommandEnabled(kImportPersons, FormState()));
  EXPECT_FALSE(FormCommandEnabled(kRecentLast, state).has_value()) << "not a row of the table";
}

// The rows outside the form: saving, printing and the preview, Undo and Redo.
TEST(CommandState, FilePrintPreviewHistoryAndFindRows) {
  const CommandId commands[] = {kSave,   kPrint,   kPrintPreview, kClosePreview, kNextPage,  kPreviousPage,
                                kZoomIn, kZoomOut, kUndo,         kRedo,         kPersonFind};
  struct Row {
    const char* name;
    void (*set)(CommandContext&);
    const char* expected;
  };
  const Row rows[] = {
      {"nothing", [](CommandContext&) {}, "00000000001"},
      {"modified", [](CommandContext& c) { c.modified = true; }, "10000000001"},
      {"report chosen", [](CommandContext& c) { c.printable = true; }, "01100000001"},
      {"preview, page 1 of 3, zoomed out",
       [](CommandContext& c) {
         c.printable = c.previewShown = c.canZoomIn = true;
         c.previewPages = 3;
       },
       "01111010000"},
      {"preview, last page, zoomed in",
       [](CommandContext& c) {
         c.printable = c.previewShown = c.canZoomOut = true;
         c.previewPages = 3;
         c.previewPage = 2;
       },
       "01110101000"},
      {"history both ways", [](CommandContext& c) { c.canUndo = c.canRedo = true; }, "00000000111"},
      {"history, editing a contact",
       [](CommandContext& c) {
         c.canUndo = c.canRedo = true;
         c.form.mode = EditMode::kEditingContact;
       },
       "00000000000"},
      {"history, previewing", [](CommandContext& c) { c.canUndo = c.canRedo = c.previewShown = true; }, "00010000000"},
  };
  for (const Row& row : rows) {
    CommandContext context;
    row.set(context);
    std::string actual;
    for (CommandId id : commands) actual += CommandEnabled(id, context) ? '1' : '0';
    EXPECT_EQ(actual, row.expected) << row.name;
  }
}

// Every command is offered somewhere, every key is one command's, and every
// row names a help page that is there.
TEST(CommandTable, EveryRowIsReachableWithUniqueKeysAndHelp) {
  QSet<QString> keys;
  for (const CommandInfo& info : Commands()) {
    SCOPED_TRACE(info.menuText);
    // The preview opens when a report is chosen.
    const bool reached = info.menu.where != MenuId::kNone || info.toolbar.where != ToolbarId::kNone ||
                         !Shortcuts(info).isEmpty() || info.id == kPrintPreview;
    EXPECT_TRUE(reached);
    for (const QString& key : Shortcuts(info)) {
      EXPECT_FALSE(QKeySequence(key).isEmpty()) << key.toStdString();
      EXPECT_FALSE(keys.contains(key)) << key.toStdString();
      keys.insert(key);
    }
    EXPECT_TRUE(QFileInfo::exists(QStringLiteral(VIMBO_HELP_DIR "/html/") + QString::fromLatin1(info.helpPage)))
        << info.helpPage;
    EXPECT_NE(info.enabled, nullptr);
    EXPECT_NE(info.run, nullptr);
  }
  for (const Submenu& menu : Menus()) {
    const bool filled = std::any_of(Commands().begin(), Commands().end(),
                                    [&](const CommandInfo& info) { return info.menu.where == menu.id; });
    EXPECT_TRUE(filled) << menu.title;
  }
  EXPECT_EQ(MenuText(*FindCommand(kRedo)), QStringLiteral("&Redo\tCtrl+Shift+Z"));
  EXPECT_EQ(MenuText(*FindCommand(kSaveAs)), QStringLiteral("Save &As..."));
}

}  // namespace
}  // namespace vimbo
