#pragma once
// The program's pictures: the toolbar icons and the picture of the splash
// window and the About box, drawn in code so they scale and need no image
// files; the window icon, from the program's icon drawing built into it.

#include <QIcon>
#include <QPixmap>
#include <QSize>

#include "ui/kit/command_ids.h"

namespace vimbo {

// The icon of a toolbar command; a null icon for a command without one.
QIcon CommandIcon(CommandId commandId);

// The window icon; the installed icon files are drawn from the same picture.
QIcon ProgramIcon();

// The picture shown in the splash window and the About box.
QPixmap ProgramPicture(const QSize& size);

}  // namespace vimbo
