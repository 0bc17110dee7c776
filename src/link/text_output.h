// The text output of a data file from the window: its record lines queued,
// then a header, the lines and a trailer to where TextOutput says. On the
// serial port each line is ended by CR LF and paced by the output queue, for
// a printer or another computer in the device's place; on a printer of the
// desktop or in a PDF beside the data file they are laid out a page per turn
// and handed over only whole, and the serial port is not opened.
//
// The output is a job of the event loop: a line or a page per turn while
// there is room, a look every few milliseconds while there is none (a printer
// holding the line with XOFF, a print service not yet answering), nothing
// while the operator is asked whether to stop.
#pragma once

#include "link/exchange_events.h"
#include "link/requests.h"
#include "shell/terminal.h"
#include "shell/text_target.h"

namespace rx {

// Queues the record lines of the request's file (only those of its block, if
// it names one); no line: error 1008. Then on the serial line: opens the port
// at "9600,N,8,1" and writes the lines; a line held too long is 1009. On
// paper: a failure shows 1011, a stopped output leaves nothing behind. Keys,
// replies and the tick go on between steps; Esc asks whether to stop. owner
// hears when the output is under way, of each record line in flight and of
// the end.
void StartTextOutput(Terminal& t, const TextOutputRequest& request, ExchangeEvents& owner,
                     const TextTarget& target);

// The next line or page, when there is room for it; the end of the output
// when it was stopped, failed or is complete.
void ContinueTextOutput(Terminal& t);

// Stops the output where it is, without the trailer; a document is dropped.
void EndTextOutput(Terminal& t);

}  // namespace rx
