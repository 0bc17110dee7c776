// The operation settings screen: best-time output and print output on or off.
#pragma once

#include "shell/terminal.h"

namespace rx {

// Shows the stored values with the best-output row selected.
void OpenSettingsScreen(Terminal& t);

// Enter: stores what the highlights say, refreshes the status line, leaves.
void SaveSettingsScreen(Terminal& t);

}  // namespace rx
