#include "console/screen_hooks.h"

#include "console/navigation.h"
#include "data/alpine_edit.h"
#include "data/relay_edit.h"

namespace rx {

namespace {

class ConsoleScreens : public ScreenHooks {
 public:
  explicit ConsoleScreens(Terminal& t) : t_(t) {}
  void ResetAlpineEdit() override { OpenAlpineEdit(t_, false); }
  void ResetRelayEdit() override { OpenRelayEdit(t_); }
  void ShowSendMenu() override { ShowFunctionMenu(t_, Screens::SendRange, 1); }
  void LeaveSerialSend() override { GoBack(t_); }

 private:
  Terminal& t_;
};

}  // namespace

std::shared_ptr<ScreenHooks> MakeScreenHooks(Terminal& t) { return std::make_shared<ConsoleScreens>(t); }

}  // namespace rx
