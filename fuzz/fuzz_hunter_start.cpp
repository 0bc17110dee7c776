// The hunter start on any source file: it ends with 0, 1008 or 1010; a
// result is a file of 13-character start lines, no more of them than the
// source has records, the first at the start clock and none before it;
// without a result whatever had the output's name is as it was, and no file
// of the run's own is left behind.
//
// Input: a flags byte, four characters of start clock, then the source file.
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "data/data_file.h"
#include "data/hunter_start.h"
#include "data/time_values.h"
#include "fuzz_support.h"
#include "link/error_line.h"
#include "support/fake_platform.h"

namespace rx::fuzz {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> LinesOf(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string ContentOf(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace
}  // namespace rx::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace rx;
  using namespace rx::fuzz;
  static ScratchDirectory scratch("hunter");
  Bytes in(data, size);
  const std::uint8_t flags = in.Byte();
  std::string clock = in.Take(4);
  // Mostly a clock as the hunter screen passes it (checked HHMM), sometimes
  // whatever the input says.
  const bool checkedClock = !(flags & 1);
  if (checkedClock) {
    for (char& c : clock) c = static_cast<char>('0' + static_cast<unsigned char>(c) % 10);
    clock.resize(4, '0');
    if (!IsValidClock(clock + "00")) clock = "1030";
  }
  const std::string content = in.Rest();

  const fs::path& dir = scratch.Fresh();
  testing::TestTerminal tt(dir);
  const std::string source = "FN241433.C08", output = (flags & 2) ? source : "CN201030.C08";
  if (!(flags & 4)) WriteFile(dir / source, content);  // else: the source is gone
  std::error_code ignored;
  const std::string earlier = "an earlier output\r\n";
  const bool earlierOutput = !(flags & 8) && (flags & 16) && output != source;
  if (flags & 8) fs::create_directories(dir / output, ignored);  // something in the output's place
  if (earlierOutput) WriteFile(dir / output, earlier);

  int error = RunHunterStart(tt.terminal, source, output, clock);
  RX_CHECK(!tt.terminal.dataFile.IsOpen(), "the source was left open");
  RX_CHECK(error == 0 || error == Errors::NoData || error == Errors::CannotWriteFile, clock);

  const bool made = fs::is_regular_file(dir / output, ignored);
  for (const auto& entry : fs::directory_iterator(dir, ignored))
    RX_CHECK(entry.path().filename() == source || entry.path().filename() == output,
             "the run left a file of its own");
  if (error != 0) {
    if (flags & 8)
      RX_CHECK(fs::is_directory(dir / output, ignored), "the directory in the output's place is gone");
    else if (earlierOutput)
      RX_CHECK(ContentOf(dir / output) == earlier, "the earlier output changed");
    else if (output != source)
      RX_CHECK(!made, "a failed run left an output");
    return 0;
  }
  RX_CHECK(made, "no output");
  if (!checkedClock) return 0;  // a clock with a line end in it makes lines of its own
  std::size_t records = 0;
  {
    OpenDataFile(tt.terminal, false, source);  // reread the source the way the terminal does
    for (std::string line; ReadDataLine(tt.terminal, &line);) records += IsRecordLine(line);
    CloseDataFile(tt.terminal);
  }
  std::vector<std::string> lines = LinesOf(dir / output);
  RX_CHECK(!lines.empty() && lines.size() <= records, "start lines and records disagree");
  for (const std::string& line : lines) {
    RX_CHECK(line.size() == 14 && line.back() == '\r', line);
    RX_CHECK(ClockToSeconds(line.substr(4, 8)).seconds >= 0, line);
  }
  RX_CHECK(lines[0].substr(4, 4) == clock, lines[0]);
  return 0;
}
