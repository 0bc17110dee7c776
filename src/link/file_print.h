// The text output of one data file on a printer or in a PDF, for the command
// line without the window: the window's text output job on a page printer.
// It is advanced one step per call (a block of the file read, the print
// service asked or polled, a page laid out, the hand-over), so the event loop
// that drives it stays free for signals and no input holds it: a file that is
// not a regular one is refused before it is read, a regular one is read only
// as far as it was long when opened. Its record lines are queued as the
// window queues them; a line longer than any record is skipped without being
// held.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "data/line_splitter.h"
#include "link/text_output_job.h"
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
  enum class Phase { Check, Read, Print, Over };

  Stand Check();
  Stand Read();
  Stand Fail(const std::string& reason);
  void CloseFile();

  PageTarget target_;
  std::filesystem::path file_;
  Phase phase_ = Phase::Check;
  int fd_ = -1;
  unsigned long long left_ = 0;  // bytes still to read of what the file held when opened
  LineSplitter splitter_;
  std::vector<std::string> records_;
  PageSink sink_;
  TextOutputJob job_;  // over records_ and sink_
  std::string reason_;
};

}  // namespace rx
