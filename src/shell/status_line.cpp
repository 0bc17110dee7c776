#include "shell/status_line.h"

namespace rx {

void UpdateStatusLine(Terminal& t) {
  Form& f = t.form;
  f.lblStatus[StatusPart::Date].caption = " DATE  " + t.platform.clock.ShortDate(t.platform.clock.Now());
  std::string& frames = f.lblStatus[StatusPart::Frames].caption;
  frames = f.BestFrame ? "[ BEST : ON  ]" : "[ BEST : OFF ]";
  frames += f.PrintFrame ? "      [ PRINT : ON  ]" : "      [ PRINT : OFF ]";
}

}  // namespace rx
