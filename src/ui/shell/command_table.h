#pragma once
// One table describes every command: its menu text, status-bar text, tooltip
// and shortcut. Menus, toolbars and accelerators are all made from it, so a
// command looks and behaves the same wherever it is offered.

#include <QString>
#include <span>

#include "ui/kit/command_ids.h"

namespace vimbo {

struct CommandInfo {
  CommandId id;
  const char* menuText;    // with "&" marks and, after a tab, the accelerator hint
  const char* statusText;  // shown while the item is highlighted
  const char* tooltip;
  const char* shortcut;  // QKeySequence texts separated by ";", or empty
  // What a screen reader calls the command's toolbar button where the menu
  // text alone would not tell it from another ("Add" is in two menus).
  const char* spokenName = "";
};

std::span<const CommandInfo> Commands();

// The entry for `id`; a null pointer for an id the table does not hold.
const CommandInfo* FindCommand(CommandId id);

// The command's name for assistive technology: its spoken name, else its
// menu text read aloud, without the dots and the accelerator hint.
QString SpokenName(const CommandInfo& info);

}  // namespace vimbo
