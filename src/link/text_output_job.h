// The text output of a data file as one job, whatever takes its lines: a
// header, the record lines, a trailer, fed a step at a time to a sink (the
// serial line a line at a time, a page printer a page at a time), so the
// event loop that drives it stays free between steps. The window and the
// command line's print both run it.
#pragma once

#include <algorithm>
#include <functional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "platform/page_printer.h"

namespace rx {

// Where the lines go.
class TextSink {
 public:
  enum class Put { Taken, NoRoom, Failed };

  virtual ~TextSink() = default;
  // Ready to take lines; Pending while a service is asked (then Poll).
  virtual PrintCall Open(std::string* reason) = 0;
  // How many lines one Write takes, once open.
  virtual int LinesAtOnce() = 0;
  // lines, the first of them line first of total.
  virtual Put Write(std::span<const std::string> lines, int first, int total, std::string* reason) = 0;
  // After the last line: Pending while it is handed over (then Poll).
  virtual PrintCall Finish(std::string* reason) = 0;
  // Where the pending Open or Finish stands now.
  virtual PrintCall Poll(std::string* reason) = 0;
  // Stopped before the end (next: the first line not written): what was not
  // taken whole is dropped. Never blocks.
  virtual void Drop(int next) = 0;
};

// A document of pages for a printer or a PDF, handed over only whole.
class PageSink : public TextSink {
 public:
  PageSink(PagePrinter& printer, PageTarget target, std::string title)
      : printer_(printer), target_(std::move(target)), title_(std::move(title)) {}
  PrintCall Open(std::string* reason) override { return printer_.Open(target_, title_, reason); }
  int LinesAtOnce() override { return perPage_ = std::max(1, printer_.LinesPerPage()); }
  Put Write(std::span<const std::string> lines, int first, int total, std::string* reason) override;
  PrintCall Finish(std::string* reason) override { return printer_.Finish(reason); }
  PrintCall Poll(std::string* reason) override { return printer_.Poll(reason); }
  void Drop(int) override { printer_.Discard(); }

 private:
  PagePrinter& printer_;
  PageTarget target_;
  std::string title_;
  int perPage_ = 1;
};

class TextOutputJob {
 public:
  enum class Stand {
    Working,  // step again at once (after other events)
    NoRoom,   // the sink took nothing: step again in a while
    Waiting,  // a service is asked: step again in a while
    Done,     // every line taken and handed over
    Failed,   // the reason says why (empty: the sink has told it)
  };

  // name: the file name header and trailer carry. records and sink outlive the job.
  TextOutputJob(std::string name, const std::vector<std::string>& records, TextSink& sink)
      : name_(std::move(name)), records_(records), sink_(sink) {}
  // lines as they are, without header or trailer: a layout of its own, made
  // by onOpened once the sink tells how many lines it takes at once.
  TextOutputJob(const std::vector<std::string>& lines, TextSink& sink)
      : records_(lines), sink_(sink), framed_(false) {}

  Stand Step(std::string* reason);
  // Drops what the sink has not taken whole; nothing once it is done.
  void Stop();
  bool AwaitsService() const { return phase_ == Phase::Opening || phase_ == Phase::Finishing; }
  // Told before each step that writes record lines: what is left from the
  // first of them on, and that record.
  std::function<void(int left, const std::string& record)> onRecord;
  // Told once the sink is open, before the first lines: how many it takes at
  // once (the lines of a page).
  std::function<void(int atOnce)> onOpened;

 private:
  enum class Phase { Open, Opening, Lines, Finishing, Over };
  Stand Lines(std::string* reason);
  Stand Asked(PrintCall call);

  std::string name_;
  const std::vector<std::string>& records_;
  TextSink& sink_;
  Phase phase_ = Phase::Open;
  int next_ = 0;  // the line to write next: header, records, trailer
  int atOnce_ = 1;
  bool framed_ = true;  // a header and a trailer around the records
};

}  // namespace rx
