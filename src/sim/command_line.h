// The command line of the rx710-sim program.
#pragma once

#include <string>
#include <vector>

#include "sim/options.h"

namespace rx::sim {

struct CommandLine {
  Options options;
  std::string link;  // a symlink to the slave made at start, removed at exit
  bool quiet = false;
  bool help = false;
};

// args without the program name. False with a message for the user when an
// option is unknown or lacks its value.
bool ParseCommandLine(const std::vector<std::string>& args, CommandLine& out, std::string* error);

std::string Usage();

}  // namespace rx::sim
