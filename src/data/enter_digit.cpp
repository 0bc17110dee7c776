#include "data/enter_digit.h"

#include "shell/input.h"

namespace rx {

namespace {

std::string Blanks(int count) { return std::string(count > 0 ? count : 0, ' '); }

// The newest digit joins on the right; the oldest drops off when full.
void ShiftIn(Form& f, char digit) {
  f.InputInt += digit;
  if (static_cast<int>(f.InputInt.size()) > f.InputIntDigits)
    f.InputInt.erase(0, f.InputInt.size() - f.InputIntDigits);
}

}  // namespace

void EnterDigit(Form& f, int key) {
  if (!f.InputActive || f.InputLabel == nullptr) return;
  Control& label = *f.InputLabel;

  if (key == Keys::Point) {
    if (f.InputPointSeen) return;
    f.InputPointSeen = true;
    f.InputInt = f.InputInt.empty() ? "0." : f.InputInt + ".";
    SetField(f, label, f.InputInt + Blanks(f.InputFracDigits));
    return;
  }
  if (key < 0 || key > 9 || f.InputIntDigits < 1) return;
  char digit = static_cast<char>('0' + key);

  if (f.InputFracDigits == 0) {
    ShiftIn(f, digit);
    SetField(f, label, f.InputInt);
  } else if (!f.InputPointSeen) {
    ShiftIn(f, digit);
    SetField(f, label, f.InputInt + Blanks(f.InputFracDigits + 1));
  } else {
    if (static_cast<int>(f.InputFrac.size()) >= f.InputFracDigits) return;
    f.InputFrac += digit;
    const int room = f.InputFracDigits - static_cast<int>(f.InputFrac.size());
    SetField(f, label, f.InputInt + f.InputFrac + Blanks(room));
  }
}

}  // namespace rx
