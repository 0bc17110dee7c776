// Driving the link's long jobs (job_state.h) from events. Every event that can
// move a job on calls ContinueLinkJob: a posted turn of the event loop, the
// port's "written" and "line lost" notifications, the tick, each key. A job
// that needs another turn posts one; one is pending at most.
#pragma once

#include "shell/terminal.h"

namespace rx {

void ContinueLinkJob(Terminal& t);

// Asks for a turn after delayMs, unless one is pending already.
void PostLinkTurn(Terminal& t, int delayMs);

// The window is closing: the text output and a queue load end where they
// are (no trailer), an exchange waiting to open is dropped. A drain started
// for the close itself is kept.
void EndLinkJobs(Terminal& t);

// Ends a job whose exchange has ended under it (an error shown by a reply or
// the tick) without moving anything else on: a key then meets the terminal
// as it is.
void SettleLinkJob(Terminal& t);

}  // namespace rx
