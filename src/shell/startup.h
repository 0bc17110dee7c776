// Loading the window: single-instance check, settings, title, layout, the
// first screen and the data directory.
#pragma once

#include "shell/terminal.h"

namespace rx {

inline constexpr int kVersionMajor = 1;
inline constexpr int kVersionMinor = 0;

// The window title with its version, "... Ver.1.01".
std::string WindowTitle();

// Runs the start-up sequence. False when another copy is already running:
// the operator has been told and this copy must end without showing itself.
bool Form_Load(Terminal& t);

}  // namespace rx
