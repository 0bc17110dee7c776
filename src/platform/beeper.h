// The system beep that goes with every error line.
#pragma once

namespace rx {

class Beeper {
 public:
  virtual ~Beeper() = default;
  virtual void Beep() = 0;
};

}  // namespace rx
