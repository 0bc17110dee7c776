// Reading a memory of the device into a new data file: the range menu, the
// block number, the confirmation.
#pragma once

#include "shell/terminal.h"

namespace rx {

// Enter on the read range menu: all blocks asks for confirmation at once,
// one block asks for the block number first.
void ReadRangeEnter(Terminal& t);

// Enter on the block number of a read: 0-28 goes to the confirmation.
void ReadBlockEnter(Terminal& t);

// Enter at the read's prompt starts it; Esc goes back to the range menu.
void ConfirmRead(Terminal& t);
void CancelRead(Terminal& t);

// The number typed on the block entry; -1 when it is not a number.
int TypedBlockNumber(const Form& f);

}  // namespace rx
