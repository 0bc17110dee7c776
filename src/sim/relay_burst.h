// The relay result write: the terminal sends "CM4B" ... "CM4S" (or "CK4 ")
// without waiting and ends with "CF"; the device answers once, for the whole.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sim/memory.h"

namespace rx::sim {

// "CM4" + leg letter or "CK4 ": a command that belongs to a burst.
bool IsRelayBurstCommand(std::string_view body);

class RelayBurst {
 public:
  void Add(std::string_view body);
  bool Empty() const { return bodies_.empty(); }
  void Clear();
  // Replaces the team's legs and total, or deletes the team, all or nothing.
  // Gives 0 when done, else the refusal number. The burst is emptied.
  int Apply(DeviceMemory& memory);

 private:
  int Check(RelayTeam& team, bool& erase) const;

  std::vector<std::string> bodies_;
  bool overflow_ = false;
};

}  // namespace rx::sim
