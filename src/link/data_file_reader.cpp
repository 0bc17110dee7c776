#include "link/data_file_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "data/data_file.h"
#include "data/path_kind.h"

namespace rx {

namespace {

// Bytes read in one step: a turn of the event loop stays short.
constexpr std::size_t kStepBytes = 256 * 1024;

std::string Why(const std::string& what) { return what + ": " + std::strerror(errno); }

}  // namespace

bool SameFile(const std::filesystem::path& output, const std::filesystem::path& input) {
  struct stat out {}, in {};
  return stat(output.c_str(), &out) == 0 && stat(input.c_str(), &in) == 0 && out.st_dev == in.st_dev &&
         out.st_ino == in.st_ino;
}

std::string PassedOverNotice(std::size_t lines) {
  if (lines == 0) return {};
  return std::to_string(lines) + (lines == 1 ? " line that is no record was" : " lines that are no record were") +
         " passed over";
}

void DataFileReader::Close() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
}

DataFileReader::Stand DataFileReader::Fail(const std::string& reason) {
  reason_ = reason;
  Close();
  return Stand::Failed;
}

DataFileReader::Stand DataFileReader::Open() {
  struct stat seen {};
  if (stat(file_.c_str(), &seen) != 0) return Fail(Why("cannot read it"));
  if (!S_ISREG(seen.st_mode)) return Fail("it is " + KindOf(seen.st_mode) + ", not a data file");
  // O_NONBLOCK: should it have become a FIFO since, the open does not wait.
  fd_ = open(file_.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd_ < 0) return Fail(Why("cannot read it"));
  if (fstat(fd_, &seen) != 0 || !S_ISREG(seen.st_mode))
    return Fail("it is " + KindOf(seen.st_mode) + ", not a data file");
  left_ = static_cast<unsigned long long>(seen.st_size);  // what is appended meanwhile is not waited for
  opened_ = true;
  return Stand::Working;
}

DataFileReader::Stand DataFileReader::Step() {
  if (!reason_.empty()) return Stand::Failed;
  if (!opened_) return Open();
  if (fd_ < 0) return Stand::Done;
  bool tooMany = false;
  auto take = [&](const std::string& line) {
    if (!IsRecordLine(line))
      ++others_;
    else if (records_.size() < kMostRecords)
      records_.push_back(line);
    else
      tooMany = true;
  };
  char block[64 * 1024];
  for (std::size_t read = 0; read < kStepBytes && left_ > 0 && !tooMany;) {
    ssize_t got;
    do {
      got = ::read(fd_, block, static_cast<std::size_t>(std::min<unsigned long long>(sizeof block, left_)));
    } while (got < 0 && errno == EINTR);
    if (got < 0) return Fail(Why("cannot read it"));
    left_ = got == 0 ? 0 : left_ - static_cast<unsigned long long>(got);  // 0: it shrank since it was opened
    splitter_.Feed(block, static_cast<std::size_t>(got), take);
    read += static_cast<std::size_t>(got);
  }
  if (!tooMany && left_ == 0) splitter_.Finish(take);
  if (tooMany)
    return Fail("it holds more than " + std::to_string(kMostRecords) +
                " record lines; no data file of the device is that long");
  if (left_ > 0) return Stand::Working;
  Close();
  return Stand::Done;
}

std::vector<RunRecord> RunRecordsOf(const DataFileReader& reader, std::size_t* passedOver) {
  std::vector<RunRecord> records;
  records.reserve(reader.Records().size());
  *passedOver += reader.Others();
  for (const std::string& line : reader.Records()) {
    if (std::optional<RunRecord> record = ParseRunRecord(line))
      records.push_back(std::move(*record));
    else
      ++*passedOver;
  }
  return records;
}

const MemoryRow* MemoryRowOf(const std::filesystem::path& file) {
  const std::string name = file.filename().string();
  return name.empty() ? nullptr : RowOfFile(name.front());
}

}  // namespace rx
