// The edit screens as device replies see them.
#pragma once

#include <memory>

#include "link/edit_screens.h"
#include "shell/terminal.h"

namespace rx {

std::shared_ptr<EditScreens> MakeEditScreenResets(Terminal& t);

}  // namespace rx
