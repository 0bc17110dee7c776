#include "sim/pty_device.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <optional>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "sim/data_file.h"
#include "sim/demo_race.h"
#include "sim/replies.h"

namespace rx::sim {

namespace {

DeviceMemory InitialMemory(const Options& options, std::string* error) {
  DeviceMemory memory;
  if (options.demoData) FillDemoRace(memory);
  for (const std::string& file : options.loadFiles) {
    if (!LoadDataFile(memory, file, error)) break;
  }
  return memory;
}

std::string SystemError(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

}  // namespace

PtyDevice::PtyDevice(Options options)
    : options_(std::move(options)),
      protocol_(InitialMemory(options_, &loadError_), options_.relayMode),
      pacer_(options_.fast ? std::chrono::nanoseconds(0) : kCharTime) {
  protocol_.SetLogSink([this](const std::string& line) { Note(line); });
  protocol_.SetTextSink([this](const std::string& line) {
    if (print_.is_open()) print_ << line << '\n' << std::flush;
  });
}

PtyDevice::~PtyDevice() { Stop(); }

bool PtyDevice::Start(std::string* error) {
  auto fail = [&](std::string why) {
    if (error) *error = std::move(why);
    CloseAll();
    return false;
  };
  if (Running()) return fail("already started");
  if (!loadError_.empty()) return fail(loadError_);
  if (!options_.printFile.empty()) {
    print_.open(options_.printFile, std::ios::trunc);
    if (!print_) return fail(options_.printFile + ": cannot be written");
  }

  master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master_ < 0) return fail(SystemError("posix_openpt"));
  if (grantpt(master_) != 0 || unlockpt(master_) != 0) return fail(SystemError("grantpt/unlockpt"));
  char name[128];
  if (ptsname_r(master_, name, sizeof name) != 0) return fail(SystemError("ptsname"));
  slavePath_ = name;
  slave_ = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (slave_ < 0) return fail(SystemError(name));
  // Raw, so the line discipline neither echoes replies back nor edits commands.
  termios tio{};
  if (tcgetattr(slave_, &tio) != 0) return fail(SystemError("tcgetattr"));
  cfmakeraw(&tio);
  cfsetspeed(&tio, B9600);
  if (tcsetattr(slave_, TCSANOW, &tio) != 0) return fail(SystemError("tcsetattr"));
  if (fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK) != 0) return fail(SystemError("fcntl"));
  if (pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0) return fail(SystemError("pipe2"));

  stop_ = false;
  thread_ = std::thread([this] { Run(); });
  return true;
}

void PtyDevice::Stop() {
  if (thread_.joinable()) {
    stop_ = true;
    const char wake = 1;
    [[maybe_unused]] ssize_t ignored = write(wake_[1], &wake, 1);
    thread_.join();
  }
  CloseAll();
}

void PtyDevice::CloseAll() {
  for (int* fd : {&master_, &slave_, &wake_[0], &wake_[1]}) {
    if (*fd >= 0) close(*fd);
    *fd = -1;
  }
}

void PtyDevice::Note(const std::string& line) {
  traffic_.push_back(line);
  undelivered_.push_back(line);
}

void PtyDevice::DeliverNotes() {
  std::vector<std::string> notes;
  {
    std::lock_guard lock(mutex_);
    notes.swap(undelivered_);
  }
  if (options_.onTraffic) {
    for (const std::string& line : notes) options_.onTraffic(line);
  }
}

void PtyDevice::Transmit() {
  while (!protocol_.Paused()) {
    if (outPos_ == out_.size()) {
      out_ = protocol_.NextFrame();
      outPos_ = 0;
      if (out_.empty()) break;
      Note("tx " + Visible(out_));
    }
    const auto now = LinePacer::Clock::now();
    if (lineIdle_) {
      pacer_.Restart(now);
      lineIdle_ = false;
    }
    const std::size_t count = std::min(pacer_.Allowance(now), out_.size() - outPos_);
    if (count == 0) return;
    const ssize_t written = write(master_, out_.data() + outPos_, count);
    if (written <= 0) {
      writeBlocked_ = true;  // the terminal is not reading: wait until the pty takes more
      return;
    }
    outPos_ += static_cast<std::size_t>(written);
    pacer_.Sent(static_cast<std::size_t>(written));
  }
  lineIdle_ = true;
}

