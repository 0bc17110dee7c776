// The status line: the date and the BEST / PRINT switches.
#pragma once

#include "shell/terminal.h"

namespace rx {

void UpdateStatusLine(Terminal& t);

}  // namespace rx
