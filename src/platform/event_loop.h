// Lets the logic go on a little later, from the event loop: how a long job (a
// text output, a drain of the output queue, a queue load) advances between
// keys, replies and ticks without ever waiting inside one of them.
#pragma once

#include <functional>

namespace rx {

class EventLoop {
 public:
  virtual ~EventLoop() = default;
  // Runs task once, after delayMs (0: at the next turn of the loop), unless
  // the loop ends first.
  virtual void Post(int delayMs, std::function<void()> task) = 0;
};

}  // namespace rx
