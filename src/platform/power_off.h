// Switching the PC off after the terminal has closed.
#pragma once

namespace rx {

class PowerOff {
 public:
  virtual ~PowerOff() = default;
  // Asks the system to power off. False when the right to do so cannot be
  // had or the request failed.
  virtual bool Request() = 0;
};

}  // namespace rx
