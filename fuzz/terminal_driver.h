// Driving a loaded test terminal the way the window and the device do: keys,
// device frames, and time passing with the 100 ms tick and the posted tasks
// of the event loop, always in bounded steps.
#pragma once

#include <string>
#include <vector>

#include "console/dispatcher.h"
#include "link/commands.h"
#include "link/device_port.h"
#include "shell/tick.h"
#include "support/fake_platform.h"

namespace rx::fuzz {

inline void Press(testing::TestTerminal& tt, int key) { lblKey_Click(tt.terminal, key); }

// Types digits and points as the keypad does.
inline void Type(testing::TestTerminal& tt, const std::string& text) {
  for (char c : text)
    if (c == '.' || (c >= '0' && c <= '9')) Press(tt, c == '.' ? Keys::Point : c - '0');
}

// Bytes arrive from the device and the port says so.
inline void Arrive(testing::TestTerminal& tt, const std::string& bytes) {
  tt.fakes.port.input += bytes;
  MSComm1_OnComm(tt.terminal, PortEvents::Received);
}

// A device frame around a body of up to 20 characters.
inline std::string Frame(const std::string& body) { return kStx + Body(body) + kEtx; }

// Lets up to ms pass on the loop's clock (and the monotonic clock with it):
// tasks run when they fall due, the tick at every 100 ms. At most budget
// tasks and ticks, so a job that keeps posting cannot hold the run.
inline void Pass(testing::TestTerminal& tt, long long ms, int budget = 2000) {
  testing::FakeEventLoop& loop = tt.fakes.events;
  const long long end = loop.now + ms;
  long long nextTick = (loop.now / 100 + 1) * 100;
  while (budget > 0) {
    tt.fakes.clock.monotonic = loop.now;
    int ran = loop.Turn();
    if (ran > 0) {
      budget -= ran;
      continue;
    }
    long long next = nextTick;
    for (const auto& task : loop.tasks)
      if (task.due < next) next = task.due;
    if (next > end) {
      loop.now = end;
      break;
    }
    loop.now = next;
    if (next == nextTick) {
      tt.fakes.clock.monotonic = loop.now;
      Timer1_Timer(tt.terminal);
      nextTick += 100;
      --budget;
    }
  }
  tt.fakes.clock.monotonic = loop.now;
}

// The bodies of the frames in what was written, and whether anything else
// but frames and XON/XOFF was among it.
struct WrittenFrames {
  std::vector<std::string> bodies;
  bool stray = false;
};

inline WrittenFrames FramesIn(const std::string& written) {
  WrittenFrames found;
  for (std::size_t i = 0; i < written.size();) {
    char c = written[i];
    if (c == kXon || c == kXoff) {
      ++i;
    } else if (c == kStx && i + kBodyLength + 1 < written.size() &&
               written[i + kBodyLength + 1] == kEtx) {
      found.bodies.push_back(written.substr(i + 1, kBodyLength));
      i += kBodyLength + 2;
    } else {
      found.stray = true;
      ++i;
    }
  }
  return found;
}

// The text lines written, without their CR LF; what follows the last CR LF
// is left in rest.
inline std::vector<std::string> TextLinesIn(std::string written, std::string* rest = nullptr) {
  std::vector<std::string> lines;
  for (std::size_t at; (at = written.find("\r\n")) != std::string::npos; written.erase(0, at + 2))
    lines.push_back(written.substr(0, at));
  if (rest) *rest = written;
  return lines;
}

}  // namespace rx::fuzz
