// The simulated device on a pseudo-terminal: the terminal opens the slave
// side as its serial port; the device holds the master and answers from its
// own thread, paced like the real line and honouring XOFF/XON.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <fstream>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "sim/line_pacer.h"
#include "sim/memory.h"
#include "sim/options.h"
#include "sim/protocol.h"

namespace rx::sim {

class PtyDevice {
 public:
  // Builds the memories (demo race, files to load); a file that cannot be
  // loaded makes Start fail.
  explicit PtyDevice(Options options);
  ~PtyDevice();
  PtyDevice(const PtyDevice&) = delete;
  PtyDevice& operator=(const PtyDevice&) = delete;

  // Opens the pty and starts answering. False with a reason on failure.
  bool Start(std::string* error);
  // Stops the thread and closes the pty: the terminal sees the device go away.
  void Stop();
  bool Running() const { return thread_.joinable(); }
  // The path the terminal opens, e.g. /dev/pts/5; empty before Start.
  std::string SlavePath() const { return slavePath_; }

  // Thread-safe views and changes, for tests and the program around it.
  std::vector<std::string> Lines(MemoryKind kind) const;
  DeviceMemory Memory() const;
  void EditMemory(const std::function<void(DeviceMemory&)>& edit);
  bool RelayMode() const;
  void SetRelayMode(bool relay);
  std::vector<std::string> TextLines() const;
  // "rx ..." / "tx ..." frames with control characters named, "text: ...",
  // "print: ...", "best output: ...".
  std::vector<std::string> Traffic() const;
  std::size_t FramesReceived() const;

  // Waits until at least count frames were received; false on time-out.
  bool WaitForFrames(std::size_t count, std::chrono::milliseconds timeout) const;
  // Waits until no reply is left to write; false on time-out.
  bool WaitUntilSent(std::chrono::milliseconds timeout) const;

 private:
  void Run();
  void Transmit();  // with mutex_ held
  void Note(const std::string& line);  // with mutex_ held
  void DeliverNotes();                 // without mutex_ held
  void CloseAll();

  Options options_;
  std::string loadError_;

  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  DeviceProtocol protocol_;
  std::vector<std::string> traffic_;
  std::vector<std::string> undelivered_;
  std::string out_;  // frame being written
  std::size_t outPos_ = 0;
  bool lineIdle_ = true;     // nothing was being sent: pacing starts afresh
  bool writeBlocked_ = false;
  LinePacer pacer_;
  // What the terminal wrote, held until it would have crossed the line: the
  // device acts on a command only once all of it has arrived.
  struct Arriving {
    LinePacer::Clock::time_point due;
    std::string bytes;
  };
  std::deque<Arriving> arriving_;
  LinePacer::Clock::time_point inboundFree_{};
  void TakeArrived(LinePacer::Clock::time_point now);  // with mutex_ held
  std::ofstream print_;

  int master_ = -1;
  int slave_ = -1;  // kept open so the master works while the terminal has the port closed
  int wake_[2] = {-1, -1};
  std::string slavePath_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace rx::sim
