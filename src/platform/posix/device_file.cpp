#include "platform/device_file.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace rx {

namespace {

FileKind KindOf(mode_t mode) {
  if (S_ISCHR(mode)) return FileKind::CharDevice;
  if (S_ISDIR(mode)) return FileKind::Directory;
  if (S_ISFIFO(mode)) return FileKind::Fifo;
  if (S_ISSOCK(mode)) return FileKind::Socket;
  if (S_ISREG(mode)) return FileKind::Regular;
  if (S_ISBLK(mode)) return FileKind::BlockDevice;
  return FileKind::Other;
}

}  // namespace

DeviceFile InspectDeviceFile(const std::string& path) {
  namespace fs = std::filesystem;
  DeviceFile file;
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) {
    if (errno != ENOENT && errno != ENOTDIR) file.problem = std::strerror(errno);
    return file;
  }
  file.exists = true;
  file.kind = KindOf(info.st_mode);
  file.usable = access(path.c_str(), R_OK | W_OK) == 0;
  const passwd* owner = getpwuid(info.st_uid);
  const group* grp = getgrgid(info.st_gid);
  file.owner = owner ? owner->pw_name : std::to_string(info.st_uid);
  file.group = grp ? grp->gr_name : std::to_string(info.st_gid);
  file.mode = info.st_mode & 07777;

  std::error_code error;
  const fs::path target = fs::canonical(path, error);
  for (const fs::directory_entry& entry : fs::directory_iterator("/dev/serial/by-id", error)) {
    std::error_code ignored;
    if (!target.empty() && fs::canonical(entry.path(), ignored) == target)
      file.links.push_back(entry.path().string());
  }
  std::sort(file.links.begin(), file.links.end());
  return file;
}

}  // namespace rx
