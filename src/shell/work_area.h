// Keeping the window on the desktop's work area.
#pragma once

#include "shell/terminal.h"

namespace rx {

// Moves the window onto the work area, sized to it.
void FitToWorkArea(Terminal& t);

}  // namespace rx
