// rx710-sim: an RX-710 timing device on a pseudo-terminal, for trying the
// terminal without the hardware.
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <mutex>
#include <string>
#include <vector>

#include "sim/command_line.h"
#include "sim/pty_device.h"

namespace {

// Points path at target; an existing symlink is replaced, anything else kept.
bool MakeLink(const std::string& path, const std::string& target, std::string* error) {
  struct stat st{};
  if (lstat(path.c_str(), &st) == 0) {
    if (!S_ISLNK(st.st_mode)) {
      *error = path + " exists and is not a symlink";
      return false;
    }
    unlink(path.c_str());
  }
  if (symlink(target.c_str(), path.c_str()) != 0) {
    *error = "cannot make the symlink " + path;
    return false;
  }
  return true;
}

// Removes the link only while it still points at our slave.
void RemoveLink(const std::string& path, const std::string& target) {
  std::vector<char> buffer(target.size() + 2);
  const ssize_t n = readlink(path.c_str(), buffer.data(), buffer.size());
  if (n >= 0 && std::string(buffer.data(), static_cast<std::size_t>(n)) == target) unlink(path.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  rx::sim::CommandLine cmd;
  std::string error;
  if (!rx::sim::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), cmd, &error)) {
    std::cerr << "rx710-sim: " << error << "\n" << rx::sim::Usage();
    return 2;
  }
  if (cmd.help) {
    std::cout << rx::sim::Usage();
    return 0;
  }

  std::mutex printing;
  const bool printToOutput = cmd.options.printFile.empty();
  cmd.options.onTraffic = [&](const std::string& line) {
    std::lock_guard lock(printing);
    if (!cmd.quiet) {
      std::cout << line << std::endl;
    } else if (printToOutput && line.starts_with("text: ")) {
      std::cout << line.substr(6) << std::endl;
    }
  };

  // Blocked before the device thread starts, so only sigwait sees them.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

  rx::sim::PtyDevice device(cmd.options);
  if (!device.Start(&error)) {
    std::cerr << "rx710-sim: " << error << "\n";
    return 1;
  }
  const std::string slave = device.SlavePath();
  if (!cmd.link.empty() && !MakeLink(cmd.link, slave, &error)) {
    std::cerr << "rx710-sim: " << error << "\n";
    return 1;
  }
  {
    std::lock_guard lock(printing);
    std::cout << slave << std::endl;
    if (!cmd.quiet) {
      std::cout << "RX-710 simulator ready on " << slave
                << (cmd.link.empty() ? "" : " (link " + cmd.link + ")") << ", "
                << (cmd.options.relayMode ? "relay" : "alpine/nordic") << " mode"
                << (cmd.options.fast ? ", fast" : "") << std::endl;
    }
  }

  int signal = 0;
  sigwait(&stopSignals, &signal);
  device.Stop();
  if (!cmd.link.empty()) RemoveLink(cmd.link, slave);
  return 0;
}
