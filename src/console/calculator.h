// The time calculator: net time = finish - start, over midnight if need be.
// Opened from a menu page, or from a time input that then takes the result.
#pragma once

#include "shell/terminal.h"

namespace rx {

// Key 17 on a menu page, or on a time input with four decimals.
void StartCalculator(Terminal& t);

// Keys while the calculator is open.
void CalculatorKey(Terminal& t, int index);

}  // namespace rx
