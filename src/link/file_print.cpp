#include "link/file_print.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "data/data_file.h"
#include "link/output_lines.h"

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
    : printer_(printer), target_(std::move(target)), file_(std::move(file)), name_(file_.filename().string()) {}

FilePrint::~FilePrint() { Stop(); }

void FilePrint::Stop() {
  CloseFile();
  if (phase_ >= Phase::Opening && phase_ != Phase::Over) printer_.Discard();
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
    case Phase::Count: return Count();
    case Phase::Open: {
      phase_ = Phase::Opening;  // from here on a stop discards
      std::string reason;
      const PrintCall call = printer_.Open(target_, name_, &reason);
      return call == PrintCall::Pending ? Stand::Waiting : call == PrintCall::Done ? Opened() : Fail(reason);
    }
    case Phase::Opening: {
      std::string reason;
      const PrintCall call = printer_.Poll(&reason);
      return call == PrintCall::Pending ? Stand::Waiting : call == PrintCall::Done ? Opened() : Fail(reason);
    }
    case Phase::Pages: return Page();
    case Phase::Finishing: {
      std::string reason;
      const PrintCall call = printer_.Poll(&reason);
      if (call == PrintCall::Pending) return Stand::Waiting;
      if (call == PrintCall::Failed) return Fail(reason);
      phase_ = Phase::Over;
      return Stand::Done;
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
  size_ = left_ = static_cast<unsigned long long>(seen.st_size);  // what is appended meanwhile is not waited for
  phase_ = Phase::Count;
  return Stand::Working;
}

// Up to a block of what is left of this pass, fed to the splitter.
bool FilePrint::ReadBlock(std::size_t* got) {
  char block[64 * 1024];
  ssize_t read;
  do {
    read = ::read(fd_, block, static_cast<std::size_t>(std::min<unsigned long long>(sizeof block, left_)));
  } while (read < 0 && errno == EINTR);
  if (read < 0) return false;
  *got = static_cast<std::size_t>(read);
  left_ = read == 0 ? 0 : left_ - *got;  // 0: it shrank since it was opened
  auto take = [this](const std::string& line) {
    if (!IsRecordLine(line)) return;
    if (phase_ == Phase::Count) ++records_;
    else if (queuedSoFar_ < records_) ++queuedSoFar_, queued_.push_back(line);
  };
  splitter_.Feed(block, *got, take);
  if (left_ == 0) splitter_.Finish(take), splitter_ = {};
  return true;
}

FilePrint::Stand FilePrint::Count() {
  for (std::size_t read = 0, got = 0; read < kStepBytes && left_ > 0; read += got)
    if (!ReadBlock(&got)) return Fail(Why("cannot read it"));
  if (left_ > 0) return Stand::Working;
  if (records_ == 0) return Fail("it holds no record lines");
  // The pages read the records again as they go.
  if (lseek(fd_, 0, SEEK_SET) != 0) return Fail(Why("cannot read it"));
  left_ = size_;
  phase_ = Phase::Open;
  return Stand::Working;
}

FilePrint::Stand FilePrint::Opened() {
  perPage_ = std::max(1, printer_.LinesPerPage());
  const long long lines = kHeaderLines + records_ + kTrailerLines;
  pages_ = std::max(1LL, (lines + perPage_ - 1) / perPage_);
  phase_ = Phase::Pages;
  return Stand::Working;
}

FilePrint::Stand FilePrint::Page() {
  const long long first = page_ * perPage_;
  const long long end = std::min(kHeaderLines + records_ + kTrailerLines, first + perPage_);
  // The records of this page: the ones before the end of it, less the header.
  const long long needed = std::clamp(end - kHeaderLines, 0LL, records_) -
                           std::clamp(first - kHeaderLines, 0LL, records_);
  auto short_ = [&] { return static_cast<long long>(queued_.size()) < needed; };
  for (std::size_t read = 0, got = 0; short_() && left_ > 0 && read < kStepBytes; read += got)
    if (!ReadBlock(&got)) return Fail(Why("cannot read it"));
  if (short_() && left_ > 0) return Stand::Working;  // the same page goes on at the next step
  if (short_())
    return Fail("it changed while it was printed");
  std::vector<std::string> lines;
  for (long long index = first; index < end; ++index) {
    const long long record = index - kHeaderLines;
    if (record < 0) {
      lines.push_back(OutputLine(name_, {}, static_cast<int>(index)));
    } else if (record < records_) {
      lines.push_back(std::move(queued_.front()));
      queued_.pop_front();
    } else {
      lines.push_back(OutputLine(name_, {}, static_cast<int>(kHeaderLines + record - records_)));
    }
  }
  std::string reason;
  if (!printer_.PrintPage(static_cast<int>(page_ + 1), static_cast<int>(pages_), lines, &reason))
    return Fail(reason);
  if (++page_ < pages_) return Stand::Working;
  CloseFile();
  phase_ = Phase::Finishing;
  const PrintCall call = printer_.Finish(&reason);
  if (call == PrintCall::Pending) return Stand::Waiting;
  if (call == PrintCall::Failed) return Fail(reason);
  phase_ = Phase::Over;
  return Stand::Done;
}

}  // namespace rx
