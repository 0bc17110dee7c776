// The simulated device on its pseudo-terminal, at the line's own pace.
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>

#include "sim/fields.h"
#include "sim/pty_device.h"
#include "sim/replies.h"

namespace rx::sim {
namespace {

// Reads until count bytes came, nothing came for quietMs, or 20 s are over.
std::string Read(int fd, std::size_t count, int quietMs) {
  std::string got;
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (got.size() < count && std::chrono::steady_clock::now() < end) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, quietMs) <= 0 || !(p.revents & POLLIN)) break;
    char buffer[512];
    const ssize_t n = read(fd, buffer, std::min(sizeof buffer, count - got.size()));
    if (n <= 0) break;
    got.append(buffer, static_cast<std::size_t>(n));
  }
  return got;
}

TEST(PtyDevice, XoffHoldsTheRepliesUntilXon) {
  PtyDevice device(Options{.demoData = false});
  DeviceMemory memory;
  for (int bib = 100; bib < 150; ++bib) memory.Put(MemoryKind::Course, '1', std::to_string(bib), "1000000000");
  device.EditMemory([&](DeviceMemory& m) { m = memory; });
  // What the device has to say to the read, about 1.3 s at the line's pace.
  DeviceProtocol protocol(memory);
  protocol.Receive(Frame("CO0A"));
  std::string all;
  for (std::string f = protocol.NextFrame(); !f.empty(); f = protocol.NextFrame()) all += f;

  std::string error;
  ASSERT_TRUE(device.Start(&error)) << error;
  const int fd = open(device.SlavePath().c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(fd, 0);
  termios tio{};
  tcgetattr(fd, &tio);
  cfmakeraw(&tio);
  tcsetattr(fd, TCSANOW, &tio);
  const std::string read = std::string(1, kXon) + Frame("CO0A");
  ASSERT_EQ(write(fd, read.data(), read.size()), static_cast<ssize_t>(read.size()));
  std::string got = Read(fd, kFrameSize, 10000);
  ASSERT_EQ(write(fd, &kXoff, 1), 1);
  got += Read(fd, all.size(), 300);  // what was on its way, then silence
  EXPECT_LT(got.size(), all.size() / 2);
  ASSERT_EQ(write(fd, &kXon, 1), 1);
  got += Read(fd, all.size() - got.size(), 10000);
  EXPECT_EQ(Visible(got), Visible(all));
  close(fd);
}

}  // namespace
}  // namespace rx::sim
