#include "console/calculator.h"

#include "console/enter_actions.h"
#include "shell/guide_texts.h"
#include "shell/input.h"
#include "console/menu_selection.h"
#include "data/enter_digit.h"
#include "data/time_values.h"
#include "link/error_line.h"

namespace rx {

namespace {

bool FromMenu(const Form& f) {
  return f.Screen == ScreenId::MainMenu || f.Screen == ScreenId::SubMenu;
}

void OpenField(Form& f, int step) {
  SetField(f, f.lblCalc[step], f.ZeroTime);
  BeginInput(f, f.lblCalc[step], kTimeDigits, kTimeDecimals);
}

// Back to the input the calculator was started from, with its screen's guide.
void ReturnToTarget(Terminal& t) {
  Form& f = t.form;
  f.KeyMode = Mode::Normal;
  f.fraCalc.visible = false;
  f.lblGuide.caption = f.CalcSavedGuide;
  if (f.CalcTarget != nullptr) BeginInput(f, *f.CalcTarget, kTimeDigits, kTakenOverDecimals);
}

void Leave(Terminal& t) {
  Form& f = t.form;
  if (FromMenu(f)) {
    EndInput(f);
    f.fraCalc.visible = false;
    ReturnToMenuPage(f);
  } else {
    ReturnToTarget(t);
  }
}

// An invalid time: the error line shows, the calculator stays in charge.
void RefuseTime(Terminal& t) {
  ShowError(t, Errors::InvalidTime);
  t.form.KeyMode = Mode::Calculator;
}

void ShowNetTime(Terminal& t) {
  Form& f = t.form;
  TimeParts start = TimeToSeconds(EntryToTime(FieldText(f, f.lblCalc[CalcField::Start])));
  TimeParts finish = TimeToSeconds(EntryToTime(FieldText(f, f.lblCalc[CalcField::Finish])));
  long seconds = finish.seconds - start.seconds;
  long fraction = finish.fraction - start.fraction;
  if (fraction < 0) {
    fraction += 10000;
    seconds -= 1;
  }
  if (seconds < 0) seconds += 86400;  // the finish was after midnight
  f.CalcNetTime = FormatTime(seconds, fraction);
  f.lblCalc[CalcField::Net].caption = f.CalcNetTime;
  f.CalcStep = CalcField::Net;
  f.lblGuide.caption = FromMenu(f) ? guide::kCalcResultFromMenu : guide::kCalcResultFromInput;
}

void Enter(Terminal& t) {
  Form& f = t.form;
  if (f.InputActive && f.CalcStep == CalcField::Start) {
    if (!InputTyped(f)) SetField(f, f.lblCalc[CalcField::Start], f.ZeroTime);
    if (EntryToTime(FieldText(f, f.lblCalc[CalcField::Start])).empty()) return RefuseTime(t);
    OpenField(f, CalcField::Finish);
    f.CalcStep = CalcField::Finish;
  } else if (f.InputActive && f.CalcStep == CalcField::Finish) {
    bool typed = InputTyped(f);
    EndInput(f);
    if (!typed) SetField(f, f.lblCalc[CalcField::Finish], f.ZeroTime);
    if (EntryToTime(FieldText(f, f.lblCalc[CalcField::Finish])).empty()) return RefuseTime(t);
    ShowNetTime(t);
  } else if (!f.InputActive && f.CalcStep == CalcField::Net && !FromMenu(f) &&
             f.CalcTarget != nullptr) {
    SetField(f, *f.CalcTarget, TimeToEntry(f.CalcNetTime));
    ReturnToTarget(t);
    ExecuteEnter(t);  // the screen goes on with the value taken over
  }
}

void Esc(Terminal& t) {
  Form& f = t.form;
  if (f.CalcStep == CalcField::Net) return Leave(t);
  if (InputTyped(f)) {
    ClearError(t);
    f.KeyMode = Mode::Calculator;
    OpenField(f, f.CalcStep);
    return;
  }
  Leave(t);
}

void Clear(Terminal& t) {
  Form& f = t.form;
  if (f.CalcStep == CalcField::Net) {
    f.CalcStep = CalcField::Start;
    OpenField(f, CalcField::Start);
    SetField(f, f.lblCalc[CalcField::Finish], "");
    f.lblCalc[CalcField::Net].caption = "";
    f.lblGuide.caption = guide::kCalcEntry;
  } else if (f.InputActive) {
    // Only the entry is cleared; after a refused time no input is open and
    // Clear must not page the menu under the calculator.
    ClearInput(f);
  }
}

}  // namespace

void StartCalculator(Terminal& t) {
  Form& f = t.form;
  if (!FromMenu(f)) {
    ClearInput(f);
    f.CalcTarget = f.InputLabel;
  }
  f.CalcSavedGuide = f.lblGuide.caption;
  f.KeyMode = Mode::Calculator;
  f.CalcStep = CalcField::Start;
  SetField(f, f.lblCalc[CalcField::Start], f.ZeroTime);
  SetField(f, f.lblCalc[CalcField::Finish], "");
  f.lblCalc[CalcField::Net].caption = "";
  f.fraCalc.visible = true;
  BeginInput(f, f.lblCalc[CalcField::Start], kTimeDigits, kTimeDecimals);
  f.lblGuide.caption = guide::kCalcEntry;
}

void CalculatorKey(Terminal& t, int index) {
  if (index >= 0 && index <= Keys::Point) {
    EnterDigit(t.form, index);
  } else if (index == Keys::Enter) {
    Enter(t);
  } else if (index == Keys::Esc) {
    Esc(t);
  } else if (index == Keys::Clear) {
    Clear(t);
  }
}

}  // namespace rx
