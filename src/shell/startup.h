// Loading the window: single-instance check, settings, title, layout, the
// first screen and the data directory.
#pragma once

#include <functional>

#include "shell/terminal.h"

namespace rx {

// The window title with its version, "... Ver." and kVersionText.
std::string WindowTitle();

// On the wide screen (1097 pixels), the keypad at the right edge of the width
// the controls live in and the date line across it: the panel's own width in
// the scaled view, the window's inner width in the unscaled one. Elsewhere
// nothing moves.
void PlaceForInnerWidth(Form& f, int innerWidthTwips);

// Runs the start-up sequence. False when another copy is already running:
// the operator is told, and this copy ends without showing itself once the
// notice is closed (refusalSeen runs then).
bool Form_Load(Terminal& t, std::function<void()> refusalSeen = {});

}  // namespace rx
