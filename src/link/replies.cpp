#include "link/replies.h"

#include <filesystem>

#include "data/block_letters.h"
#include "data/data_file.h"
#include "data/time_values.h"
#include "link/device_port.h"
#include "link/error_line.h"
#include "link/file_send.h"

namespace rx {

ExchangeEvents& NoEvents() {
  static ExchangeEvents none;
  return none;
}

namespace {

constexpr int kOneRecord = 1;
constexpr int kIntoFile = 2;

// A read cannot keep its file: the records already written stay, the device
// is told to stop, and the operator hears of it instead of a false success.
// A file that got not even its first record is not left behind empty.
void FailFileWrite(Terminal& t) {
  Form& f = t.form;
  const bool created = f.FileNo >= 0;
  CloseDataFile(t);
  if (created && f.RecordCount == 0) {
    std::error_code ignored;
    std::filesystem::remove(t.dataDirectory / f.lblFileName.caption, ignored);
  }
  SendCommand(t, StopReadCommand());
  ShowError(t, Errors::CannotWriteFile);
}

void RecordIntoFile(Terminal& t) {
  Form& f = t.form;
  const std::string& frame = f.RxBuffer;
  if (f.FuncCode != Scope::AllBlocks && frame.substr(5, 1) != BlockLetter(f.lblBlk.caption)) return;
  if (!WriteDataLine(t, frame.substr(5, 14))) return FailFileWrite(t);
  ++f.RecordCount;
  Owner(t).RecordStored(t, f.RecordCount);
}

void FileReadFinished(Terminal& t) {
  Form& f = t.form;
  const bool kept = CloseDataFile(t);
  const bool any = f.RecordCount >= 1;
  Owner(t).FileReadFinished(t, any);
  if (!any) {
    ShowError(t, Errors::NoRecordRead);
    std::error_code ignored;
    std::filesystem::remove(t.dataDirectory / f.lblFileName.caption, ignored);
    return;
  }
  // Records that may not be on the disk are no success.
  if (!kept) return ShowError(t, Errors::CannotWriteFile);
  EndExchange(t);
}

// What the device says "CR" to, by the family of the command that waits.
void Accepted(Terminal& t) {
  Form& f = t.form;
  switch (f.ExpectReply) {
    case ReplyFamily::IntoFile:
      if (!OpenDataFile(t, true, f.lblFileName.caption)) FailFileWrite(t);
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
      if (f.MenuItem == MenuItemId::RelayResult) {  // a relay team's burst: no print, no best output
        EndExchange(t);
        Owner(t).Done(t);
      } else {
        AfterEditAccepted(t);
      }
      break;
    case ReplyFamily::Add:
      if (f.FuncItem == FuncItemId::DualAdd && f.TxLine.size() >= 4) f.TxLine[3] = 'A';  // printed as an ordinary add
      AfterEditAccepted(t);
      break;
    case ReplyFamily::Load:
      // While the operator is asked whether to stop, the next record waits.
      if (f.KeyMode == Mode::Busy) SendNextQueued(t, false);
      break;
    default:
      break;
  }
}

void Refused(Terminal& t) {
  Form& f = t.form;
  int number = ParseDigits(f.RxBuffer.substr(6, 3));
  switch (f.SendRecovery) {
    case Recovery::Off:
      ShowError(t, number);
      break;
    case Recovery::Ask:  // the operator decides how the send goes on
      ShowError(t, number);
      // The refused record is shown whatever the number: a refusal without
      // one still says which record the device did not take.
      ShowSendProgress(t, f.RecordIndex - 1);
      // A refusal without a readable number stops the send. It is over:
      // nothing stays queued for a recovery key to act on later.
      if (number < 1) EndFileSend(t);
      break;
    case Recovery::PassOver:  // show the record, go on
      ShowSendProgress(t, f.RecordIndex - 1);
      if (f.KeyMode == Mode::Busy) SendNextQueued(t, false);
      break;
  }
}

}  // namespace

ExchangeEvents& Owner(Terminal& t) { return t.link.owner ? *t.link.owner : NoEvents(); }

void EndExchange(Terminal& t) {
  t.form.ExpectReply = ReplyFamily::None;
  t.form.KeyMode = Mode::Normal;
}

void SendReadCommand(Terminal& t, const RecordFields& fields, ExchangeEvents& owner) {
  Form& f = t.form;
  f.RxPhase = 0;
  f.SendRecovery = Recovery::Off;
  std::optional<ReadCommand> command = BuildReadCommand(Index(f.MenuItem), Index(f.FuncItem), fields);
  if (!command) {
    f.KeyMode = Mode::Normal;
    return;
  }
  f.RxPhase = command->phase;
  // Busy from here on: a key pressed while the port drains and opens is a
  // key of this exchange.
  f.KeyMode = Mode::Busy;
  f.ExpectReply = f.RxPhase == kOneRecord ? ReplyFamily::OneRecord : ReplyFamily::IntoFile;
  t.link.owner = &owner;
  StartExchange(t, false, [body = command->body](Terminal& t) {
    SendCommand(t, body);
    if (t.form.KeyMode == Mode::Busy) Owner(t).Started(t);  // else the write failed and says so
  });
}

void DispatchReply(Terminal& t) {
  Form& f = t.form;
  if (f.KeyMode != Mode::Busy && f.KeyMode != Mode::AbortConfirm) return;
  std::string code = f.RxBuffer.substr(1, 2);
  if (code == "CR") {
    Accepted(t);
  } else if (code == "CE") {
    Refused(t);
  } else if (code == "CO") {
    f.WaitMs = 0;
    if (f.ExpectReply == ReplyFamily::OneRecord)
      Owner(t).RecordRead(t, RecordReply{f.RxBuffer[4], ReplyTime(f.RxBuffer)});
    else if (f.ExpectReply == ReplyFamily::IntoFile)
      RecordIntoFile(t);
  } else if (code == "CF") {
    if (f.ExpectReply == ReplyFamily::OneRecord) {
      Owner(t).RecordReadFinished(t);
      EndExchange(t);
    } else if (f.ExpectReply == ReplyFamily::IntoFile) {
      FileReadFinished(t);
    } else {
      EndExchange(t);
    }
  }
}

void AfterEditAccepted(Terminal& t) {
  Form& f = t.form;
  if (!f.PrintFrame) return RequestBestOutput(t);
  f.ExpectReply = ReplyFamily::Print;
  SendCommand(t, PrintCommand(f.TxLine));
}

void RequestBestOutput(Terminal& t) {
  Form& f = t.form;
  if (f.BestFrame &&
      (f.MenuItem == MenuItemId::FirstRunResult || f.MenuItem == MenuItemId::SecondRunResult)) {
    f.ExpectReply = ReplyFamily::BestOutput;
    SendCommand(t, BestOutputCommand(f.TxLine));
    return;
  }
  EndExchange(t);
  Owner(t).Done(t);
}

}  // namespace rx
