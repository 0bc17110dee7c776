#include "sim/command_line.h"

namespace rx::sim {

std::string Usage() {
  return "usage: rx710-sim [--fast] [--mode alpine|relay] [--empty] [--load FILE]...\n"
         "                 [--print-file FILE] [--link PATH] [--quiet]\n"
         "\n"
         "Simulates an RX-710 timing device on a pseudo-terminal and prints the path\n"
         "of its slave side, which the terminal opens as its serial port.\n"
         "\n"
         "  --fast             send replies without the 9600-baud line pacing\n"
         "  --mode MODE        alpine (also: nordic) or relay; alpine by default\n"
         "  --empty            start with empty memories instead of the demo race\n"
         "  --load FILE        add the records of a data file; its first letter names\n"
         "                     the memory: C course, D DNF, F first run, S second run,\n"
         "                     G without times, V relay course, Y relay results\n"
         "  --print-file FILE  write the text lines received to FILE instead of the output\n"
         "  --link PATH        make PATH a symlink to the slave while running\n"
         "  --quiet            print no traffic\n"
         "  --help             show this text\n"
         "\n"
         "Runs until interrupted (SIGINT or SIGTERM).\n";
}

bool ParseCommandLine(const std::vector<std::string>& args, CommandLine& out, std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error) *error = why;
    return false;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= args.size()) return false;
      into = args[++i];
      return true;
    };
    std::string text;
    if (arg == "--fast") {
      out.options.fast = true;
    } else if (arg == "--empty") {
      out.options.demoData = false;
    } else if (arg == "--quiet") {
      out.quiet = true;
    } else if (arg == "--help" || arg == "-h") {
      out.help = true;
    } else if (arg == "--mode") {
      if (!value(text)) return fail("--mode needs a value: alpine or relay");
      if (text == "relay") {
        out.options.relayMode = true;
      } else if (text == "alpine" || text == "nordic") {
        out.options.relayMode = false;
      } else {
        return fail("unknown mode '" + text + "': alpine or relay");
      }
    } else if (arg == "--load") {
      if (!value(text)) return fail("--load needs a file");
      out.options.loadFiles.push_back(text);
    } else if (arg == "--print-file") {
      if (!value(out.options.printFile)) return fail("--print-file needs a file");
    } else if (arg == "--link") {
      if (!value(out.link)) return fail("--link needs a path");
    } else {
      return fail("unknown option '" + arg + "'");
    }
  }
  return true;
}

}  // namespace rx::sim
