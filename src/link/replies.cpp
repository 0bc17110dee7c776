#include "link/replies.h"

#include "console/guide_texts.h"
#include "console/input.h"
#include "data/block_letters.h"
#include "data/data_file.h"
#include "data/relay_edit.h"
#include "data/time_values.h"
#include "link/commands.h"
#include "link/device_port.h"
#include "link/screen_hooks.h"
#include "link/error_line.h"
#include "link/file_send.h"

namespace rx {

namespace {

constexpr int kOneRecord = 1;
constexpr int kIntoFile = 2;

RecordFields FieldsOnScreen(const Form& f) {
  RecordFields r;
  r.blockCode = BlockLetter(f.lblEditInp[1].caption);
  r.bib = f.lblEditInp[2].caption;
  r.team = BlockLetter(f.lblEditR[0].caption) + f.lblEditR[1].caption;
  return r;
}

void EndExchange(Form& f) {
  f.ExpectReply = 0;
  f.KeyMode = Mode::Normal;
}

void ResetAlpineEditIfShown(Terminal& t) {
  if (t.form.Screen == Screens::AlpineEdit && t.screens != nullptr)
    t.screens->ResetAlpineEdit();
}

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
  if (f.FuncCode != 8 && frame.substr(5, 1) != BlockLetter(f.lblBlk.caption)) return;
  if (!WriteDataLine(t, frame.substr(5, 14))) return FailFileWrite(t);
  ++f.RecordCount;
  f.lblYomiG[3].caption = std::to_string(f.RecordCount) + "件";
}

void RecordOnScreen(Form& f) {
  const std::string& frame = f.RxBuffer;
  std::string time = ReplyTime(frame);
  if (f.Screen == Screens::RelayEdit) {
    char leg = frame[4];
    if (leg >= 'B' && leg <= 'K') {
      int k = leg - 'B';
      f.lblRelayTime[k].caption = time;
      f.lblRelayInp[k].caption = TimeToEntry(time);
      if (f.EditRow < k + 1) f.EditRow = k + 1;
    } else if (leg == 'S') {
      f.lblRelayTime[10].caption = time;
    }
    return;
  }
  f.lblEditInp[3].caption = time;
  f.lblEditInp[4].caption = TimeToEntry(time);
}

void RecordReadFinished(Form& f) {
  if (f.Screen == Screens::RelayEdit) {
    if (f.FuncItem == 1) {
      f.EditStep = 4;
      BeginInput(f, f.lblRelayInp[0], 6, 4);
      f.lblGuide.caption = kRelayLegGuide;
    }
  } else if (f.FuncItem == 1) {
    f.EditStep = 4;
    BeginInput(f, f.lblEditInp[4], 6, 4);
    f.lblGuide.caption = "※修正タイムを入力します （[Esc]:戻り）";
  } else if (f.FuncItem == 3) {
    f.EditStep = 6;
    f.lblGuide.caption = "※キーを押してください （[Enter]:実行、[Esc]:キャンセル）";
  }
  EndExchange(f);
}

void FileReadFinished(Terminal& t) {
  Form& f = t.form;
  CloseDataFile(t);
  f.lblGuide.caption = guide::kSub;
  if (f.RecordCount < 1) {
    ShowError(t, Errors::NoRecordRead);
    std::error_code ignored;
    std::filesystem::remove(t.dataDirectory / f.lblFileName.caption, ignored);
    return;
  }
  f.lblBlk.caption = "";
  f.Screen = Screens::ReadRange;
  f.fraYomikomi.visible = false;
  EndExchange(f);
}

void Accepted(Terminal& t) {
  Form& f = t.form;
  switch (f.ExpectReply) {
    case 'Y':
      if (!OpenDataFile(t, true, f.lblFileName.caption)) FailFileWrite(t);
      break;
    case 'B':
      EndExchange(f);
      if (f.MenuItem == 9)
        f.lblGuide.visible = true;
      else
        ResetAlpineEditIfShown(t);
      break;
    case 'P':
      RequestBestOutput(t);
      break;
    case 'K':
      AfterEditAccepted(t);
      break;
    case 'M':
      if (f.Screen == Screens::RelayEdit) {
        EndExchange(f);
        if (f.FuncItem == 1 && t.screens != nullptr) t.screens->ResetRelayEdit();
      } else {
        AfterEditAccepted(t);
      }
      break;
    case 'C':
      if (f.FuncItem == 5 && f.TxLine.size() >= 4) f.TxLine[3] = 'A';  // printed as an ordinary add
      AfterEditAccepted(t);
      break;
    case 'L':
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
    case 0:
      ShowError(t, number);
      break;
    case 1:  // the operator decides how the send goes on
      ShowError(t, number);
      if (number < 1) {
        // A refusal without a readable number stops the send. It is over:
        // nothing stays queued for a recovery key to act on later.
        EndFileSend(t);
        break;
      }
      ShowSendProgress(t, f.RecordIndex - 1);
      break;
    default:  // errors are being passed over: show the record, go on
      ShowSendProgress(t, f.RecordIndex - 1);
      if (f.KeyMode == Mode::Busy) SendNextQueued(t, false);
      break;
  }
}

}  // namespace

void SendReadCommand(Terminal& t) {
  Form& f = t.form;
  f.RxPhase = 0;
  f.SendRecovery = 0;
  std::optional<ReadCommand> command = BuildReadCommand(f.MenuItem, f.FuncItem, FieldsOnScreen(f));
  if (!command) {
    f.KeyMode = Mode::Normal;
    return;
  }
  f.RxPhase = command->phase;
  // Busy from here on: a key pressed while the port drains and opens is a
  // key of this exchange.
  f.KeyMode = Mode::Busy;
  f.ExpectReply = f.RxPhase == kOneRecord ? 'O' : 'Y';
  StartExchange(t, false, [body = command->body](Terminal& t) {
    Form& f = t.form;
    SendCommand(t, body);
    if (f.KeyMode != Mode::Busy) return;  // the write failed and says so
    if (f.RxPhase == kOneRecord) {
      f.lblGuide.caption = "";
    } else if (f.RxPhase == kIntoFile) {
      f.lblGuide.caption = guide::kBusyRead;
      f.lblYomiG[3].caption = "0件";
      f.lblYomiG[3].visible = true;
    }
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
    if (f.ExpectReply == 'O')
      RecordOnScreen(f);
    else if (f.ExpectReply == 'Y')
      RecordIntoFile(t);
  } else if (code == "CF") {
    if (f.ExpectReply == 'O')
      RecordReadFinished(f);
    else if (f.ExpectReply == 'Y')
      FileReadFinished(t);
    else
      EndExchange(f);
  }
}

void AfterEditAccepted(Terminal& t) {
  Form& f = t.form;
  if (!f.PrintFrame) return RequestBestOutput(t);
  f.ExpectReply = 'P';
  SendCommand(t, PrintCommand(f.TxLine));
}

void RequestBestOutput(Terminal& t) {
  Form& f = t.form;
  if (f.BestFrame && (f.MenuItem == 3 || f.MenuItem == 4)) {
    f.ExpectReply = 'B';
    SendCommand(t, BestOutputCommand(f.TxLine));
    return;
  }
  EndExchange(f);
  ResetAlpineEditIfShown(t);
}

}  // namespace rx
