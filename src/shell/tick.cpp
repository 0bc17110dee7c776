#include "shell/tick.h"

#include "link/device_port.h"
#include "link/error_line.h"
#include "link/jobs.h"
#include "shell/work_area.h"

namespace rx {

namespace {

constexpr int kTickMs = 100;

}  // namespace

void Timer1_Timer(Terminal& t) {
  Form& f = t.form;
  if (f.KeyMode == Mode::Busy) {
    int waited = f.WaitMs;
    f.WaitMs = waited + kTickMs;
    if (waited + kTickMs >= kReplyTimeoutMs) ShowError(t, Errors::NoReply);  // a full second of silence
  }
  // A job waiting for the line sees the busy time it has waited.
  ContinueLinkJob(t);
  if (f.ResizePending) {
    f.ResizePending = false;
    if (t.platform.desktop.GetWindowState() == WindowState::Normal) FitToWorkArea(t);
  }
}

void Form_Resize(Terminal& t) { t.form.ResizePending = true; }

}  // namespace rx
