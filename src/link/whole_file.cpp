#include "link/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "data/path_kind.h"
#include "link/data_file_reader.h"

namespace rx {

namespace {

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t put = ::write(fd, bytes.data(), bytes.size());
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(put));
  }
  return true;
}

}  // namespace

bool WriteWholeFile(const std::filesystem::path& given, std::string_view bytes,
                    const std::vector<std::filesystem::path>& inputs, std::string* reason) {
  const std::string name = given.string();
  for (const std::filesystem::path& input : inputs)
    if (SameFile(given, input)) {
      *reason = "cannot write " + name + ": it is " + input.string() + " itself; it is left as it is";
      return false;
    }
  if (const std::string there = Occupant(given); !there.empty()) {
    *reason = "cannot write " + name + ": " + there + " is there, not a file";
    return false;
  }
  // A link to a file: the file it names is replaced, the link stays.
  std::error_code error;
  std::filesystem::path path = given;
  if (std::filesystem::is_symlink(std::filesystem::symlink_status(given, error)))
    path = std::filesystem::canonical(given, error);
  if (error && error != std::errc::no_such_file_or_directory) {
    *reason = "cannot write " + name + ": " + error.message();
    return false;
  }
  struct stat old {};
  const bool replacing = ::stat(path.c_str(), &old) == 0;
  if (replacing && ::access(path.c_str(), W_OK) != 0) {  // a file kept from writing is not replaced either
    *reason = "cannot write " + name + ": " + std::strerror(errno);
    return false;
  }
  // Beside it, so that the rename stays on one file system, under a name
  // nothing else has; made with the mode a new file gets (the umask applies).
  int fd = -1;
  std::string temporary;
  for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
    temporary = (path.parent_path() / ("." + path.filename().string() + "." + std::to_string(::getpid()) + "-" +
                                       std::to_string(attempt)))
                    .string();
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) {
    *reason = "cannot write " + name + ": " + std::strerror(errno);
    return false;
  }
  // A file replaced keeps its mode.
  bool done = (!replacing || fchmod(fd, old.st_mode & 07777) == 0) && WriteAll(fd, bytes) && fsync(fd) == 0;
  int saved = errno;
  done = close(fd) == 0 && done;
  if (done && !(done = Occupant(path).empty())) saved = EEXIST;  // something came meanwhile
  if (done && ::rename(temporary.c_str(), path.c_str()) != 0) {
    saved = errno;
    done = false;
  }
  if (!done) {
    ::unlink(temporary.c_str());
    *reason = "cannot write " + name + ": " + std::strerror(saved ? saved : EIO);
  }
  return done;
}

}  // namespace rx
