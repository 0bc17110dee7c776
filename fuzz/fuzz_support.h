#pragma once

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "shell/tick.h"
#include "support/terminal_driver.h"

namespace rx::fuzz {

namespace fs = std::filesystem;
using testing::TestTerminal;

// The input as a stream; past its end every read gives zeros.
struct Bytes {
  const std::uint8_t* data;
  std::size_t size, at = 0;

  bool Empty() const { return at >= size; }
  std::uint8_t Byte() { return at < size ? data[at++] : 0; }
  // Low byte first, in a fixed order, so that a crash replays in any build.
  unsigned Word() { const unsigned low = Byte(); return low | Byte() << 8u; }
  std::string Take(std::size_t count) {
    const std::size_t n = std::min(count, size - at);
    at += n;
    return std::string(reinterpret_cast<const char*>(data + at - n), n);
  }
  std::string Line() {  // the newline is consumed
    const std::size_t end = std::find(data + at, data + size, '\n') - data;
    std::string text = Take(end - at);
    at += at < size;
    return text;
  }
};

// A violated property stops the run as a crash does, so the fuzzer keeps the input.
[[noreturn]] inline void Violated(const char* what, std::string_view detail) {
  std::fprintf(stderr, "property violated: %s [%.*s]\n", what, static_cast<int>(detail.size()), detail.data());
  std::abort();
}
#define RX_CHECK(condition, detail) ((condition) ? (void)0 : ::rx::fuzz::Violated(#condition, (detail)))

// Emptied for every input; in memory where there is /dev/shm.
struct ScratchDirectory {
  explicit ScratchDirectory(const std::string& target)
      : path_(fs::path(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : fs::temp_directory_path()) /
              ("rx710kp-fuzz-" + target + "-" + std::to_string(getpid()))) {}
  ~ScratchDirectory() { fs::remove_all(path_, error_); }
  const fs::path& Fresh() { fs::remove_all(path_, error_), fs::create_directories(path_, error_); return path_; }

 private:
  std::error_code error_;
  fs::path path_;
};

inline bool WriteFile(const fs::path& path, const std::string& content) {
  return static_cast<bool>(std::ofstream(path, std::ios::binary) << content);
}

using testing::ContentOf, testing::FramesIn, testing::Frame, testing::Press, testing::Receive, testing::Type;

// Lets up to ms pass: tasks when due, the tick every 100 ms; budget ends a job that keeps posting.
inline void Pass(TestTerminal& tt, long long ms, int budget = 2000) {
  testing::FakeEventLoop& loop = tt.fakes.events;
  const long long end = loop.now + ms;
  long long nextTick = (loop.now / 100 + 1) * 100;
  while (budget > 0) {
    tt.fakes.clock.monotonic = loop.now;
    if (int ran = loop.Turn(); ran > 0) { budget -= ran; continue; }
    long long next = nextTick;
    for (const auto& task : loop.tasks) next = std::min(next, task.due);
    loop.now = std::min(next, end);
    if (next > end) break;
    if (next == nextTick)
      tt.fakes.clock.monotonic = loop.now, Timer1_Timer(tt.terminal), nextTick += 100, --budget;
  }
  tt.fakes.clock.monotonic = loop.now;
}

}  // namespace rx::fuzz
