// One-character block codes. BlockLetter is what the device and the record
// lines use; BlockLetterShifted names one-block files and never gives "C",
// so such a name cannot look like an all-blocks one.
#pragma once

#include <string>
#include <string_view>

namespace rx {

// The number of a block text such as "5", "05" or " 12 "; -1 when it is none.
int BlockNumber(std::string_view text);

// "0"-"9", "A"-"J" for 10-19, "K"-"T" for 20-29; a blank for anything else.
std::string BlockLetter(std::string_view blockNumber);

// "0"-"9", "D"-"M" for 10-19, "N"-"W" for 20-29; a blank for anything else.
std::string BlockLetterShifted(std::string_view blockNumber);

}  // namespace rx
