#include "ui/form/command_state.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "ui/kit/command_ids.h"

namespace vimbo {
namespace {

using namespace command;

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
  for (CommandId id : {kReportAddressBook, kReportContacts, kReportEnvelopes, kExportPersons, kExportContacts})
    EXPECT_FALSE(*FormCommandEnabled(id, state)) << static_cast<int>(id);
  state.hasPersons = true;
  for (CommandId id : {kReportAddressBook, kReportContacts, kReportEnvelopes, kExportPersons})
    EXPECT_TRUE(*FormCommandEnabled(id, state)) << static_cast<int>(id);
  EXPECT_FALSE(*FormCommandEnabled(kExportContacts, state)) << "persons but no contacts";
  state.hasContacts = true;
  EXPECT_TRUE(*FormCommandEnabled(kExportContacts, state));

  state.mode = EditMode::kAddingContact;
  EXPECT_TRUE(*FormCommandEnabled(kEditUser, FormState()));
  EXPECT_TRUE(*FormCommandEnabled(kEditContactTypes, state));
  EXPECT_TRUE(*FormCommandEnabled(kImportPersons, FormState()));
  EXPECT_FALSE(FormCommandEnabled(kSave, state).has_value()) << "not a command of the form";
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

}  // namespace
}  // namespace vimbo
