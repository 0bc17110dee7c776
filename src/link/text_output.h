// Writing a data file as plain text lines over the serial port, for a
// printer or another computer in the device's place: a header, the record
// lines, a trailer, each line ended by CR LF, paced by the output queue.
#pragma once

#include "shell/terminal.h"

namespace rx {

// Fills Records with the record lines of the file named in lblSendName; only
// those of the entered block for a one-block output.
void LoadTextQueue(Terminal& t);

// Writes header, lines and trailer at "9600,N,8,1". Keys, replies and the
// tick go on between lines; Esc asks whether to stop.
void SerialTextOutput(Terminal& t);

}  // namespace rx
