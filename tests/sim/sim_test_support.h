// Helpers for driving the device protocol with command bodies.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sim/fields.h"
#include "sim/protocol.h"
#include "sim/replies.h"

namespace rx::sim::testing {

// A command body blank-filled to 20 characters.
inline std::string Cmd(std::string_view text) {
  std::string body(text);
  body.resize(kBodySize, ' ');
  return body;
}

// Every frame the device has to send, as bodies without STX/ETX.
inline std::vector<std::string> Drain(DeviceProtocol& device) {
  std::vector<std::string> bodies;
  for (std::string f = device.NextFrame(); !f.empty(); f = device.NextFrame()) {
    bodies.push_back(f.substr(1, kBodySize));
  }
  return bodies;
}

// Sends one command and gives all the replies it brings.
inline std::vector<std::string> Exchange(DeviceProtocol& device, std::string_view text) {
  device.Receive(Frame(Cmd(text)));
  return Drain(device);
}

inline const std::vector<std::string> kAccepted = {Cmd("CR")};
inline std::vector<std::string> RefusedWith(int error) {
  return {Refused(error).substr(1, kBodySize)};
}

}  // namespace rx::sim::testing
