// Sending a change to the device, and the best output of the main menu.
#pragma once

#include "link/exchange_events.h"
#include "link/requests.h"
#include "shell/terminal.h"

namespace rx {

// Sends the change a request names: modify, add, dual-course add, delete;
// relay results go as a burst of legs, total and end, written without waiting
// for replies: the device answers each frame, the team is taken once every
// answer is "CR", and the first refusal shows its error. A change the memory has no command for sends nothing. owner
// hears when the command is out and when the device has taken it (with the
// print and best output the request asked for).
void SendEditCommand(Terminal& t, const EditRequest& request, ExchangeEvents& owner);

// Main item 9: asks the device for all its best times.
void RequestBestOutputOfAll(Terminal& t, ExchangeEvents& owner);

}  // namespace rx
