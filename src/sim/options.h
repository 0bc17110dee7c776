// How a simulated device starts.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace rx::sim {

struct Options {
  bool fast = false;       // no line pacing: replies go out as fast as the pty takes them
  bool relayMode = false;  // start in relay mode instead of alpine/nordic
  bool demoData = true;    // start with the demo race
  std::vector<std::string> loadFiles;  // data files loaded at start, after the demo race
  std::string printFile;   // text lines received are also written here
  // Each traffic line as it happens (frames in and out, text, prints). Called
  // on the device's thread; must not call back into the device.
  std::function<void(const std::string&)> onTraffic;
};

}  // namespace rx::sim
