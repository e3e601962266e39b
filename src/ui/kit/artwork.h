#pragma once
// The program's pictures, drawn in code so they scale and need no image
// files: the toolbar icons, the window icon and the picture of the splash
// window and the About box.

#include <QIcon>
#include <QPixmap>
#include <QSize>

#include "ui/kit/command_ids.h"

namespace vimbo {

// The icon of a toolbar command; a null icon for a command without one.
QIcon CommandIcon(CommandId commandId);

QIcon ProgramIcon();

// The picture shown in the splash window and the About box.
QPixmap ProgramPicture(const QSize& size);

}  // namespace vimbo
