// The exchanges with the device: sending a read, and acting on every reply.
// Each reply is decoded here and handed, as an event, to the screen that
// started the exchange (exchange_events.h).
#pragma once

#include "link/exchange_events.h"
#include "link/requests.h"
#include "shell/terminal.h"

namespace rx {

// Reads one record of a memory, or the whole memory into a data file. A
// read the device has no command for sends nothing. owner hears of the
// records and the end.
void SendReadCommand(Terminal& t, const ReadRequest& request, ExchangeEvents& owner);

// Acts on the frame in RxBuffer, while an exchange is running. An answer
// still owed to a relay burst that ended is taken whenever it comes.
void DispatchReply(Terminal& t);

// Before a new relay burst: what the last one still awaited is owed by an
// ended burst; after a second's silence nothing more of it is awaited.
void ForgetOldBurst(Terminal& t);

// After an accepted edit: print, when the edit asked for it; else best output.
void AfterEditAccepted(Terminal& t);

// Best output of the result group just edited, when the edit asked for it
// and the memory is a result memory; otherwise the exchange ends.
void RequestBestOutput(Terminal& t);

// The exchange is over: no reply is awaited, keys are Normal again.
void EndExchange(Terminal& t);

// The screen the running exchange reports to (NoEvents() when none).
ExchangeEvents& Owner(Terminal& t);

}  // namespace rx
