// Which device file a port number stands for on Linux.
//
// COM1 and COM2 are /dev/ttyS0 and /dev/ttyS1; COMn for n >= 3 is the first
// USB adapters: /dev/ttyUSB<n-3>, or /dev/ttyACM<n-3> when that ttyUSB does
// not exist. A template (--port-path) overrides this: "{n}" in it stands for
// the number; without "{n}" it names one device for every number.
#pragma once

#include <functional>
#include <string>

namespace rx {

std::string DevicePathForPort(int number, const std::string& pathTemplate = "");

// The same, asking exists whether a device file is there.
std::string DevicePathForPort(int number, const std::string& pathTemplate,
                              const std::function<bool(const std::string&)>& exists);

}  // namespace rx
