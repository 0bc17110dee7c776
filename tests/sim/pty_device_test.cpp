#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "sim/pty_device.h"
#include "sim_test_support.h"

namespace rx::sim {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using testing::Cmd;

// The terminal's side: the slave opened as a raw serial port.
class Client {
 public:
  explicit Client(const std::string& path) : fd_(open(path.c_str(), O_RDWR | O_NOCTTY)) {
    termios tio{};
    tcgetattr(fd_, &tio);
    cfmakeraw(&tio);
    tcsetattr(fd_, TCSANOW, &tio);
  }
  ~Client() {
    if (fd_ >= 0) close(fd_);
  }
  bool ok() const { return fd_ >= 0; }
  void Write(const std::string& bytes) { ASSERT_EQ(write(fd_, bytes.data(), bytes.size()), ssize_t(bytes.size())); }
  void Send(std::string_view body) { Write(std::string(1, kXon) + Frame(Cmd(body))); }
  // Reads until count bytes arrived or the wait is over.
  std::string Read(std::size_t count, std::chrono::milliseconds wait = 3s) {
    std::string got;
    const auto end = Clock::now() + wait;
    while (got.size() < count && Clock::now() < end) {
      pollfd p{fd_, POLLIN, 0};
      if (poll(&p, 1, 20) <= 0) continue;
      if (!(p.revents & POLLIN)) break;
      char buffer[512];
      const ssize_t n = read(fd_, buffer, std::min(sizeof buffer, count - got.size()));
      if (n <= 0) break;
      got.append(buffer, static_cast<std::size_t>(n));
    }
    return got;
  }
  int fd() const { return fd_; }

 private:
  int fd_;
};

Options Quiet(bool fast) {
  Options o;
  o.fast = fast;
  o.demoData = false;
  return o;
}

void FillCourse(PtyDevice& device, int records) {
  device.EditMemory([&](DeviceMemory& m) {
    for (int bib = 1; bib <= records; ++bib) {
      m.Put(MemoryKind::Course, '1', (bib < 10 ? "00" : "0") + std::to_string(bib), "1000000000");
    }
  });
}

TEST(PtyDevice, XoffHoldsTheOutputUntilXon) {
  const int kRecords = 10;
  PtyDevice device(Quiet(false));
  FillCourse(device, kRecords);
  std::string error;
  ASSERT_TRUE(device.Start(&error)) << error;
  Client terminal(device.SlavePath());
  terminal.Send("CO0A");
  std::string got = terminal.Read(kFrameSize);
  terminal.Write(std::string(1, kXoff));
  got += terminal.Read(1000, 150ms);  // what was already on its way
  const std::size_t held = got.size();
  got += terminal.Read(1000, 300ms);
  EXPECT_EQ(got.size(), held);
  EXPECT_LT(held, (kRecords + 2) * kFrameSize);
  terminal.Write(std::string(1, kXon));
  got += terminal.Read((kRecords + 2) * kFrameSize - got.size());
  ASSERT_EQ(got.size(), (kRecords + 2) * kFrameSize);
  for (int i = 0; i < kRecords + 2; ++i) {
    EXPECT_EQ(got[i * kFrameSize], kStx);
    EXPECT_EQ(got[i * kFrameSize + kFrameSize - 1], kEtx);
  }
}

}  // namespace
}  // namespace rx::sim
