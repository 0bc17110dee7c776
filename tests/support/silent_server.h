// A print server that takes every connection and never answers: a listening
// Unix socket nobody accepts on, for CUPS_SERVER to name.
#pragma once

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <string>

namespace rx::testing {

class SilentServer {
 public:
  explicit SilentServer(const std::string& path) : path_(path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    fd_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(fd_, 16) != 0)
      ::close(fd_), fd_ = -1;
  }
  ~SilentServer() {
    if (fd_ >= 0) ::close(fd_), ::unlink(path_.c_str());
  }
  bool Listening() const { return fd_ >= 0; }

 private:
  std::string path_;
  int fd_ = -1;
};

}  // namespace rx::testing
