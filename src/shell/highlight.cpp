#include "shell/highlight.h"

namespace rx {

void Paint(Control& control, Shade shade) {
  switch (shade) {
    case Shade::Selected:
      control.back = kBlue;
      control.fore = kWhite;
      break;
    case Shade::Plain:
      control.back = kLightGrey;
      control.fore = kBlack;
      break;
    case Shade::PlainFace:
      control.back = kButtonFace;
      control.fore = kBlack;
      break;
  }
}

bool IsHighlighted(const Control& control) { return control.back == kBlue; }

}  // namespace rx
