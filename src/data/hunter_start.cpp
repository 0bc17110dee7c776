#include "data/hunter_start.h"

#include <cstdio>

#include "data/data_file.h"
#include "data/time_values.h"
#include "link/error_line.h"

namespace rx {

namespace {

std::string ClockText(long seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%02ld%02ld%02ld", seconds / 3600 % 100, seconds / 60 % 60,
                seconds % 60);
  return text;
}

// Removes an output that must not look like a result.
void Discard(LineFile& out, const std::filesystem::path& path) {
  out.Close();
  std::error_code ignored;
  std::filesystem::remove(path, ignored);
}

}  // namespace

int RunHunterStart(Terminal& t, const std::string& source, const std::string& output,
                   const std::string& startHourMinute) {
  OpenDataFile(t, false, source);
  const std::filesystem::path path = t.dataDirectory / output;
  LineFile out;
  bool created = out.Open(path, true);
  if (t.form.FileNo < 0 || !created) {
    bool sourceMissing = t.form.FileNo < 0;
    CloseDataFile(t);
    Discard(out, path);
    return sourceMissing ? Errors::NoData : Errors::CannotWriteFile;
  }
  const long start = ClockToSeconds(startHourMinute + "0000 ").seconds;
  std::string line;
  TimeParts reference{-1, 0};
  if (ReadDataLine(t, &line) && IsRecordLine(line)) reference = ClockToSeconds(line.substr(4));
  if (reference.seconds < 0) {
    // Nothing to convert: no empty file that looks like a result.
    CloseDataFile(t);
    Discard(out, path);
    return Errors::NoData;
  }
  bool written = out.WriteLine(line.substr(0, 4) + startHourMinute + "000  ");
  while (ReadDataLine(t, &line)) {
    if (!IsRecordLine(line)) continue;
    TimeParts time = ClockToSeconds(line.substr(4));
    if (time.seconds < 0) continue;
    long gap = time.seconds - reference.seconds;
    if (time.fraction - reference.fraction < 0) --gap;  // cut to whole seconds
    if (gap < 0) continue;                              // faster than the first
    long startTime = (start + gap) % 86400;
    written = out.WriteLine(line.substr(0, 4) + ClockText(startTime) + "0  ") && written;
  }
  CloseDataFile(t);
  return out.Close() && written ? 0 : Errors::CannotWriteFile;
}

}  // namespace rx
