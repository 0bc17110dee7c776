// The one colour convention of every selectable label: the selected one white
// on blue, the others black on light grey (settings choices: on button face).
#pragma once

#include "shell/form.h"

namespace rx {

enum class Shade {
  Selected,   // white on blue
  Plain,      // black on light grey
  PlainFace,  // black on the button face (settings choices, file cells)
};

void Paint(Control& control, Shade shade);

// A choice counts as chosen exactly when it carries the blue background.
bool IsHighlighted(const Control& control);

}  // namespace rx