void PtyDevice::TakeArrived(LinePacer::Clock::time_point now) {
  while (!arriving_.empty() && arriving_.front().due <= now) {
    protocol_.Receive(arriving_.front().bytes);
    arriving_.pop_front();
  }
}

void PtyDevice::Run() {
  char buffer[4096];
  while (!stop_) {
    bool wantWrite;
    {
      std::lock_guard lock(mutex_);
      wantWrite = !protocol_.Paused() && (outPos_ < out_.size() || protocol_.HasOutput());
    }
    pollfd fds[2] = {{master_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
    timespec wait{};
    timespec* timeout = nullptr;
    std::optional<LinePacer::Clock::time_point> wakeAt;
    if (wantWrite && writeBlocked_) {
      fds[0].events |= POLLOUT;
    } else if (wantWrite) {
      wakeAt = pacer_.NextDue();
    }
    {
      std::lock_guard lock(mutex_);
      if (!arriving_.empty() && (!wakeAt || arriving_.front().due < *wakeAt)) wakeAt = arriving_.front().due;
    }
    if (wakeAt) {
      const auto left = std::max(*wakeAt - LinePacer::Clock::now(), LinePacer::Clock::duration(0));
      const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
      wait = {static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)};
      timeout = &wait;
    }
    if (ppoll(fds, 2, timeout, nullptr) < 0 && errno != EINTR) break;
    if (fds[1].revents & POLLIN) {
      while (read(wake_[0], buffer, sizeof buffer) > 0) {
      }
      continue;
    }
    if (fds[0].revents & (POLLERR | POLLHUP)) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (fds[0].revents & POLLOUT) writeBlocked_ = false;
    {
      std::lock_guard lock(mutex_);
      const auto now = LinePacer::Clock::now();
      if (fds[0].revents & POLLIN) {
        const ssize_t got = read(master_, buffer, sizeof buffer);
        if (got > 0) {
          std::string bytes(buffer, static_cast<std::size_t>(got));
          if (options_.fast) {
            protocol_.Receive(bytes);
          } else {
            // The command crosses the line at its own pace, after what came before it.
            inboundFree_ = std::max(inboundFree_, now) + kCharTime * static_cast<long long>(bytes.size());
            arriving_.push_back({inboundFree_, std::move(bytes)});
          }
        }
      }
      TakeArrived(now);
      if (!writeBlocked_) Transmit();
    }
    changed_.notify_all();
    DeliverNotes();
  }
}

std::vector<std::string> PtyDevice::Lines(MemoryKind kind) const {
  std::lock_guard lock(mutex_);
  return protocol_.Memory().Lines(kind);
}

DeviceMemory PtyDevice::Memory() const {
  std::lock_guard lock(mutex_);
  return protocol_.Memory();
}

void PtyDevice::EditMemory(const std::function<void(DeviceMemory&)>& edit) {
  std::lock_guard lock(mutex_);
  edit(protocol_.Memory());
}

bool PtyDevice::RelayMode() const {
  std::lock_guard lock(mutex_);
  return protocol_.RelayMode();
}

void PtyDevice::SetRelayMode(bool relay) {
  std::lock_guard lock(mutex_);
  protocol_.SetRelayMode(relay);
}

std::vector<std::string> PtyDevice::TextLines() const {
  std::lock_guard lock(mutex_);
  return protocol_.TextLines();
}

std::vector<std::string> PtyDevice::Traffic() const {
  std::lock_guard lock(mutex_);
  return traffic_;
}

std::size_t PtyDevice::FramesReceived() const {
  std::lock_guard lock(mutex_);
  return protocol_.FramesReceived();
}

bool PtyDevice::WaitForFrames(std::size_t count, std::chrono::milliseconds timeout) const {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, timeout, [&] { return protocol_.FramesReceived() >= count; });
}

bool PtyDevice::WaitUntilSent(std::chrono::milliseconds timeout) const {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, timeout,
                           [&] { return outPos_ == out_.size() && !protocol_.HasOutput(); });
}

}  // namespace rx::sim
