#pragma once
// The folder where the program keeps what belongs to this user and this
// machine but is no document: recovery copies and the last-saved copies a
// merge starts from. $XDG_STATE_HOME/vimbo, else ~/.local/state/vimbo.

#include <QString>

namespace vimbo {

// The folder `name` inside the state folder, made when it is missing;
// empty when it cannot be made.
QString StateSubfolder(const QString& name);

}  // namespace vimbo
