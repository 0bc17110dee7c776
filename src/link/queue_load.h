// Reading the file named in lblSendName into Records: load commands for a
// send to the device, or the record lines themselves for the serial text
// output. A large file is read a block per turn of the event loop, so the
// window never stalls and Esc can still go back.
#pragma once

#include <functional>

#include "shell/terminal.h"

namespace rx {

// Starts the load; then runs once everything is queued (at once when the
// file is small). The caller keeps KeyMode Busy while it runs.
void StartQueueLoad(Terminal& t, bool forText, std::function<void(Terminal&)> then);

// One more block of the file.
void ContinueQueueLoad(Terminal& t);

// Esc or the window closing: nothing stays queued, the file is closed.
void CancelQueueLoad(Terminal& t);

// The whole file at once, for the callers that need it now.
void LoadQueueNow(Terminal& t, bool forText);

}  // namespace rx
