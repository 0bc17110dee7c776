// Enter: the action of the current screen.
#pragma once

#include "shell/terminal.h"

namespace rx {

void ExecuteEnter(Terminal& t);

}  // namespace rx
