// Sending a change to the device, and the best output of the main menu.
#pragma once

#include "shell/terminal.h"

namespace rx {

// Sends the edit on the screen: letter 'M' modify, 'C' add (and dual-course
// add), 'K' delete. Relay results go as a burst of legs, total and end,
// written without waiting for replies.
void SendEditCommand(Terminal& t, char letter);

// Main item 9: asks the device for all its best times.
void RequestBestOutputOfAll(Terminal& t);

}  // namespace rx
