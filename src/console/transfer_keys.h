// The keys of a running transfer (a read, a send to the device, a serial
// output): Esc asks whether to stop, then Enter stops and Esc goes on.
#pragma once

#include "shell/terminal.h"

namespace rx {

// Esc while busy. A read first holds the device with XOFF while we ask.
void AskToStopRead(Terminal& t);
void AskToStopSend(Terminal& t);  // the send to the device and the serial output

// Enter at the question.
void StopRead(Terminal& t);       // XON, then the device is told to stop; its end follows
void AbandonSend(Terminal& t);    // nothing stays queued; later errors are ordinary again
void StopSerialOutput(Terminal& t);

// Esc at the question.
void GoOnReading(Terminal& t);
void GoOnSending(Terminal& t);
void GoOnWithSerialOutput(Terminal& t);

}  // namespace rx
