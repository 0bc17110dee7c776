// Loading the window: single-instance check, settings, title, layout, the
// first screen and the data directory.
#pragma once

#include "shell/terminal.h"

namespace rx {

// The window title with its version, "... Ver." and kVersionText.
std::string WindowTitle();

// Runs the start-up sequence. False when another copy is already running:
// the operator has been told and this copy must end without showing itself.
bool Form_Load(Terminal& t);

}  // namespace rx
