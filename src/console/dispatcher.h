// The one entry of every key, from the PC keyboard or the on-screen keypad.
#pragma once

#include "shell/terminal.h"

namespace rx {

// Routes key index 0-19 by KeyMode first, then by Screen.
void lblKey_Click(Terminal& t, int index);

}  // namespace rx
