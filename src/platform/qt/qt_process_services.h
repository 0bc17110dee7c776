// Starting other programs and switching the PC off, on Linux.
#pragma once

#include "platform/power_off.h"
#include "platform/program_launcher.h"

namespace rx {

class QtProgramLauncher : public ProgramLauncher {
 public:
  bool StartDetached(const std::string& program, const std::vector<std::string>& arguments) override;
};

// systemd-logind over the system D-Bus: CanPowerOff, then PowerOff.
class LogindPowerOff : public PowerOff {
 public:
  void Request(std::function<void(bool)> answered) override;
};

}  // namespace rx
