// Moving the highlight on the menu pages, function menus and range menus.
#pragma once

#include "shell/form.h"

namespace rx {

// Highlights that menu item, switching pages when needed; a value that names
// no item does nothing.
void SelectMenuItem(Form& form, MenuItemId item);

// Back to the menu page of MenuItem, with its guide line and side keys; the
// highlight stays where it was.
void ReturnToMenuPage(Form& form);

// A function item or a range item, as the screen's row says; a value that
// names no label does nothing.
void SelectFuncItem(Form& form, FuncItemId item);

// The rows' choices: an enabled item of the edit function menu, of the
// file-operation menu, or all blocks / one block of a range menu.
void SelectFunction(Form& form, FuncItemId item);
void SelectFileFunction(Form& form, FuncItemId item);
void SelectScope(Form& form, FuncItemId item);

}  // namespace rx
