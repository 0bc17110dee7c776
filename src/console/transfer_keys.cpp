#include "console/transfer_keys.h"

#include "shell/guide_texts.h"
#include "console/navigation.h"
#include "link/commands.h"
#include "link/device_port.h"
#include "link/file_send.h"
#include "link/text_output.h"

namespace rx {

namespace {

void Ask(Form& f) {
  f.KeyMode = Mode::AbortConfirm;
  f.lblGuide.caption = guide::kAbortQuestion;
}

void GoOn(Form& f, const char* busyGuide) {
  f.lblGuide.caption = busyGuide;
  f.KeyMode = Mode::Busy;
}

}  // namespace

void AskToStopRead(Terminal& t) {
  t.platform.port.Write(std::string(1, kXoff));  // hold the device while we ask
  Ask(t.form);
}

void AskToStopSend(Terminal& t) { Ask(t.form); }

void StopRead(Terminal& t) {
  Form& f = t.form;
  t.platform.port.Write(std::string(1, kXon));
  SendCommand(t, StopReadCommand());  // the device answers with the end of the data
  if (f.KeyMode == Mode::AbortConfirm) f.KeyMode = Mode::Busy;
}

void AbandonSend(Terminal& t) {
  ResumeAfterError(t);
  EndFileSend(t);
  t.form.KeyMode = Mode::Normal;
}

void StopSerialOutput(Terminal& t) {
  ResumeAfterError(t);
  t.form.KeyMode = Mode::Normal;
  EndTextOutput(t);
}

void GoOnReading(Terminal& t) {
  t.platform.port.Write(std::string(1, kXon));
  GoOn(t.form, guide::kBusyRead);
}

void GoOnSending(Terminal& t) {
  GoOn(t.form, guide::kBusySend);
  // A record still unanswered sends the next when its answer comes.
  if (!RecordAwaited(t)) SendNextQueued(t, AfterRecord::Next);
}

void GoOnWithSerialOutput(Terminal& t) {
  GoOn(t.form, guide::kBusySerial);
  ContinueTextOutput(t);
}

}  // namespace rx
