// Writing a data file as plain text lines over the serial port, for a
// printer or another computer in the device's place: a header, the record
// lines, a trailer, each line ended by CR LF, paced by the output queue.
//
// The output is a job of the event loop: a line per turn while the queue has
// room, a look every few milliseconds while it has none (a printer holding
// the line with XOFF), nothing while the operator is asked whether to stop.
#pragma once

#include "link/exchange_events.h"
#include "link/requests.h"
#include "shell/terminal.h"

namespace rx {

// Queues the record lines of the request's file (only those of its block, if
// it names one), then opens the port at "9600,N,8,1" and writes header,
// lines and trailer. No line: error 1008. Keys, replies and the tick go on
// between lines; Esc asks whether to stop. owner hears when the output is
// under way, of each record line in flight and of the end.
void SerialTextOutput(Terminal& t, const TextOutputRequest& request, ExchangeEvents& owner);

// The next line, when there is room for it; the end of the output when it
// was stopped, failed or is complete.
void ContinueTextOutput(Terminal& t);

// Stops the output where it is, without the trailer.
void EndTextOutput(Terminal& t);

}  // namespace rx
