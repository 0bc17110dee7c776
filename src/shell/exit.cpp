#include "shell/exit.h"

#include "data/data_file.h"
#include "link/commands.h"
#include "link/device_port.h"
#include "link/jobs.h"

namespace rx {

bool Form_QueryUnload(Terminal& t, CloseReason reason) {
  Form& f = t.form;
  if (reason == CloseReason::System) {
    f.PowerOffRequested = false;
    return true;
  }
  MessageAnswer answer = t.platform.messages.Show(
      "RX-710KP を終了します。\r\nWindows も終了しますか？", MessageButtons::YesNoCancel,
      MessageIcon::Warning);
  switch (answer) {
    case MessageAnswer::Yes:
      f.PowerOffRequested = true;
      return true;
    case MessageAnswer::No:
      f.PowerOffRequested = false;
      return true;
    default:
      return false;
  }
}

namespace {

// Closing must end within a second, whatever holds the line.
constexpr int kLongestUnloadDrainMs = 500;

void SwitchOffIfAsked(Terminal& t) {
  if (!t.form.PowerOffRequested) return;
  if (!t.platform.power.Request())
    t.platform.messages.Show("電源がOFFできません。", MessageButtons::Ok, MessageIcon::Warning);
}

void EndWork(Terminal& t) {
  Form& f = t.form;
  // A read held with XOFF while the operator was asked must not resume at
  // the next start and pass its records off as replies there: the device is
  // let go and told to stop, within the drain below.
  bool reading = f.ExpectReply == ReplyFamily::IntoFile && (f.KeyMode == Mode::Busy || f.KeyMode == Mode::AbortConfirm);
  if (reading && t.platform.port.IsOpen()) {
    t.platform.port.Write(std::string(1, kXon));
    SendCommand(t, StopReadCommand());
  }
  EndLinkJobs(t);
  CloseDataFile(t);  // every whole record received so far stays in it
}

}  // namespace

void Form_Unload(Terminal& t, std::function<void()> done) {
  EndWork(t);
  CloseDevicePort(
      t,
      [done = std::move(done)](Terminal& t) {
        SwitchOffIfAsked(t);
        if (done) done();
      },
      kLongestUnloadDrainMs);
}

void Form_UnloadNow(Terminal& t) {
  EndWork(t);
  t.link.drain = {};
  t.platform.port.Close();
  SwitchOffIfAsked(t);
}

}  // namespace rx
