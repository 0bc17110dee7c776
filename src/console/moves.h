// What the arrow keys and Clear do in Normal mode. MoveUp and the others look
// up the current screen's row; the named moves below are what the rows use.
#pragma once

#include "shell/form.h"

namespace rx {

void MoveUp(Form& form);
void MoveDown(Form& form);
void MoveLeft(Form& form);
void MoveRight(Form& form);

// Clear: resets the open input, or pages between the two menu pages.
void ClearKey(Form& form);

// Menu pages: the items 1-13 in a ring.
void MenuItemUp(Form& form);
void MenuItemDown(Form& form);
// Edit function menu: the nearest enabled item, wrapping.
void FunctionItemUp(Form& form);
void FunctionItemDown(Form& form);
// Menus of two items (file operations, the range menus): up and down toggle.
void ToggleFileFunction(Form& form);
void ToggleScope(Form& form);
// Settings screen: rows up and down, on/off left and right.
void ToggleSettingsRow(Form& form);
void ToggleOnOff(Form& form);
// File selection: three cells a row, wrapping at both ends.
void FileCellUp(Form& form);
void FileCellDown(Form& form);
void FileCellLeft(Form& form);
void FileCellRight(Form& form);
// Relay edit screen: between the leg inputs, while nothing is typed.
void RelayLegUp(Form& form);
void RelayLegDown(Form& form);

}  // namespace rx
