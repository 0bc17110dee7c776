// The 100 ms tick of Timer1 and the window's resize notification.
#pragma once

#include "shell/terminal.h"

namespace rx {

// Advances the reply time-out while Busy (error 1005 after one second of
// silence), then refits a restored window that was resized.
void Timer1_Timer(Terminal& t);

void Form_Resize(Terminal& t);

}  // namespace rx
