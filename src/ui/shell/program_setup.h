#pragma once
// What the running program is to the desktop and to its settings, and the
// locale its texts follow: set once the application object exists, by the
// program and by the bench that measures it as it runs.

namespace vimbo {

void SetUpRunningProgram();

}  // namespace vimbo
