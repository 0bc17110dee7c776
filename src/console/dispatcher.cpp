#include "console/dispatcher.h"

#include "console/menu_selection.h"
#include "console/moves.h"
#include "data/enter_digit.h"
#include "link/error_line.h"

namespace rx {

namespace {

void DigitKey(Form& f, int digit) {
  switch (f.Screen) {
    case Screens::MainMenu:
      SelectMenuItem(f, digit);
      break;
    case Screens::SubMenu:
      if (digit == 3 && !f.SerialSend) break;  // the disabled serial-send item
      SelectMenuItem(f, digit + 9);
      break;
    case Screens::FunctionMenu:
      SelectFuncItem(f, digit);
      break;
    case Screens::FileMenu:
      SelectFuncItem(f, digit + 5);
      break;
    case Screens::ReadRange:
    case Screens::SendRange:
    case Screens::SerialSendRange:
      SelectFuncItem(f, digit + 7);
      break;
    default:
      EnterDigit(f, digit);
      break;
  }
}

void NormalKey(Terminal& t, int index) {
  Form& f = t.form;
  if (index == 0 || index == Keys::Point) {
    EnterDigit(f, index);
  } else if (index >= 1 && index <= 9) {
    DigitKey(f, index);
  } else if (index == Keys::Up) {
    MoveUp(f);
  } else if (index == Keys::Down) {
    MoveDown(f);
  } else if (index == Keys::Left) {
    MoveLeft(f);
  } else if (index == Keys::Right) {
    MoveRight(f);
  } else if (index == Keys::Clear) {
    ClearKey(f);
  }
}

}  // namespace

void lblKey_Click(Terminal& t, int index) {
  if (index < 0 || index >= Keys::Count) return;
  switch (t.form.KeyMode) {
    case Mode::Normal:
      NormalKey(t, index);
      break;
    case Mode::ErrorShown:
      if (index == Keys::Esc) ShowError(t, -1);
      break;
    default:
      break;
  }
}

}  // namespace rx
