// What a device reply may do to the edit screens above the link: reset them
// for the next record once the device has taken a change. The console
// installs the real screens; until then a reply has nothing to reset.
#pragma once

namespace rx {

class EditScreens {
 public:
  virtual ~EditScreens() = default;
  virtual void ResetAlpineEdit() = 0;
  virtual void ResetRelayEdit() = 0;
};

}  // namespace rx
