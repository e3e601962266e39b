#pragma once
// On this platform Qt names a combo box to assistive technology by its
// current value, so a screen reader announces "Smith, Ann" where the user
// needs "Person". Installed once per program, this gives every combo box
// that has a name of its own (from its label) that name, and its current
// entry as its value, keeping the list and the text box as its parts.

namespace vimbo {

void InstallAccessibleComboBoxes();

}  // namespace vimbo
