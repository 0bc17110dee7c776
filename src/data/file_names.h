// Names of the data files a read creates: memory letter, month letter, day,
// hour, minute, ".", "C" or the block letter, year. CN241433.C08 is the
// course memory read in full on 24 November at 14:33 of a year ending in 08.
#pragma once

#include <string>

#include "platform/clock.h"
#include "shell/menu_items.h"

namespace rx {

inline constexpr const char* kItemLetters = "CDFSVY";  // the memories, from the course memory on
inline constexpr const char* kMonthLetters = "123456789OND";

// memory picks the memory letter ("" for an item that is no memory);
// rangeLetter is "C" for all blocks or the shifted block letter. One reading
// of the clock gives every part.
std::string DataFileName(MenuItemId memory, const DateTime& now, const std::string& rangeLetter);

}  // namespace rx
