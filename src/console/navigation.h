// Opening the function and range menus, and going back: Esc on every screen
// and the return to a screen after an error line was acknowledged.
#pragma once

#include "shell/terminal.h"

namespace rx {

// screen 2, 3, 4, 5 or 14; item is the function item highlighted first (screen 2).
void ShowFunctionMenu(Terminal& t, int screen, int item);

// Prepares the edit function menu for main items 1-6 and opens it.
void OpenEditFunctionMenu(Terminal& t);

// From a read or send confirmation back to its range menu: the confirmation
// frame goes, the block number is forgotten.
void BackToRangeMenu(Form& form, Control& confirmation);

// Leaves an edit screen back to the edit function menu.
void ReturnToFunctionMenu(Terminal& t);

// The Esc action of the current screen.
void GoBack(Terminal& t);

// Clears the error line and brings the screen back to where the operator can go on.
void ResumeAfterError(Terminal& t);

}  // namespace rx
