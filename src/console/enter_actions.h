// Enter: the action of the current screen, and the Enter actions of the
// menus.
#pragma once

#include "shell/terminal.h"

namespace rx {

// The current screen's row says what Enter does.
void ExecuteEnter(Terminal& t);

// Enter on a menu page: the highlighted item.
void MenuPageEnter(Terminal& t);
// Enter on the edit function menu: the edit screen, or the read range menu.
void FunctionMenuEnter(Terminal& t);
// Enter on the block number of a read, a send or a serial send.
void BlockEntryEnter(Terminal& t);

}  // namespace rx
