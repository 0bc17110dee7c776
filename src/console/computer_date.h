// Sub-menu item 13: the desktop's own date-and-time settings.
#pragma once

#include "shell/terminal.h"

namespace rx {

// Asks first; on OK starts the first date-and-time settings program that
// exists here, without waiting for it. The menu page stays as it was.
void OpenComputerDateSettings(Terminal& t);

}  // namespace rx
