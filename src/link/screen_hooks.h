// What the device link does to the screens above it when an exchange ends:
// an accepted edit resets its edit screen, a finished send shows the send
// menu again, a finished serial output leaves its screen. The console
// installs the real screens at load; the link knows only this.
#pragma once

namespace rx {

class ScreenHooks {
 public:
  virtual ~ScreenHooks() = default;
  virtual void ResetAlpineEdit() = 0;
  virtual void ResetRelayEdit() = 0;
  virtual void ShowSendMenu() = 0;
  virtual void LeaveSerialSend() = 0;
};

}  // namespace rx
