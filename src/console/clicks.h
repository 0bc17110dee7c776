// Mouse clicks on the window's labels.
#pragma once

#include "shell/terminal.h"

namespace rx {

// A click on a control: a key cell presses its key; selectable labels move
// their highlight while the terminal is idle; everything else is ignored.
void Control_Click(Terminal& t, const Control& control);

}  // namespace rx
