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

// A new file beside the output, named so that no file list shows it; a
// name already taken (left by a run that was killed) is never reused.
bool CreateBeside(LineFile& out, const std::filesystem::path& output, std::filesystem::path* made) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::filesystem::path path = output;
    path.replace_filename("." + output.filename().string() + "." + std::to_string(attempt) + ".part");
    if (out.Create(path)) {
      *made = path;
      return true;
    }
  }
  return false;
}

}  // namespace

int RunHunterStart(Terminal& t, const std::string& source, const std::string& output,
                   const std::string& startHourMinute) {
  // The source is checked before anything is written, and the output is
  // written beside its place and put there only when whole: a run that
  // fails leaves whatever had the output's name as it was.
  std::string line;
  TimeParts reference{-1, 0};
  if (OpenDataFile(t, FileAccess::Read, source) && ReadDataLine(t, &line) && IsRecordLine(line))
    reference = ClockToSeconds(line.substr(4));
  if (reference.seconds < 0) {
    CloseDataFile(t);
    return Errors::NoData;
  }
  const std::filesystem::path path = t.dataDirectory / output;
  std::filesystem::path part;
  LineFile out;
  if (output.empty() || !CreateBeside(out, path, &part)) {
    CloseDataFile(t);
    return Errors::CannotWriteFile;
  }
  const long start = ClockToSeconds(startHourMinute + "0000 ").seconds;
  bool written = out.WriteLine(line.substr(0, 4) + startHourMinute + "000  ");
  while (written && ReadDataLine(t, &line)) {
    if (!IsRecordLine(line)) continue;
    TimeParts time = ClockToSeconds(line.substr(4));
    if (time.seconds < 0) continue;
    long gap = time.seconds - reference.seconds;
    if (time.fraction - reference.fraction < 0) --gap;  // cut to whole seconds
    if (gap < 0) continue;                              // faster than the first
    long startTime = (start + gap) % 86400;
    written = out.WriteLine(line.substr(0, 4) + ClockText(startTime) + "0  ");
  }
  CloseDataFile(t);
  written = out.Close() && written;
  std::error_code failure;
  if (written) std::filesystem::rename(part, path, failure);  // never over a directory
  if (written && !failure) return 0;
  std::filesystem::remove(part, failure);
  return Errors::CannotWriteFile;
}

}  // namespace rx
