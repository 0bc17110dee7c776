// Opening and closing the serial port around the exchanges with the device.
#pragma once

#include "shell/terminal.h"

namespace rx {

// Lets what is still queued reach the line, then closes the port. The wait is
// bounded: 100 ms of Busy time, and one second whatever the mode.
void CloseDevicePort(Terminal& t);

}  // namespace rx
