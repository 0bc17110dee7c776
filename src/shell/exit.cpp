#include "shell/exit.h"

#include "link/device_port.h"

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

void Form_Unload(Terminal& t) {
  CloseDevicePort(t);
  if (!t.form.PowerOffRequested) return;
  if (!t.platform.power.Request())
    t.platform.messages.Show("電源がOFFできません。", MessageButtons::Ok, MessageIcon::Warning);
}

}  // namespace rx
