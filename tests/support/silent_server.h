// A print server that takes every connection and never answers: a listening
// Unix socket nobody accepts on, for CUPS_SERVER to name.
#pragma once

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <string>

namespace rx::testing {

struct SilentServer {
  explicit SilentServer(const std::string& at) : path(at) {
    sockaddr_un address{AF_UNIX, {}};
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    listening = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 && ::listen(fd, 16) == 0;
  }
  ~SilentServer() { ::close(fd), listening && ::unlink(path.c_str()); }
  const std::string path;
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  bool listening = false;
};

}  // namespace rx::testing
