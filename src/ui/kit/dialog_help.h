#pragma once
// Context help for a dialog: F1 on one of its controls, or a click on it
// with the title bar's help pointer, shows the popup of the control's
// context number from the dialog's help map. Controls the map does not list
// are left to the default handling.

#include "ui/kit/help_maps.h"

class QWidget;

namespace vimbo {

class HelpSystem;

// Call after the dialog's controls exist; controls are recognised by their
// numbers (SetControlId).
void InstallContextHelp(QWidget* dialog, HelpSystem& help, help::HelpMap map);

}  // namespace vimbo
