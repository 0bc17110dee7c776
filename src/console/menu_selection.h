// Moving the highlight on the menu pages, function menus and range menus.
#pragma once

#include "shell/form.h"

namespace rx {

// 1-13 highlights that menu item, switching pages when needed; a negative
// index redisplays the page of MenuItem; anything else does nothing.
void SelectMenuItem(Form& form, int index);

// 1-9: highlights a function item (screens 2, 3) or a range item (4, 5, 14).
void SelectFuncItem(Form& form, int index);

}  // namespace rx
