// Closing the terminal, and switching the PC off when the operator asks.
#pragma once

#include <functional>

#include "shell/terminal.h"

namespace rx {

enum class CloseReason {
  Operator,  // the close box, or Esc on a menu page
  System,    // session logout or shutdown, or the process being told to end
};

// Decides whether the window may close. The operator is asked whether the PC
// should be switched off as well; Cancel keeps everything as it was. A close
// made by the system asks nothing and never switches off.
bool Form_QueryUnload(Terminal& t, CloseReason reason);

// Ends whatever job runs (a text output without its trailer), closes the open
// data file, lets the output queue drain for at most half a second, closes the
// port, then switches off when that was asked for; done runs last. The drain
// is a job of the event loop: the caller keeps the loop running until done.
void Form_Unload(Terminal& t, std::function<void()> done = {});

// The same at once, for an event loop that has already ended: what is still
// queued for the line is dropped.
void Form_UnloadNow(Terminal& t);

}  // namespace rx
