#include "link/text_output.h"

#include <algorithm>
#include <memory>

#include "link/device_port.h"
#include "link/error_line.h"
#include "link/file_print.h"
#include "link/jobs.h"
#include "link/output_lines.h"
#include "link/queue_load.h"
#include "link/replies.h"
#include "shell/diagnostics.h"

namespace rx {

namespace {

// While the queue has no room, how often to look again: the driver's queue
// drains with no notification.
constexpr int kRoomPollMs = 10;
constexpr int kPrintPollMs = 50;  // how often a call the print service has not answered is looked at

// The record line at index in flight: what is left from it on.
void ReportProgress(Terminal& t, int record) {
  const Form& f = t.form;
  const int count = RecordCount(f);
  if (record >= 0 && record < count)
    Owner(t).Progress(t, SendProgress{count - record, ParseRecordLine(f.Records[record])});
}

// The serial port, opened at "9600,N,8,1" before the output begins.
class SerialSink : public TextSink {
 public:
  explicit SerialSink(Terminal& t) : t_(t) {}
  PrintCall Open(std::string*) override { return PrintCall::Done; }
  int LinesAtOnce() override { return 1; }
  Put Write(std::span<const std::string> lines, int, int, std::string*) override {
    switch (SendTextLine(t_, lines.front())) {
      case LineWrite::Written: return Put::Taken;
      case LineWrite::NoRoom: return Put::NoRoom;
      case LineWrite::Failed: break;  // 1009 shown
    }
    return Put::Failed;
  }
  PrintCall Finish(std::string*) override { return PrintCall::Done; }
  PrintCall Poll(std::string*) override { return PrintCall::Done; }

  // A stopped or failed output ends at once: what the line has not taken is
  // dropped, so a printer that lets go later gets nothing more, and the
  // remaining count takes back every line that did not go out whole.
  void Drop(int next) override {
    const std::string& name = t_.link.output.request.fileName;
    int queued = t_.platform.port.OutputQueueCount();
    t_.platform.port.DiscardOutput();
    int firstLost = next;  // the queue holds the tail of the lines written
    while (queued > 0 && firstLost > 0)
      queued -= static_cast<int>(OutputLine(name, t_.form.Records, --firstLost).size()) + 2;
    ReportProgress(t_, std::max(firstLost - kHeaderLines, 0));
  }

 private:
  Terminal& t_;
};

// What a finished, stopped or failed output leaves behind.
enum class Ending { Whole, Cut };  // every line out and handed over, or not

void Finish(Terminal& t, Ending ending) {
  Form& f = t.form;
  TextOutput& output = t.link.output;
  const bool complete = ending == Ending::Whole;
  if (!complete && output.job) output.job->Stop();
  output = {};
  f.Records = {};
  // A write error stays on the error line; the operator's Esc leaves.
  if (f.KeyMode == Mode::ErrorShown) return;
  f.KeyMode = Mode::Normal;
  // A stopped output has already left its screen; a finished one leaves it now.
  if (complete) Owner(t).Done(t);
}

void CannotPrint(Terminal& t, const std::string& reason) {
  ReportFault(t, "cannot print " + t.link.output.request.fileName + ": " + reason);
  ShowError(t, Errors::CannotPrint);
  Finish(t, Ending::Cut);
}

void Begin(Terminal& t, const TextOutputRequest& request, std::unique_ptr<TextSink> sink, Medium medium) {
  TextOutput& output = t.link.output;
  output = {};
  output.active = true;
  output.medium = medium;
  output.request = request;
  output.sink = std::move(sink);
  output.job = std::make_unique<TextOutputJob>(request.fileName, t.form.Records, *output.sink);
  output.job->onRecord = [&t](int left, const std::string& record) {
    Owner(t).Progress(t, SendProgress{left, ParseRecordLine(record)});
  };
  ContinueTextOutput(t);
}

// The whole file is queued: out it goes, to the line or on paper.
void OutputQueued(Terminal& t, const TextOutputRequest& request, const TextTarget& target) {
  Form& f = t.form;
  f.RecordIndex = 0;
  Owner(t).Started(t);
  if (target.kind == TextTarget::Kind::Serial) {
    StartExchange(t, LineMode::Text, [request](Terminal& opened) {
      Begin(opened, request, std::make_unique<SerialSink>(opened), Medium::Line);
    });
    // The port could not be opened (1002 shown): nothing was written.
    if (f.KeyMode == Mode::ErrorShown && !t.link.output.active) f.Records.clear();
    return;
  }
  t.link.output.request = request;  // the name a refusal gives
  if (target.kind == TextTarget::Kind::Unknown)
    return CannotPrint(t, "TextOutput=" + target.name + " names no target");
  const std::filesystem::path file = t.dataDirectory / request.fileName;
  const PageTarget page = ToPageTarget(target, file);
  // A PDF that is a link to its own data file would replace the data.
  if (page.kind == PageTarget::Kind::Pdf && SameFile(page.name, file))
    return CannotPrint(t, "the PDF " + page.name + " is that file itself; it is left as it is");
  Begin(t, request, std::make_unique<PageSink>(t.platform.printer, page, request.fileName), Medium::Paper);
}

}  // namespace

void StartTextOutput(Terminal& t, const TextOutputRequest& request, ExchangeEvents& owner,
                     const TextTarget& target) {
  t.link.owner = &owner;
  t.form.KeyMode = Mode::Busy;  // while a large file is read in; Esc then goes back as on the prompt
  StartQueueLoad(t, QueueMode::Text, request.fileName, request.onlyBlock,
                 [request, target](Terminal& queued) { OutputQueued(queued, request, target); });
}

void ContinueTextOutput(Terminal& t) {
  Form& f = t.form;
  TextOutput& output = t.link.output;
  if (!output.active) return;
  if (f.KeyMode == Mode::AbortConfirm) {
    // Nothing is written while the operator decides; the wait for room
    // starts afresh when the output goes on.
    output.lineStarted = false;
    return;
  }
  if (f.KeyMode != Mode::Busy) return Finish(t, Ending::Cut);
  if (!output.lineStarted) {
    output.lineStarted = true;
    f.WaitMs = 0;  // our own work is no silence of a device
  }
  std::string reason;
  switch (output.job->Step(&reason)) {
    case TextOutputJob::Stand::Working:
      output.lineStarted = false;
      // One line or page a turn: keys, replies and the tick come in between.
      return PostLinkTurn(t, 0);
    case TextOutputJob::Stand::Waiting:
      output.lineStarted = false;
      return PostLinkTurn(t, kPrintPollMs);
    case TextOutputJob::Stand::NoRoom:
      if (f.WaitMs > kLongestQueueWaitMs) {
        ShowError(t, Errors::CannotSend);
        return Finish(t, Ending::Cut);
      }
      return PostLinkTurn(t, kRoomPollMs);
    case TextOutputJob::Stand::Done:
      return Finish(t, Ending::Whole);
    case TextOutputJob::Stand::Failed:
      return output.medium == Medium::Paper ? CannotPrint(t, reason) : Finish(t, Ending::Cut);
  }
}

void EndTextOutput(Terminal& t) {
  if (t.link.output.active) Finish(t, Ending::Cut);
}

}  // namespace rx
