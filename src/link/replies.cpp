#include "link/replies.h"

#include <filesystem>
#include <utility>

#include "data/data_file.h"
#include "link/commands.h"
#include "link/device_port.h"
#include "link/error_line.h"
#include "link/file_send.h"

namespace rx {

ExchangeEvents& NoEvents() {
  static ExchangeEvents none;
  return none;
}

namespace {

void RemoveReadFile(Terminal& t) {
  std::error_code ignored;
  std::filesystem::remove(t.dataDirectory / t.link.read.fileName, ignored);
}

// A read cannot keep its file: the records already written stay, the device
// is told to stop, and the operator hears of it instead of a false success.
// A file that got not even its first record is not left behind empty.
void FailFileWrite(Terminal& t) {
  Form& f = t.form;
  const bool created = t.dataFile.IsOpen();
  CloseDataFile(t);
  if (created && f.StoredCount == 0) RemoveReadFile(t);
  SendCommand(t, StopReadCommand());
  ShowError(t, Errors::CannotWriteFile);
}

void RecordIntoFile(Terminal& t, const Reply& reply) {
  Form& f = t.form;
  const std::optional<char>& onlyBlock = t.link.read.onlyBlock;
  if (onlyBlock && reply.body.block != *onlyBlock) return;
  if (!WriteDataLine(t, reply.line)) return FailFileWrite(t);
  ++f.StoredCount;
  Owner(t).RecordStored(t, f.StoredCount);
}

void FileReadFinished(Terminal& t) {
  Form& f = t.form;
  const bool kept = CloseDataFile(t);
  const bool any = f.StoredCount >= 1;
  Owner(t).FileReadFinished(t, any);
  if (!any) {
    ShowError(t, Errors::NoRecordRead);
    return RemoveReadFile(t);
  }
  // Records that may not be on the disk are no success.
  if (!kept) return ShowError(t, Errors::CannotWriteFile);
  EndExchange(t);
}

// What the device says "CR" to, by the family of the command that waits.
void Accepted(Terminal& t) {
  Form& f = t.form;
  const EditRequest& edit = t.link.edit;
  switch (f.ExpectReply) {
    case ReplyFamily::IntoFile:
      if (!OpenDataFile(t, FileAccess::Write, t.link.read.fileName)) FailFileWrite(t);
      break;
    case ReplyFamily::BestOutput:
      EndExchange(t);
      Owner(t).Done(t);
      break;
    case ReplyFamily::Print:
      RequestBestOutput(t);
      break;
    case ReplyFamily::Delete:
      AfterEditAccepted(t);
      break;
    case ReplyFamily::Modify:
      // A relay team's burst takes its answers frame by frame (TakeBurstReply):
      // one that comes before the burst went is none of its.
      if (edit.memory != Memory::RelayResults) AfterEditAccepted(t);
      break;
    case ReplyFamily::Add:
      if (edit.change == Change::DualAdd) f.TxLine = AsCourseAdd(f.TxLine);
      AfterEditAccepted(t);
      break;
    case ReplyFamily::Load:
      RecordAnswered(t);
      // While the operator is asked whether to stop, the next record waits.
      if (f.KeyMode == Mode::Busy) SendNextQueued(t, AfterRecord::Next);
      break;
    default:
      break;
  }
}

void Refused(Terminal& t, int number) {
  Form& f = t.form;
  switch (f.SendRecovery) {
    case Recovery::Off:
      ShowError(t, number);
      break;
    case Recovery::Ask:  // the operator decides how the send goes on
      ShowError(t, number);
      // The refused record is shown whatever the number: a refusal without
      // one still says which record the device did not take.
      ReportRefusedRecord(t);
      // A refusal without a readable number stops the send. It is over:
      // nothing stays queued for a recovery key to act on later.
      if (number < 1) EndFileSend(t);
      break;
    case Recovery::PassOver:  // show the record, go on
      ReportRefusedRecord(t);
      if (f.KeyMode == Mode::Busy) SendNextQueued(t, AfterRecord::Next);
      break;
  }
}

bool RelayBurstRunning(const Terminal& t) {
  const Form& f = t.form;
  return f.ExpectReply == ReplyFamily::Modify && t.link.edit.memory == Memory::RelayResults &&
         (f.KeyMode == Mode::Busy || f.KeyMode == Mode::AbortConfirm);
}

// Takes an answer to a frame of a relay burst: the team is stored once every
// frame is accepted; a refusal of any shows the device's error and ends the
// exchange, and the answers still owed for the rest are dropped as they come.
// False when the reply answers no burst.
bool TakeBurstReply(Terminal& t, const Reply& reply) {
  if (reply.kind != ReplyKind::Accepted && reply.kind != ReplyKind::Refused) return false;
  BurstReplies& burst = t.link.burst;
  if (!RelayBurstRunning(t)) ForgetOldBurst(t);
  if (burst.late + burst.awaited == 0) return false;
  burst.heardAt = t.platform.clock.MonotonicMs();
  if (burst.late > 0) {
    --burst.late;
    return true;
  }
  --burst.awaited;
  if (reply.kind == ReplyKind::Refused) {
    burst.late = std::exchange(burst.awaited, 0);
    ShowError(t, reply.errorNumber);
  } else if (burst.awaited == 0) {
    EndExchange(t);
    Owner(t).Done(t);
  } else {
    t.form.WaitMs = 0;
  }
  return true;
}

}  // namespace

void ForgetOldBurst(Terminal& t) {
  BurstReplies& burst = t.link.burst;
  burst.late += std::exchange(burst.awaited, 0);
  // After a second's silence the device sends no more of them.
  if (t.platform.clock.MonotonicMs() - burst.heardAt >= kReplyTimeoutMs) burst.late = 0;
}

ExchangeEvents& Owner(Terminal& t) { return t.link.owner ? *t.link.owner : NoEvents(); }

void EndExchange(Terminal& t) {
  t.form.ExpectReply = ReplyFamily::None;
  t.form.KeyMode = Mode::Normal;
}

void SendReadCommand(Terminal& t, const ReadRequest& request, ExchangeEvents& owner) {
  Form& f = t.form;
  f.SendRecovery = Recovery::Off;
  std::optional<std::string> body = BuildReadCommand(request);
  if (!body) {
    f.KeyMode = Mode::Normal;
    return;
  }
  // Busy from here on: a key pressed while the port drains and opens is a
  // key of this exchange.
  f.KeyMode = Mode::Busy;
  f.ExpectReply = request.oneRecord ? ReplyFamily::OneRecord : ReplyFamily::IntoFile;
  t.link.owner = &owner;
  t.link.read = request;
  StartExchange(t, LineMode::Framed, [body = *body](Terminal& opened) {
    SendCommand(opened, body);
    if (opened.form.KeyMode == Mode::Busy) Owner(opened).Started(opened);  // else the write failed and says so
  });
}

void DispatchReply(Terminal& t) {
  Form& f = t.form;
  std::optional<Reply> reply = ParseReply(f.RxBuffer);
  if (!reply || TakeBurstReply(t, *reply)) return;
  if (f.KeyMode != Mode::Busy && f.KeyMode != Mode::AbortConfirm) return;
  switch (reply->kind) {
    case ReplyKind::Accepted:
      Accepted(t);
      break;
    case ReplyKind::Refused:
      Refused(t, reply->errorNumber);
      break;
    case ReplyKind::Record:
      f.WaitMs = 0;
      if (f.ExpectReply == ReplyFamily::OneRecord)
        Owner(t).RecordRead(t, RecordReply{reply->body.Leg(), reply->time});
      else if (f.ExpectReply == ReplyFamily::IntoFile)
        RecordIntoFile(t, *reply);
      break;
    case ReplyKind::End:
      if (f.ExpectReply == ReplyFamily::OneRecord) {
        Owner(t).RecordReadFinished(t);
        EndExchange(t);
      } else if (f.ExpectReply == ReplyFamily::IntoFile) {
        FileReadFinished(t);
      } else {
        EndExchange(t);
      }
      break;
    case ReplyKind::Other:
      break;
  }
}

void AfterEditAccepted(Terminal& t) {
  Form& f = t.form;
  if (!t.link.edit.print) return RequestBestOutput(t);
  f.ExpectReply = ReplyFamily::Print;
  SendCommand(t, PrintCommand(f.TxLine));
}

void RequestBestOutput(Terminal& t) {
  Form& f = t.form;
  const EditRequest& edit = t.link.edit;
  const bool results = edit.memory == Memory::FirstRun || edit.memory == Memory::SecondRun;
  if (edit.bestOutput && results) {
    f.ExpectReply = ReplyFamily::BestOutput;
    SendCommand(t, BestOutputCommand(f.TxLine));
    return;
  }
  EndExchange(t);
  Owner(t).Done(t);
}

}  // namespace rx
