// The device's refusal numbers, by memory.
#pragma once

#include "sim/memory.h"

namespace rx::sim {

inline constexpr int kAlpineModeError = 1;  // a relay command in alpine/nordic mode
inline constexpr int kRelayModeError = 2;   // an alpine/nordic command in relay mode
inline constexpr int kBufferOverflow = 106;
inline constexpr int kWrongTimeNumber = 805;  // relay legs out of order
inline constexpr int kCommandError = 830;

// Add or load of a record the memory already holds.
int DuplicateError(MemoryKind kind);
// Modify or delete of a record the memory does not hold.
int MissingError(MemoryKind kind);
// Read of one record the memory does not hold.
int NotFoundOnReadError(MemoryKind kind);
// Read of one record from a memory that holds nothing.
int EmptyOnReadError(MemoryKind kind);

}  // namespace rx::sim
