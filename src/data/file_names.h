// Names of the data files a read creates: memory letter, month letter, day,
// hour, minute, ".", "C" or the block letter, year. CN241433.C08 is the
// course memory read in full on 24 November at 14:33 of a year ending in 08.
#pragma once

#include <string>

#include "data/memories.h"
#include "platform/clock.h"

namespace rx {

inline constexpr const char* kMonthLetters = "123456789OND";

// memory picks the file letter of its row in kMemories ("" for an item that
// is no memory); rangeLetter is "C" for all blocks or the shifted block
// letter. One reading of the clock gives every part.
std::string DataFileName(MenuItemId memory, const DateTime& now, const std::string& rangeLetter);

}  // namespace rx
