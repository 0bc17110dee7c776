// The console's screens as the device link reaches them.
#pragma once

#include <memory>

#include "link/screen_hooks.h"
#include "shell/terminal.h"

namespace rx {

std::shared_ptr<ScreenHooks> MakeScreenHooks(Terminal& t);

}  // namespace rx
