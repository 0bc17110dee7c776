// A small, fixed race to start with: the same data on every run.
#pragma once

#include "sim/memory.h"

namespace rx::sim {

// 60 competitors (bibs 001-060) in blocks 1-3: course memory, two runs, a few
// DNF entries; and, for relay mode, five teams and the relay course memory of
// blocks 1 and 2.
void FillDemoRace(DeviceMemory& memory);

}  // namespace rx::sim
