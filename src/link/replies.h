// The exchanges with the device: sending a read, and acting on every reply.
#pragma once

#include "shell/terminal.h"

namespace rx {

// Reads the memory of MenuItem: one record (function 1 or 3, from the edit
// screen's fields) or the whole memory into the file named in lblFileName.
void SendReadCommand(Terminal& t);

// Acts on the frame in RxBuffer, while an exchange is running.
void DispatchReply(Terminal& t);

// After an accepted edit: print, when PrintFrame is on; else best output.
void AfterEditAccepted(Terminal& t);

// Best output of the result group just edited, when BestFrame is on and the
// memory is a result memory; otherwise the exchange ends.
void RequestBestOutput(Terminal& t);

}  // namespace rx
