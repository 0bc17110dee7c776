#include "console/computer_date.h"

#include <vector>

namespace rx {

namespace {

struct SettingsProgram {
  const char* program;
  std::vector<std::string> arguments;
};

// The date-and-time pages of the common desktops, the most likely first.
const std::vector<SettingsProgram>& Candidates() {
  static const std::vector<SettingsProgram> programs = {
      {"gnome-control-center", {"datetime"}},
      {"kcmshell6", {"kcm_clock"}},
      {"kcmshell5", {"clock"}},
      {"systemsettings", {"kcm_clock"}},
      {"cinnamon-settings", {"calendar"}},
      {"mate-time-admin", {}},
      {"lxqt-admin-time", {}},
      {"time-admin", {}},
  };
  return programs;
}

}  // namespace

void OpenComputerDateSettings(Terminal& t) {
  t.platform.messages.Ask(
      "Windowsの日付と時刻の設定ウィンドウを表示します。\r\nよろしいですか？",
      MessageButtons::OkCancel, MessageIcon::Warning, [&t](MessageAnswer answer) {
        if (answer != MessageAnswer::Ok) return;
        for (const SettingsProgram& candidate : Candidates())
          if (t.platform.launcher.StartDetached(candidate.program, candidate.arguments)) return;
        // None could be started: nothing is shown, as for any failed Enter action.
      });
}

}  // namespace rx
