#pragma once
// What the running program is to the desktop and to its settings, and the
// locale its texts follow: set once the application object exists, by the
// program and by the bench that measures it as it runs. And, before that
// object exists, whether there is a window system to reach at all.

namespace vimbo {

void SetUpRunningProgram();

// True when every window system Qt would try for this command line and
// environment needs a display server and none is named: no DISPLAY for X11,
// no WAYLAND_DISPLAY (nor the default socket) for Wayland. Qt itself would
// abort there with its own message; the program says so in one line instead.
// Anything else (offscreen, vnc, eglfs, an unknown name, a display that is
// named but does not answer) is left for Qt to try.
bool NoDisplayFor(int argc, const char* const* argv);

}  // namespace vimbo
