// The exchanges with the device: sending a read, and acting on every reply.
// Each reply is decoded here and handed, as an event, to the screen that
// started the exchange (exchange_events.h).
#pragma once

#include "link/commands.h"
#include "link/exchange_events.h"
#include "shell/terminal.h"

namespace rx {

// Reads the memory of MenuItem: one record (function 1 or 3, the record
// named by fields) or the whole memory into the file named in lblFileName
// (function 4). owner hears of the records and the end.
void SendReadCommand(Terminal& t, const RecordFields& fields, ExchangeEvents& owner);

// Acts on the frame in RxBuffer, while an exchange is running.
void DispatchReply(Terminal& t);

// After an accepted edit: print, when PrintFrame is on; else best output.
void AfterEditAccepted(Terminal& t);

// Best output of the result group just edited, when BestFrame is on and the
// memory is a result memory; otherwise the exchange ends.
void RequestBestOutput(Terminal& t);

// The exchange is over: no reply is awaited, keys are Normal again.
void EndExchange(Terminal& t);

// The screen the running exchange reports to (NoEvents() when none).
ExchangeEvents& Owner(Terminal& t);

}  // namespace rx
