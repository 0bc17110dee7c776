// Reply frames: STX, a 20-character body, ETX.
#pragma once

#include <string>
#include <string_view>

#include "sim/memory.h"

namespace rx::sim {

// Frames a body, blank-filled or cut to 20 characters.
std::string Frame(std::string_view body);

std::string Accepted();          // "CR"
std::string Refused(int error);  // "CE", the three-digit number at body positions 6-8
std::string EndOfData();         // "CF"
// "CO" + selector + the 14-character record line + 2 blanks.
std::string RecordFrame(MemoryKind kind, const Record& record);

// Bytes with control characters shown by name (<STX>, <ETX>, <XOFF>, <CR> ...).
std::string Visible(std::string_view bytes);

}  // namespace rx::sim
