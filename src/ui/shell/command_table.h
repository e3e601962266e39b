#pragma once
// One table describes every command, one row each: its texts, its keys, its
// place in the menus and on a toolbar, its help page, when it is enabled and
// what runs it. The menus, the toolbars, the keys, the enabling of every
// action and the help on a toolbar button are all made from it, so adding a
// command is one row and its handler.

#include <QString>
#include <QStringList>
#include <span>

#include "ui/form/command_state.h"
#include "ui/kit/command_ids.h"

namespace vimbo {

class MainFrame;

// The menus of the menu bar, in their order, and the File menu's submenus.
enum class MenuId { kNone, kFile, kImport, kExport, kRecent, kEdit, kContact, kPerson, kReports, kView, kHelp };
enum class ToolbarId { kNone, kMain, kPreview };

// A place in a menu or on a toolbar: items are ordered by `slot`, and a
// separator stands between two items whose slots differ in the tens.
template <typename Where>
struct Place {
  Where where = Where::kNone;
  int slot = 0;
};

struct Submenu {
  MenuId id;
  const char* title;
  Place<MenuId> place;  // kNone: a menu of the menu bar
};

struct CommandInfo {
  CommandId id;
  const char* menuText;    // with its "&" mark; the key hint comes from `shortcut`
  const char* statusText;  // shown while the item is highlighted
  const char* tooltip;
  const char* shortcut;  // QKeySequence texts separated by ";"; the first is shown in the menu
  Place<MenuId> menu;
  Place<ToolbarId> toolbar;
  const char* helpPage;  // the help page that explains the command
  bool (*enabled)(const CommandContext&);
  void (*run)(MainFrame&);
  // What a screen reader calls the command's toolbar button where the menu
  // text alone would not tell it from another ("Add" is in two menus).
  const char* spokenName = "";
};

std::span<const CommandInfo> Commands();
std::span<const Submenu> Menus();

// The entry for `id`; a null pointer for an id the table does not hold.
const CommandInfo* FindCommand(CommandId id);

// The command's keys, and its menu text with the hint of the first of them.
QStringList Shortcuts(const CommandInfo& info);
QString MenuText(const CommandInfo& info);

// The command's name for assistive technology: its spoken name, else its
// menu text read aloud, without the dots.
QString SpokenName(const CommandInfo& info);

// The enabling of the command with `id` by its row; false for an id the
// table does not hold.
bool CommandEnabled(CommandId id, const CommandContext& context);

}  // namespace vimbo
