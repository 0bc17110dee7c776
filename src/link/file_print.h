// The text output of one data file on a printer or in a PDF, for the command
// line without the window: the window's text output job on a page printer.
// It is advanced one step per call (a block of the file read, the print
// service asked or polled, a page laid out, the hand-over), so the event loop
// that drives it stays free for signals and no input holds it. Its record
// lines are queued as the window queues them.
#pragma once

#include <filesystem>
#include <string>

#include "link/command_job.h"
#include "link/data_file_reader.h"
#include "link/text_output_job.h"
#include "platform/page_printer.h"

namespace rx {

class FilePrint : public CommandJob {
 public:
  FilePrint(PagePrinter& printer, PageTarget target, std::filesystem::path file);
  ~FilePrint() override;
  FilePrint(const FilePrint&) = delete;
  FilePrint& operator=(const FilePrint&) = delete;

  Stand Step() override;
  void Stop() override;

 private:
  enum class Phase { Check, Read, Print, Over };

  PageTarget target_;
  DataFileReader reader_;
  Phase phase_ = Phase::Check;
  PageSink sink_;
  TextOutputJob job_;  // over the reader's records and sink_
};

// Steps a text output job that hands a document over: Working, Waiting,
// Done, or Failed with the reason in *reason.
CommandJob::Stand StepPaperJob(TextOutputJob& job, std::string* reason);

}  // namespace rx
