// Writing a data file as plain text lines over the serial port, for a
// printer or another computer in the device's place: a header, the record
// lines, a trailer, each line ended by CR LF, paced by the output queue.
//
// The output is a job of the event loop: a line per turn while the queue has
// room, a look every few milliseconds while it has none (a printer holding
// the line with XOFF), nothing while the operator is asked whether to stop.
#pragma once

#include "link/exchange_events.h"
#include "shell/terminal.h"

namespace rx {

// Fills Records with the record lines of the file named in lblSendName; only
// those of the entered block for a one-block output.
void LoadTextQueue(Terminal& t);

// Opens the port at "9600,N,8,1" and starts writing header, lines and
// trailer. Keys, replies and the tick go on between lines; Esc asks whether
// to stop.
void SerialTextOutput(Terminal& t, ExchangeEvents& owner);

// The next line, when there is room for it; the end of the output when it
// was stopped, failed or is complete.
void ContinueTextOutput(Terminal& t);

// Stops the output where it is, without the trailer.
void EndTextOutput(Terminal& t);

}  // namespace rx
