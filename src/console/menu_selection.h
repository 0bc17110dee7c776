// Moving the highlight on the menu pages, function menus and range menus.
#pragma once

#include "shell/form.h"

namespace rx {

// 1-13 highlights that menu item, switching pages when needed; a negative
// index redisplays the page of MenuItem; anything else does nothing.
void SelectMenuItem(Form& form, int index);

// 1-9: highlights a function item or a range item, as the screen's row says.
void SelectFuncItem(Form& form, int index);

// The rows' choices: an enabled item 1-5 of the edit function menu, 6-7 of
// the file-operation menu, or 8 (all blocks) / 9 (one block) of a range menu.
void SelectFunction(Form& form, int index);
void SelectFileFunction(Form& form, int index);
void SelectScope(Form& form, int index);

}  // namespace rx
