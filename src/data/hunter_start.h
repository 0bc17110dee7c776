// Hunter start: the second run starts one after another with the gaps of
// the first. Each competitor's start is the chosen start clock time plus
// their deficit on the first record of a first-run results file, cut to
// whole seconds; the result is a new all-blocks data file.
#pragma once

#include <string>

#include "shell/terminal.h"

namespace rx {

// Converts source into output (names in the data directory) with the start
// clock "HHMM". Returns 0, or the error number to show: 1008 when the source
// cannot be read or its first line is no record, 1010 when the output cannot
// be written or cannot take the output's name (a directory there). A failed
// run leaves no file of its own and whatever had the output's name as it
// was.
int RunHunterStart(Terminal& t, const std::string& source, const std::string& output,
                   const std::string& startHourMinute);

}  // namespace rx
