// Sending a change to the device, and the best output of the main menu.
#pragma once

#include "link/exchange_events.h"
#include "shell/terminal.h"

namespace rx {

// Sends the edit on the screen: Modify, Add (and dual-course add), Delete;
// Load starts the send of the file queued (main item 8). Relay results go as
// a burst of legs, total and end, written without waiting for replies. owner
// hears when the command is out and when the device has taken it.
void SendEditCommand(Terminal& t, ReplyFamily family, ExchangeEvents& owner);

// Main item 9: asks the device for all its best times.
void RequestBestOutputOfAll(Terminal& t, ExchangeEvents& owner);

}  // namespace rx
