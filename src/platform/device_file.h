// What a device file is to this user: there or not, a serial device or some
// other kind of file, usable or not and why, and the stable names under
// /dev/serial/by-id that lead to it.
#pragma once

#include <string>
#include <vector>

namespace rx {

enum class FileKind { CharDevice, Directory, Fifo, Socket, Regular, BlockDevice, Other };

// What a file that is not a serial device is, as the operator is told it.
inline const char* KindText(FileKind kind) {
  switch (kind) {
    case FileKind::CharDevice: return "a character device";
    case FileKind::Directory: return "a directory";
    case FileKind::Fifo: return "a named pipe (FIFO)";
    case FileKind::Socket: return "a socket";
    case FileKind::Regular: return "a plain file";
    case FileKind::BlockDevice: return "a block device";
    case FileKind::Other: break;
  }
  return "an unknown kind of file";
}

struct DeviceFile {
  bool exists = false;
  FileKind kind = FileKind::CharDevice;  // what it is, when it exists
  bool usable = false;            // this user may open it for reading and writing
  std::string owner, group;       // names, or numbers when they have none
  unsigned mode = 0;              // permission bits
  std::string problem;            // why it could not be looked at, when it could not
  std::vector<std::string> links;  // by-id names that lead to it
};

// Asks the system (POSIX). The path is taken byte for byte.
DeviceFile InspectDeviceFile(const std::string& path);

}  // namespace rx
