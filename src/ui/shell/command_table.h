#pragma once
// One table describes every command: its menu text, status-bar text, tooltip
// and shortcut. Menus, toolbars and accelerators are all made from it, so a
// command looks and behaves the same wherever it is offered.

#include <span>

#include "ui/kit/command_ids.h"

namespace vimbo {

struct CommandInfo {
  CommandId id;
  const char* menuText;    // with "&" marks and, after a tab, the accelerator hint
  const char* statusText;  // shown while the item is highlighted
  const char* tooltip;
  const char* shortcut;    // QKeySequence texts separated by ";", or empty
};

std::span<const CommandInfo> Commands();

// The entry for `id`; a null pointer for an id the table does not hold.
const CommandInfo* FindCommand(CommandId id);

}  // namespace vimbo
