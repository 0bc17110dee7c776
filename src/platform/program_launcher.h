// Starts another program without waiting for it.
#pragma once

#include <string>
#include <vector>

namespace rx {

class ProgramLauncher {
 public:
  virtual ~ProgramLauncher() = default;
  // False when the program could not be started (not installed, say).
  virtual bool StartDetached(const std::string& program, const std::vector<std::string>& arguments) = 0;
};

}  // namespace rx
