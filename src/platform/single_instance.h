// Tells whether another copy of the terminal is running for this user.
#pragma once

namespace rx {

class SingleInstance {
 public:
  virtual ~SingleInstance() = default;
  // True when this copy is the only one; it then stays marked as running
  // until it ends.
  virtual bool TryAcquire() = 0;
};

}  // namespace rx
