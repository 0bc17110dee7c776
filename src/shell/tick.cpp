#include "shell/tick.h"

#include "link/error_line.h"
#include "link/jobs.h"
#include "shell/work_area.h"

namespace rx {

void Timer1_Timer(Terminal& t) {
  Form& f = t.form;
  if (f.KeyMode == Mode::Busy) {
    int waited = f.WaitMs;
    f.WaitMs = waited + 100;
    if (waited > 899) {  // the tick that finds a full second already counted
      ShowError(t, Errors::NoReply);
      f.RxPhase = 0;
    }
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
