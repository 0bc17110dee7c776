// The device's side of the protocol, without I/O or threads: bytes from the
// terminal go in, reply frames come out one at a time, paced by the caller.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/edits.h"
#include "sim/memory.h"
#include "sim/receiver.h"
#include "sim/relay_burst.h"

namespace rx::sim {

class DeviceProtocol {
 public:
  // Traffic notes: "rx ..." for frames received, "print: ...", "text: ...".
  using LogSink = std::function<void(const std::string&)>;

  explicit DeviceProtocol(DeviceMemory memory = {}, bool relayMode = false);

  void SetLogSink(LogSink sink) { log_ = std::move(sink); }
  void SetRelayMode(bool relay) { relayMode_ = relay; }
  bool RelayMode() const { return relayMode_; }

  DeviceMemory& Memory() { return memory_; }
  const DeviceMemory& Memory() const { return memory_; }

  // Takes whatever bytes arrived, in pieces of any size.
  void Receive(std::string_view bytes);

  // The next frame to transmit; empty when there is nothing to send.
  std::string NextFrame();
  bool HasOutput() const { return !replies_.empty() || streaming_; }
  // True between an XOFF and the following XON.
  bool Paused() const { return paused_; }

  std::size_t FramesReceived() const { return framesReceived_; }
  // Text lines received outside the framing, as a printer would print them.
  const std::vector<std::string>& TextLines() const { return textLines_; }
  // Called with each complete text line as it arrives.
  void SetTextSink(std::function<void(const std::string&)> sink) { text_ = std::move(sink); }

 private:
  void OnFrame(const std::string& body);
  void Handle(const std::string& body);
  void HandleMemoryCommand(const std::string& body);
  void Reply(std::string frame) { replies_.push_back(std::move(frame)); }
  void Log(const std::string& line) {
    if (log_) log_(line);
  }

  DeviceMemory memory_;
  bool relayMode_;
  Receiver receiver_;
  Loader loader_;
  RelayBurst burst_;

  std::deque<std::string> replies_;   // ready to go, in order
  std::deque<std::string> stream_;    // records of the read under way, after replies_
  bool streaming_ = false;            // that read's "CF" is still owed
  std::deque<std::string> deferred_;  // commands that came while a read was streaming
  bool paused_ = false;

  std::size_t framesReceived_ = 0;
  std::vector<std::string> textLines_;
  LogSink log_;
  std::function<void(const std::string&)> text_;
};

}  // namespace rx::sim
