// What a device file is to this user: there or not, usable or not and why,
// and the stable names under /dev/serial/by-id that lead to it.
#pragma once

#include <string>
#include <vector>

namespace rx {

struct DeviceFile {
  bool exists = false;
  bool usable = false;            // this user may open it for reading and writing
  std::string owner, group;       // names, or numbers when they have none
  unsigned mode = 0;              // permission bits
  std::string problem;            // why it could not be looked at, when it could not
  std::vector<std::string> links;  // by-id names that lead to it
};

// Asks the system (POSIX).
DeviceFile InspectDeviceFile(const std::string& path);

}  // namespace rx
