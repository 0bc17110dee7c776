// What the arrow keys and Clear do in Normal mode, screen by screen.
#pragma once

#include "shell/form.h"

namespace rx {

void MoveUp(Form& form);
void MoveDown(Form& form);
void MoveLeft(Form& form);
void MoveRight(Form& form);

// Clear: resets the open input, or pages between the two menu pages.
void ClearKey(Form& form);

}  // namespace rx
