// What every fuzz target shares: reading the input a piece at a time, a data
// directory of the process's own, and a property check that stops the run.
#pragma once

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

namespace rx::fuzz {

// The input as a stream; past its end every read gives zeros, so a short
// input is simply a program that stops early.
class Bytes {
 public:
  Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool Empty() const { return at_ >= size_; }
  std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  bool Bit() { return (Byte() & 1) != 0; }
  // Two bytes, low first. (Never "Byte() | Byte() << 8": the order of the
  // two reads would be the compiler's choice, and a crash found by one
  // build would not replay in another.)
  unsigned Word() {
    unsigned low = Byte();
    return low | static_cast<unsigned>(Byte()) << 8;
  }
  // Up to count bytes, fewer at the end.
  std::string Take(std::size_t count) {
    std::size_t left = size_ - at_;
    std::size_t n = count < left ? count : left;
    std::string text(reinterpret_cast<const char*>(data_ + at_), n);
    at_ += n;
    return text;
  }
  // Everything up to the next newline (which is consumed, not returned).
  std::string Line() {
    std::string text;
    while (at_ < size_ && data_[at_] != '\n') text.push_back(static_cast<char>(data_[at_++]));
    if (at_ < size_) ++at_;
    return text;
  }
  std::string Rest() { return Take(size_ - at_); }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

// A violated property: say which, then stop the way a crash does, so the
// fuzzer keeps the input and a replay fails.
[[noreturn]] inline void Violated(const char* what, std::string_view detail = {}) {
  std::fprintf(stderr, "property violated: %s [%.*s]\n", what, static_cast<int>(detail.size()),
               detail.data());
  std::abort();
}
#define RX_CHECK(condition, detail) \
  ((condition) ? (void)0 : ::rx::fuzz::Violated(#condition, (detail)))

// One data directory per process and target, emptied for every input so
// the runs stay independent and the disk does not fill. Removed at exit.
// In memory where the system offers it: the data files are synced to disk
// when closed, and on a real disk those syncs would set the pace.
class ScratchDirectory {
 public:
  explicit ScratchDirectory(const std::string& target)
      : path_(Base() / ("rx710kp-fuzz-" + target + "-" + std::to_string(getpid()))) {
    RemoveOrphans();
  }
  ~ScratchDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  // Empty and present (an input may have removed it or put a file there).
  const std::filesystem::path& Fresh() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
    std::filesystem::create_directories(path_, ignored);
    return path_;
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  // A run that crashed (or a fuzzer's child that was ended) left its
  // directory behind: those of processes that are gone go now.
  static void RemoveOrphans() {
    std::error_code error;
    for (std::filesystem::directory_iterator it(Base(), error), end; !error && it != end;
         it.increment(error)) {
      const std::string name = it->path().filename().string();
      if (name.rfind("rx710kp-fuzz-", 0) != 0) continue;
      const std::size_t dash = name.rfind('-');
      const long pid = std::strtol(name.c_str() + dash + 1, nullptr, 10);
      if (pid <= 0 || (kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH)) continue;
      std::error_code ignored;
      std::filesystem::remove_all(it->path(), ignored);
    }
  }
  static std::filesystem::path Base() {
    std::error_code error;
    if (access("/dev/shm", W_OK) == 0 && std::filesystem::is_directory("/dev/shm", error))
      return "/dev/shm";
    return std::filesystem::temp_directory_path();
  }
  std::filesystem::path path_;
};

// A file name the file system takes: no "/" or NUL, not "." or "..", not
// longer than a name may be. An empty result means none could be made.
inline std::string UsableName(std::string name) {
  for (char& c : name)
    if (c == '/' || c == '\0') c = '_';
  if (name.size() > 200) name.resize(200);
  if (name == "." || name == "..") name += "_";
  return name;
}

inline bool WriteFile(const std::filesystem::path& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
  return static_cast<bool>(out);
}

}  // namespace rx::fuzz
