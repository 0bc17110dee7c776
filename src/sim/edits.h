// Single-record edits ("CM" modify, "CC" add, "CK" delete) and loads ("CL").
#pragma once

#include <string>
#include <vector>

#include "sim/fields.h"
#include "sim/memory.h"

namespace rx::sim {

// Block and bib of a command for this memory: 888, 802, 800 or 803 when
// wrong. The relay course memory has no bib to check.
int CheckRecordKey(MemoryKind kind, const Body& body);
// The time of a command for this memory: checked digits, or zeros for the
// memories without times. Relay results allow totals up to 99 hours.
TimeCheck CheckRecordTime(MemoryKind kind, const Body& body);

// Carries out a modify ('M'), add ('C') or delete ('K') of one record of any
// memory but relay results. Gives 0 when done, else the refusal number.
int ApplyEdit(DeviceMemory& memory, char op, MemoryKind kind, const Body& body);

// Loads the file records sent one per command. Relay results come leg by leg:
// "B", "C", ... then "S", the team's total, which stores the team.
class Loader {
 public:
  int Load(DeviceMemory& memory, MemoryKind kind, const Body& body);

 private:
  int LoadRelayLeg(DeviceMemory& memory, const Body& body);

  std::string teamKey_;  // block + bib of the team being loaded
  std::vector<std::string> legs_;
};

}  // namespace rx::sim
