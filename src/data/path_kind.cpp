#include "data/path_kind.h"

#include <sys/stat.h>

#include <cerrno>

namespace rx {

std::string KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a directory";
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISCHR(mode)) return "a character device";
  if (S_ISBLK(mode)) return "a block device";
  if (S_ISSOCK(mode)) return "a socket";
  return "no regular file";
}

std::string Occupant(const std::filesystem::path& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0)
    return errno == ENOENT && ::lstat(path.c_str(), &st) == 0 ? "a link to nothing" : "";
  return S_ISREG(st.st_mode) ? "" : KindOf(st.st_mode);
}

}  // namespace rx
