// The text output of one data file on a printer or in a PDF, for the command
// line without the window. It is a job advanced one step per call (a block of
// the file read, the print service asked or polled, a page laid out, the
// hand-over), so the event loop that drives it stays free for signals and
// no input holds it: a file that is not a regular one is refused before it
// is read, a regular one is read only as far as it was long when opened, and
// memory stays bounded whatever its size: the records are counted first, then
// read again a page at a time; a line longer than any record is skipped
// without being held.
#pragma once

#include <filesystem>
#include <deque>
#include <string>

#include "data/line_splitter.h"
#include "platform/page_printer.h"

namespace rx {

// True when output names the file input is (the same device and inode, also
// through a symbolic or hard link): writing output would replace input.
bool SameFile(const std::filesystem::path& output, const std::filesystem::path& input);

class FilePrint {
 public:
  enum class Stand {
    Working,  // call Step again at once
    Waiting,  // the print service is asked: call Step again in a while
    Done,     // the printer took the document, or the PDF is in place
    Failed,   // Reason() says why; nothing was handed over or left behind
  };

  FilePrint(PagePrinter& printer, PageTarget target, std::filesystem::path file);
  ~FilePrint();
  FilePrint(const FilePrint&) = delete;
  FilePrint& operator=(const FilePrint&) = delete;

  Stand Step();
  const std::string& Reason() const { return reason_; }
  // Drops the document where it is; nothing of it reaches the printer or the
  // disk. Never blocks. Step then answers Failed.
  void Stop();

 private:
  enum class Phase { Check, Count, Open, Opening, Pages, Finishing, Over };

  Stand Check();
  Stand Count();
  bool ReadBlock(std::size_t* got);
  Stand Opened();
  Stand Page();
  Stand Fail(const std::string& reason);
  void CloseFile();

  PagePrinter& printer_;
  PageTarget target_;
  std::filesystem::path file_;
  std::string name_;  // the file name the header and trailer carry
  Phase phase_ = Phase::Check;
  int fd_ = -1;
  unsigned long long size_ = 0;  // the file's length when opened
  unsigned long long left_ = 0;  // bytes of it still to read in this pass
  LineSplitter splitter_;
  long long records_ = 0;           // record lines counted
  long long queuedSoFar_ = 0;       // of them queued in the second pass
  std::deque<std::string> queued_;  // read, not yet on a page
  long long page_ = 0, pages_ = 0;
  int perPage_ = 0;
  std::string reason_;
};

}  // namespace rx
