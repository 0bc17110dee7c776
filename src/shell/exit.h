// Closing the terminal, and switching the PC off when the operator asks.
#pragma once

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

// Closes the port, then switches off when that was asked for.
void Form_Unload(Terminal& t);

}  // namespace rx
