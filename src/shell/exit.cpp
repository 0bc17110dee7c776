#include "shell/exit.h"

#include "data/data_file.h"
#include "link/commands.h"
#include "link/device_port.h"
#include "link/jobs.h"

namespace rx {

void Form_QueryUnload(Terminal& t, CloseReason reason, std::function<void()> proceed) {
  Form& f = t.form;
  MessageBox& messages = t.platform.messages;
  if (reason == CloseReason::System) {
    messages.Dismiss();  // an open question ends as Cancel: nothing of it remains
    f.PowerOffRequested = false;
    if (proceed) proceed();
    return;
  }
  if (t.closeAsked) return;
  t.closeAsked = true;
  messages.Ask("RX-710KP を終了します。\r\nWindows も終了しますか？", MessageButtons::YesNoCancel,
               MessageIcon::Warning, [&t, proceed = std::move(proceed)](MessageAnswer answer) {
                 t.closeAsked = false;
                 if (answer != MessageAnswer::Yes && answer != MessageAnswer::No) return;
                 t.form.PowerOffRequested = answer == MessageAnswer::Yes;
                 if (proceed) proceed();
               });
}

namespace {

// Closing must end within a second, whatever holds the line.
constexpr int kLongestUnloadDrainMs = 500;

void SwitchOffIfAsked(Terminal& t, const std::function<void()>& done) {
  if (!t.form.PowerOffRequested) {
    if (done) done();
    return;
  }
  t.platform.power.Request([&t, done](bool switchedOff) {
    if (switchedOff) {
      if (done) done();
      return;
    }
    t.platform.messages.Ask("電源がOFFできません。", MessageButtons::Ok, MessageIcon::Warning,
                            [done](MessageAnswer) {
                              if (done) done();
                            });
  });
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
      [done = std::move(done)](Terminal& term) { SwitchOffIfAsked(term, done); },
      kLongestUnloadDrainMs);
}

void Form_UnloadNow(Terminal& t) {
  EndWork(t);
  t.link.drain = {};
  t.platform.port.Close();
  t.platform.messages.Dismiss();
  if (t.form.PowerOffRequested) t.platform.power.Request({});  // no loop is left to tell a failure
}

}  // namespace rx
