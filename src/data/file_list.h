// The file selection list: up to 51 names in three columns and a count line.
#pragma once

#include "shell/terminal.h"

namespace rx {

// kind 0: every data file (capacity 51); 1: all-blocks files "*.C*" (33);
// 2: one-block files, extension not beginning with "C" (33); 3: first-run
// results "F*.*" (51). Names are listed in name order, case ignored.
void ListDataFiles(Terminal& t, int kind);

// Wildcard match as the operators know it from their old system: case
// ignored, "*" any run of characters, "?" one, "*.*" every name.
bool MatchesPattern(const std::string& name, const std::string& pattern);

}  // namespace rx
