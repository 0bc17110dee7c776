#include "link/file_print.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "data/data_file.h"

namespace rx {

namespace {

// Bytes read in one step: a turn of the event loop stays short.
constexpr std::size_t kStepBytes = 256 * 1024;

std::string Why(const std::string& what) { return what + ": " + std::strerror(errno); }

const char* KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a directory";
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISCHR(mode)) return "a character device";
  if (S_ISBLK(mode)) return "a block device";
  if (S_ISSOCK(mode)) return "a socket";
  return "no regular file";
}

}  // namespace

bool SameFile(const std::filesystem::path& output, const std::filesystem::path& input) {
  struct stat out {}, in {};
  return stat(output.c_str(), &out) == 0 && stat(input.c_str(), &in) == 0 && out.st_dev == in.st_dev &&
         out.st_ino == in.st_ino;
}

FilePrint::FilePrint(PagePrinter& printer, PageTarget target, std::filesystem::path file)
    : target_(std::move(target)),
      file_(std::move(file)),
      sink_(printer, target_, file_.filename().string()),
      job_(file_.filename().string(), records_, sink_) {}

FilePrint::~FilePrint() { Stop(); }

void FilePrint::Stop() {
  CloseFile();
  if (phase_ == Phase::Print) job_.Stop();
  if (phase_ != Phase::Over && reason_.empty()) reason_ = "stopped";
  phase_ = Phase::Over;
}

void FilePrint::CloseFile() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
}

FilePrint::Stand FilePrint::Fail(const std::string& reason) {
  reason_ = reason;
  Stop();
  return Stand::Failed;
}

FilePrint::Stand FilePrint::Step() {
  switch (phase_) {
    case Phase::Check: return Check();
    case Phase::Read: return Read();
    case Phase::Print: {
      std::string reason;
      switch (job_.Step(&reason)) {
        case TextOutputJob::Stand::Working:
        case TextOutputJob::Stand::NoRoom: return Stand::Working;
        case TextOutputJob::Stand::Waiting: return Stand::Waiting;
        case TextOutputJob::Stand::Done: phase_ = Phase::Over; return Stand::Done;
        case TextOutputJob::Stand::Failed: return Fail(reason);
      }
      break;
    }
    case Phase::Over: break;
  }
  return reason_.empty() ? Stand::Done : Stand::Failed;
}

// Nothing is opened that is not a regular file (a FIFO would wait for a
// writer, a device never ends), and nothing is printed over its own input.
// What else may stand where the PDF goes is the printer's to refuse.
FilePrint::Stand FilePrint::Check() {
  struct stat seen {};
  if (target_.kind == PageTarget::Kind::Pdf && SameFile(target_.name, file_))
    return Fail("the PDF " + target_.name + " is that file itself; it is left as it is");
  if (stat(file_.c_str(), &seen) != 0) return Fail(Why("cannot read it"));
  if (!S_ISREG(seen.st_mode)) return Fail(std::string("it is ") + KindOf(seen.st_mode) + ", not a data file");
  // O_NONBLOCK: should it have become a FIFO since, the open does not wait.
  fd_ = open(file_.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd_ < 0) return Fail(Why("cannot read it"));
  if (fstat(fd_, &seen) != 0 || !S_ISREG(seen.st_mode))
    return Fail(std::string("it is ") + KindOf(seen.st_mode) + ", not a data file");
  left_ = static_cast<unsigned long long>(seen.st_size);  // what is appended meanwhile is not waited for
  phase_ = Phase::Read;
  return Stand::Working;
}

// Up to kStepBytes more of the file, its record lines queued as the window
// queues them.
FilePrint::Stand FilePrint::Read() {
  auto take = [this](const std::string& line) {
    if (IsRecordLine(line)) records_.push_back(line);
  };
  char block[64 * 1024];
  for (std::size_t read = 0; read < kStepBytes && left_ > 0;) {
    ssize_t got;
    do {
      got = ::read(fd_, block, static_cast<std::size_t>(std::min<unsigned long long>(sizeof block, left_)));
    } while (got < 0 && errno == EINTR);
    if (got < 0) return Fail(Why("cannot read it"));
    left_ = got == 0 ? 0 : left_ - static_cast<unsigned long long>(got);  // 0: it shrank since it was opened
    splitter_.Feed(block, static_cast<std::size_t>(got), take);
    read += static_cast<std::size_t>(got);
  }
  if (left_ > 0) return Stand::Working;
  splitter_.Finish(take);
  CloseFile();
  if (records_.empty()) return Fail("it holds no record lines");
  phase_ = Phase::Print;
  return Stand::Working;
}

}  // namespace rx
