// The relay team's total, the sum of the legs on the relay edit screen.
#pragma once

#include "shell/form.h"

namespace rx {

// Sums TeamLegs(0 .. EditRow-1) into TeamTotal, cut to tenths.
// False, leaving the total as it was, when the sum reaches 100 hours.
bool RelayTotal(Form& form);

}  // namespace rx
