#include "shell/status_line.h"

namespace rx {

void UpdateStatusLine(Terminal& t) {
  Form& f = t.form;
  f.lblStatus[0].caption = " DATE  " + t.platform.clock.ShortDate(t.platform.clock.Now());
  f.lblStatus[1].caption = f.BestFrame ? "[ BEST : ON  ]" : "[ BEST : OFF ]";
  f.lblStatus[1].caption += f.PrintFrame ? "      [ PRINT : ON  ]" : "      [ PRINT : OFF ]";
}

}  // namespace rx
