// Opening the function and range menus, and going back: Esc on every screen
// and the return to a screen after an error line was acknowledged.
#pragma once

#include "shell/terminal.h"

namespace rx {

// The function menu, the file-operation menu or a range menu; first is the
// item highlighted first on the edit function menu (the others always start
// on their first item).
void ShowFunctionMenu(Terminal& t, ScreenId screen, FuncItemId first = FuncItemId::Modify);

// Prepares the edit function menu for the memory of MenuItem and opens it.
void OpenEditFunctionMenu(Terminal& t);

// From a read or send confirmation back to its range menu: the confirmation
// frame goes, the block number is forgotten.
void BackToRangeMenu(Form& form, Control& confirmation);

// The caption of the frames a memory's menus and edit screen stand in.
const char* FrameCaptionFor(MenuItemId memory);

// Leaves an edit screen back to the edit function menu.
void ReturnToFunctionMenu(Terminal& t);

// The Esc action of the current screen (its row's back).
void GoBack(Terminal& t);

// Clears the error line and brings the screen back to where the operator can
// go on (its row's resume).
void ResumeAfterError(Terminal& t);

// The Esc actions of the screens' rows.
void CloseFromMenuPage(Terminal& t);
void LeaveFunctionMenu(Terminal& t);
void LeaveCommonMenu(Terminal& t);   // file operations, send and serial-send range menus
void LeaveReadRange(Terminal& t);
void LeaveBlockEntry(Terminal& t);
void LeaveSettings(Terminal& t);
void LeaveFileSelection(Terminal& t);  // and the file list
void LeaveHunterStart(Terminal& t);

}  // namespace rx
