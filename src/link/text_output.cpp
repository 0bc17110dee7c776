#include "link/text_output.h"

#include <algorithm>

#include "link/device_port.h"
#include "link/error_line.h"
#include "link/jobs.h"
#include "link/output_lines.h"
#include "link/queue_load.h"
#include "link/replies.h"

namespace rx {

namespace {

// While the queue has no room, how often to look again: the driver's queue
// drains with no notification.
constexpr int kRoomPollMs = 10;

std::string LineAt(const Form& f, const TextOutput& output, int index) {
  return OutputLine(output.request.fileName, f.Records, index);
}

// The record line at index in flight: what is left from it on.
void ReportProgress(Terminal& t, int record) {
  const Form& f = t.form;
  if (record >= 0 && record < f.RecordCount)
    Owner(t).Progress(t, SendProgress{f.RecordCount - record, ParseRecordLine(f.Records[record])});
}

// A stopped or failed output ends at once: what the line has not taken is
// dropped, so a printer that lets go later gets nothing more, and the
// remaining count takes back every line that did not go out whole.
void DropQueued(Terminal& t) {
  Form& f = t.form;
  const TextOutput& output = t.link.output;
  int queued = t.platform.port.OutputQueueCount();
  t.platform.port.DiscardOutput();
  int firstLost = output.next;  // the queue holds the tail of the lines written
  for (; queued > 0 && firstLost > 0; queued -= static_cast<int>(LineAt(f, output, firstLost).size()) + 2)
    --firstLost;
  ReportProgress(t, std::max(firstLost - kHeaderLines, 0));
}

// What a finished, stopped or failed output leaves behind.
void Finish(Terminal& t, bool complete) {
  Form& f = t.form;
  if (!complete) DropQueued(t);
  t.link.output = {};
  f.RecordCount = 0;
  f.Records = {};
  // A write error stays on the error line; the operator's Esc leaves.
  if (f.KeyMode == Mode::ErrorShown) return;
  f.KeyMode = Mode::Normal;
  // A stopped output has already left its screen; a finished one leaves it now.
  if (complete) Owner(t).Done(t);
}

}  // namespace

void SerialTextOutput(Terminal& t, const TextOutputRequest& request, ExchangeEvents& owner) {
  Form& f = t.form;
  t.link.owner = &owner;
  f.KeyMode = Mode::Busy;  // while a large file is read in; Esc then goes back as on the prompt
  StartQueueLoad(t, true, request.fileName, request.onlyBlock, [request](Terminal& t) {
    Form& f = t.form;
    f.RecordIndex = 0;
    Owner(t).Started(t);
    StartExchange(t, LineMode::Text, [request](Terminal& t) {
      TextOutput& output = t.link.output;
      output = {};
      output.active = true;
      output.request = request;
      ContinueTextOutput(t);
    });
    // The port could not be opened (1002 shown): nothing was written.
    if (f.KeyMode == Mode::ErrorShown && !t.link.output.active) {
      f.RecordCount = 0;
      f.Records.clear();
    }
  });
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
  const int total = OutputLineCount(f.RecordCount);
  if (f.KeyMode != Mode::Busy || output.next >= total) return Finish(t, output.next >= total);
  ReportProgress(t, output.next - kHeaderLines);
  if (!output.lineStarted) {
    output.lineStarted = true;
    f.WaitMs = 0;
  }
  switch (SendTextLine(t, LineAt(f, output, output.next))) {
    case LineWrite::Written:
      ++output.next;
      output.lineStarted = false;
      // One line a turn: keys, replies and the tick come in between.
      return PostLinkTurn(t, 0);
    case LineWrite::NoRoom:
      if (f.WaitMs > kLongestQueueWaitMs) {
        ShowError(t, Errors::CannotSend);
        return Finish(t, false);
      }
      return PostLinkTurn(t, kRoomPollMs);
    case LineWrite::Failed:
      return Finish(t, false);
  }
}

void EndTextOutput(Terminal& t) {
  if (!t.link.output.active) return;
  Finish(t, false);
}

}  // namespace rx
