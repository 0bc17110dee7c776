// Reading a data file into Records: load commands for a send to the device,
// or the record lines themselves for the text output. A large file is
// read a block per turn of the event loop, so the window never stalls and Esc
// can still go back.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "shell/terminal.h"

namespace rx {

// Starts the load of fileName; then runs once everything is queued (at once
// when the file is small). A file without a record line (or none that could
// be read) is error 1008, and then does not run. block: a send re-addresses every record to it, a
// text output keeps only its records. The caller keeps KeyMode Busy while it
// runs.
void StartQueueLoad(Terminal& t, QueueMode mode, const std::string& fileName, std::optional<char> block,
                    std::function<void(Terminal&)> then);

// One more block of the file.
void ContinueQueueLoad(Terminal& t);

// Esc or the window closing: nothing stays queued, the file is closed.
void CancelQueueLoad(Terminal& t);

}  // namespace rx
