#include "link/file_send.h"

#include <utility>

#include "link/device_port.h"
#include "link/queue_load.h"
#include "link/replies.h"

namespace rx {

namespace {

// The record at index and what is left from it on.
SendProgress ProgressAt(const Form& f, int index) {
  return SendProgress{RecordCount(f) - index, ParseBody(f.Records[index])};
}

void SendFirstQueued(Terminal& t) {
  Owner(t).Started(t);
  t.form.SendRecovery = Recovery::Ask;
  t.form.RecordIndex = 0;
  SendNextQueued(t, AfterRecord::Next);
}

void SendQueued(Terminal& t) {
  t.form.ExpectReply = ReplyFamily::Load;
  StartExchange(t, LineMode::Framed, SendFirstQueued);
}

}  // namespace

void StartFileSend(Terminal& t, const SendRequest& request, ExchangeEvents& owner) {
  Form& f = t.form;
  f.SendRecovery = Recovery::Off;
  t.link.owner = &owner;
  f.RecordIndex = 0;
  t.link.awaitedRecord = -1;
  // Busy while a large file is read in; Esc then goes back as on the prompt.
  f.KeyMode = Mode::Busy;
  StartQueueLoad(t, QueueMode::Send, request.fileName, request.block, SendQueued);
}

void SendNextQueued(Terminal& t, AfterRecord after) {
  Form& f = t.form;
  if (after == AfterRecord::SkipTeam && f.RecordIndex > 0 && f.RecordIndex <= RecordCount(f)) {
    // The rest of the failed relay team: its legs after "B" and its total,
    // but nothing of the next team, even one that is a total alone.
    const std::string team = ParseBody(f.Records[f.RecordIndex - 1]).Team();
    while (f.RecordIndex < RecordCount(f)) {
      const FrameBody next = ParseBody(f.Records[f.RecordIndex]);
      if (next.Leg() <= 'B' || next.Team() != team) break;
      ++f.RecordIndex;
    }
  }
  if (f.RecordIndex < RecordCount(f)) {
    f.ExpectReply = ReplyFamily::Load;
    t.link.awaitedRecord = f.RecordIndex;
    SendCommand(t, f.Records[f.RecordIndex]);
    Owner(t).Progress(t, ProgressAt(f, f.RecordIndex));
    ++f.RecordIndex;
    return;
  }
  EndFileSend(t);
  EndExchange(t);
  Owner(t).Done(t);
}

bool RecordAwaited(const Terminal& t) { return t.link.awaitedRecord >= 0; }

void RecordAnswered(Terminal& t) { t.link.awaitedRecord = -1; }

void ReportRefusedRecord(Terminal& t) {
  Form& f = t.form;
  const int index = std::exchange(t.link.awaitedRecord, -1);
  if (index < 0 || index >= RecordCount(f)) return;
  Owner(t).RecordRefused(t, ProgressAt(f, index));
}

void EndFileSend(Terminal& t) {
  Form& f = t.form;
  f.Records = {};
  f.SendRecovery = Recovery::Off;
  t.link.awaitedRecord = -1;
}

}  // namespace rx
