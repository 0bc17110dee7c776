// Names of the data files a read creates: memory letter, month letter, day,
// hour, minute, ".", "C" or the block letter, year. CN241433.C08 is the
// course memory read in full on 24 November at 14:33 of a year ending in 08.
#pragma once

#include <string>

#include "platform/clock.h"

namespace rx {

inline constexpr const char* kItemLetters = "CDFSVY";
inline constexpr const char* kMonthLetters = "123456789OND";

// menuItem 1-6 picks the memory letter; rangeLetter is "C" for all blocks or
// the shifted block letter. One reading of the clock gives every part.
std::string DataFileName(int menuItem, const DateTime& now, const std::string& rangeLetter);

}  // namespace rx
