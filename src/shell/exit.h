// Closing the terminal, and switching the PC off when the operator asks.
#pragma once

#include <functional>

#include "shell/terminal.h"

namespace rx {

enum class CloseReason {
  Operator,  // the close box, or Esc on a menu page
  System,    // session logout or shutdown, or the process being told to end
};

// Decides whether the window may close; proceed runs when it may. A close
// made by the system asks nothing, never switches off and proceeds at once,
// closing a question that is open as Cancel. The operator is asked whether
// the PC should be switched off as well, and everything goes on while the
// question is open: proceed runs at Yes or No; Cancel keeps everything as it
// is then. A second close while asking is the same close.
void Form_QueryUnload(Terminal& t, CloseReason reason, std::function<void()> proceed);

// Ends whatever job runs (a text output without its trailer), closes the open
// data file, lets the output queue drain for at most half a second, closes the
// port, then switches off when that was asked for; done runs last (after the
// notice that the PC cannot be switched off, when it cannot). The drain
// is a job of the event loop: the caller keeps the loop running until done.
void Form_Unload(Terminal& t, std::function<void()> done = {});

// The same at once, for an event loop that has already ended: what is still
// queued for the line is dropped.
void Form_UnloadNow(Terminal& t);

}  // namespace rx
