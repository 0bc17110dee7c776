// Typing into the open input: digits shift in from the right, the point
// starts the decimals.
#pragma once

#include "shell/form.h"

namespace rx {

// key: 0-9 for a digit, 10 for the decimal point; anything else is ignored.
void EnterDigit(Form& form, int key);

}  // namespace rx
