// The far end of a pseudo-terminal, played by a thread of the test: a printer
// holding the line with XOFF, or a device answering (and speaking out of turn).
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "sim/fields.h"
#include "sim/protocol.h"
#include "support/terminal_driver.h"

namespace rx::testing {

struct FarEnd {
  // Runs on the far end's thread with each burst read from the line.
  using Answer = std::function<void(FarEnd&, const std::string& burst)>;

  FarEnd() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) return;
    path_ = ptsname(master_);
    // Held open, so the pty outlives the terminal reopening its port; raw, as a serial line is.
    slave_ = open(path_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios tio{};
    if (slave_ < 0 || tcgetattr(slave_, &tio) != 0) return;
    cfmakeraw(&tio);
    tcsetattr(slave_, TCSANOW, &tio);
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
  }
  ~FarEnd() { Vanish(); }

  const std::string& Path() const { return path_; }
  void Start(Answer answer) { thread_ = std::thread([this, answer = std::move(answer)] { Run(answer); }); }
  bool Stopping() const { return stop_; }
  // The device goes away: the thread ends and the terminal's side is hung up.
  void Vanish() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    for (int* fd : {&master_, &slave_})
      if (*fd >= 0) close(std::exchange(*fd, -1));
  }

  // Into the terminal's input, whole; from any thread.
  void Send(const std::string& bytes) {
    std::lock_guard lock(sending_);
    for (std::size_t at = 0; at < bytes.size() && master_ >= 0;) {
      const ssize_t written = write(master_, bytes.data() + at, bytes.size() - at);
      pollfd room{master_, POLLOUT, 0};
      if (written > 0) at += static_cast<std::size_t>(written);
      else if (written < 0 && (errno == EAGAIN || errno == EINTR)) poll(&room, 1, 10);
      else return;
    }
  }

  // Bytes on the terminal's side of the line that it has not read.
  std::size_t Unread() const { int n = 0; return ioctl(slave_, FIONREAD, &n) == 0 ? static_cast<std::size_t>(n) : 0; }
  // Waits, the terminal not reading, until count bytes wait unread: the line has judged them.
  bool Landed(std::size_t count) const {
    for (int ms = 0; ms < 10000 && Unread() < count; ++ms) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return Unread() >= count;
  }
  // Whether XOFF holds the line from the terminal: a byte written on its side is refused.
  bool Held() { return fcntl(slave_, F_SETFL, O_NONBLOCK) == 0 && write(slave_, "", 1) < 0 && errno == EAGAIN; }

  std::string Received() const { std::lock_guard lock(received_); return text_; }
  // The complete CR LF lines received.
  std::vector<std::string> Lines() const { return CrLfLines(Received()); }

 private:
  // Each read is a burst, answered before the next read: a printer holding
  // the line does so after what it took, not after the terminal has paused.
  void Run(const Answer& answer) {
    char buffer[4096];
    while (!stop_) {
      pollfd input{master_, POLLIN, 0};
      if (poll(&input, 1, 10) <= 0 || !(input.revents & POLLIN)) continue;
      const ssize_t got = read(master_, buffer, sizeof buffer);
      if (got <= 0) continue;
      const std::string burst(buffer, static_cast<std::size_t>(got));
      { std::lock_guard lock(received_); text_ += burst; }
      if (answer) answer(*this, burst);
    }
  }

  int master_ = -1, slave_ = -1;
  std::string path_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
  std::mutex sending_;
  mutable std::mutex received_;
  std::string text_;
};

// Answers as the device would: replies and records, in the order it sends them.
inline FarEnd::Answer AsDevice(std::shared_ptr<sim::DeviceProtocol> device) {
  return [device](FarEnd& far, const std::string& burst) {
    device->Receive(burst);
    for (std::string frame; !device->Paused() && !(frame = device->NextFrame()).empty();) far.Send(frame);
  };
}

// A printer that says XOFF at the first burst and reads no more until
// released, so the line is held however late the XOFF takes effect; released,
// it reads again but sends no XON of its own.
inline FarEnd::Answer Holding(const std::atomic<bool>& released) {
  return [&released, held = false](FarEnd& far, const std::string&) mutable {
    if (std::exchange(held, true)) return;
    far.Send(std::string(1, sim::kXoff));
    while (!released && !far.Stopping()) std::this_thread::sleep_for(std::chrono::milliseconds(2));
  };
}

}  // namespace rx::testing
