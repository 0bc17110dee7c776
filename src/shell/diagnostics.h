// Faults the operator cannot act on but the next engineer must be able to
// find: a settings store that cannot be written, an action that failed
// unexpectedly. They go to standard error and into the traffic list that
// Debug shows; the screen stays as it is.
#pragma once

#include <string>

#include "shell/terminal.h"

namespace rx {

void ReportFault(Terminal& t, const std::string& text);

}  // namespace rx
