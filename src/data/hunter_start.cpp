#include "data/hunter_start.h"

#include <unistd.h>

#include <cstdio>

#include "data/data_file.h"
#include "data/time_values.h"
#include "link/error_line.h"
#include "link/replies.h"

namespace rx {

namespace {

std::string ClockText(long seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%02ld%02ld%02ld", seconds / 3600 % 100, seconds / 60 % 60,
                seconds % 60);
  return text;
}

class OutputFile {
 public:
  explicit OutputFile(const std::filesystem::path& path) : path_(path) {
    handle_ = std::fopen(path.c_str(), "wb");
  }
  ~OutputFile() { Close(); }
  bool Open() const { return handle_ != nullptr; }
  void Write(const std::string& text) {
    std::string line = text + "\r\n";
    if (std::fwrite(line.data(), 1, line.size(), handle_) != line.size()) failed_ = true;
  }
  // False when anything written did not reach the file.
  bool Close() {
    if (handle_ == nullptr) return !failed_;
    if (std::fflush(handle_) != 0 || fsync(fileno(handle_)) != 0) failed_ = true;
    if (std::fclose(handle_) != 0) failed_ = true;
    handle_ = nullptr;
    return !failed_;
  }
  void Remove() {
    Close();
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }

 private:
  std::filesystem::path path_;
  std::FILE* handle_ = nullptr;
  bool failed_ = false;
};

}  // namespace

int RunHunterStart(Terminal& t, const std::string& source, const std::string& output,
                   const std::string& startHourMinute) {
  OpenDataFile(t, false, source);
  OutputFile out(t.dataDirectory / output);
  if (t.form.FileNo < 0 || !out.Open()) {
    CloseDataFile(t);
    bool sourceMissing = t.form.FileNo < 0;
    out.Remove();
    return sourceMissing ? Errors::NoData : Errors::CannotWriteFile;
  }
  const long start = ClockToSeconds(startHourMinute + "0000 ").seconds;
  std::string line;
  TimeParts reference{-1, 0};
  if (ReadDataLine(t, &line) && IsRecordLine(line)) reference = ClockToSeconds(line.substr(4));
  if (reference.seconds < 0) {
    // Nothing to convert: no empty file that looks like a result.
    CloseDataFile(t);
    out.Remove();
    return Errors::NoData;
  }
  out.Write(line.substr(0, 4) + startHourMinute + "000  ");
  while (ReadDataLine(t, &line)) {
    if (!IsRecordLine(line)) continue;
    TimeParts time = ClockToSeconds(line.substr(4));
    if (time.seconds < 0) continue;
    long gap = time.seconds - reference.seconds;
    if (time.fraction - reference.fraction < 0) --gap;  // cut to whole seconds
    if (gap < 0) continue;                              // faster than the first
    long startTime = (start + gap) % 86400;
    out.Write(line.substr(0, 4) + ClockText(startTime) + "0  ");
  }
  CloseDataFile(t);
  return out.Close() ? 0 : Errors::CannotWriteFile;
}

}  // namespace rx
