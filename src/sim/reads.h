// Answers to the read commands ("CO").
#pragma once

#include <string>
#include <vector>

#include "sim/fields.h"
#include "sim/memory.h"

namespace rx::sim {

struct ReadOutcome {
  int error = 0;                    // refused with this number when not 0
  std::vector<std::string> frames;  // the "CO" record frames, in order
};

// Whole memory when block and bib are blank, one block when only the bib is
// blank (for the relay course memory: that block's record), else one record
// (for relay results: the team's legs and total).
ReadOutcome ReadRecords(const DeviceMemory& memory, MemoryKind kind, const Body& body);

}  // namespace rx::sim
