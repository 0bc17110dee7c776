// Switching the PC off after the terminal has closed.
#pragma once

#include <functional>

namespace rx {

class PowerOff {
 public:
  virtual ~PowerOff() = default;
  // Asks the system to power off and returns at once; answered runs later
  // (when it is given) with false when the right to do so cannot be had or
  // the request failed. The asking has a time limit of its own.
  virtual void Request(std::function<void(bool switchedOff)> answered) = 0;
};

}  // namespace rx
