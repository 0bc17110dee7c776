#include "link/device_port.h"

namespace rx {

void CloseDevicePort(Terminal& t) {
  Form& f = t.form;
  SerialPort& port = t.platform.port;
  f.WaitMs = 0;
  constexpr long long kLongestDrainMs = 1000;
  long long deadline = t.platform.clock.MonotonicMs() + kLongestDrainMs;
  while (port.OutputQueueCount() > 0) {
    t.platform.events.Yield();
    if (f.WaitMs > 100 || t.platform.clock.MonotonicMs() >= deadline) break;
  }
  port.Close();
}

}  // namespace rx
