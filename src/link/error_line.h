// The error line: every failure the operator must see arrives here as a number.
#pragma once

#include "shell/terminal.h"

namespace rx {

// Error numbers the terminal raises itself.
namespace Errors {
inline constexpr int InvalidTime = 11;
inline constexpr int InvalidDate = 12;
inline constexpr int BibZero = 803;
inline constexpr int ReceiveHandler = 999;
inline constexpr int NoPort = 1002;
inline constexpr int CourseNumber = 1003;
inline constexpr int NoReply = 1005;
inline constexpr int SplitOver = 1006;
inline constexpr int NoRecordRead = 1007;
inline constexpr int NoData = 1008;
inline constexpr int CannotSend = 1009;
inline constexpr int CannotWriteFile = 1010;  // a data file could not be created or written
inline constexpr int CannotPrint = 1011;      // a printer or PDF did not take the text output
}  // namespace Errors

// A number of 1 or more shows its message, beeps and ends the running
// exchange. A number below 1 (a device refusal whose number cannot be read)
// shows nothing: the line is cleared as by ClearError.
void ShowError(Terminal& t, int number);

// Hides the error line, shows the guide line again, and returns to Normal.
void ClearError(Terminal& t);

}  // namespace rx
