// Lets pending window, timer and port events run inside a waiting loop.
#pragma once

namespace rx {

class EventLoop {
 public:
  virtual ~EventLoop() = default;
  virtual void Yield() = 0;
  // Waits until at least one event arrived and ran (the operator's answer,
  // the next tick).
  virtual void WaitForEvent() = 0;
};

}  // namespace rx
