#include "link/error_line.h"

#include "shell/guide_texts.h"
#include "shell/input.h"
#include "link/error_text.h"

namespace rx {

void ClearError(Terminal& t) {
  Form& f = t.form;
  f.KeyMode = Mode::Normal;
  f.lblGuide.visible = true;
  f.lblError.visible = false;
}

void ShowError(Terminal& t, int number) {
  Form& f = t.form;
  if (number < 1) return ClearError(t);
  f.KeyMode = Mode::ErrorShown;
  std::string message = ErrorText(number);
  if (f.SendRecovery != Recovery::Off) {
    f.lblError.caption = "エラー：" + message;
    f.lblGuide.caption = guide::kRecovery;
  } else {
    f.lblError.caption = "エラー：" + message + "（[Esc]：解除）";
    f.lblGuide.caption = "";
  }
  f.lblError.visible = true;
  t.platform.beeper.Beep();
  f.ExpectReply = ReplyFamily::None;  // a late reply to the failed exchange is then ignored
  EndInput(f);
}

}  // namespace rx
