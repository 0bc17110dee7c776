#include "data/relay_edit.h"

#include "console/input.h"
#include "data/alpine_edit.h"
#include "data/relay_total.h"
#include "data/time_values.h"
#include "link/edit_commands.h"
#include "link/error_line.h"
#include "link/replies.h"

namespace rx {

namespace {

enum Step { Block = 1, Bib = 2, Read = 3, FirstLeg = 4, Confirm = 15 };

constexpr int kMostLegs = 10;
constexpr const char* kNewLeg = "00:00:00.0  ";

int LegRow(const Form& f) { return f.EditStep - FirstLeg; }

// Opens the input on the leg of EditStep, or on the end marker past the last leg.
void OpenRow(Form& f) {
  if (f.EditStep < f.EditRow + FirstLeg)
    BeginInput(f, f.lblRelayInp[LegRow(f)], 6, 4);
  else
    BeginInput(f, f.lblRelayInp[f.EditRow], 0, 0);
}

void MoveLeg(Form& f, int from, int to) {
  f.lblRelayTime[to].caption = f.lblRelayTime[from].caption;
  f.lblRelayInp[to].caption = f.lblRelayInp[from].caption;
}

void BlockEntered(Form& f) {
  int block = ParseDigits(f.lblEditR[0].caption);
  if (block < 0 || block > 18) return;
  f.EditStep = Bib;
  BeginInput(f, f.lblEditR[1], 3, 0);
}

void BibEntered(Terminal& t) {
  Form& f = t.form;
  if (!AcceptBib(t, f.lblEditR[1])) return;
  f.EditStep = Read;
  EndInput(f);
  SendReadCommand(t);
}

void LegEntered(Terminal& t) {
  Form& f = t.form;
  int row = LegRow(f);
  Control& input = f.lblRelayInp[row];
  if (!InputTyped(f)) input.caption = f.InputPrevCaption;
  std::string time = EntryToTime(input.caption);
  if (time.empty()) return ShowError(t, Errors::InvalidTime);
  std::string previous = f.lblRelayTime[row].caption;
  f.lblRelayTime[row].caption = time.substr(0, 10) + "   ";
  if (!RelayTotal(f)) {
    f.lblRelayTime[row].caption = previous;  // the team would reach 100 hours
    return ShowError(t, Errors::SplitOver);
  }
  ++f.EditStep;
  OpenRow(f);
}

}  // namespace

void OpenRelayEdit(Terminal& t) {
  Form& f = t.form;
  f.fraMenu[2].visible = false;
  f.fraEdit[1].visible = true;
  f.Screen = Screens::RelayEdit;
  for (Control& c : f.lblEditR) c.caption.clear();
  for (Control& c : f.lblRelayTime) c.caption.clear();
  for (int i = 0; i < kMostLegs; ++i) f.lblRelayInp[i].caption.clear();
  f.EditRow = 0;
  if (f.FuncItem == 1) {
    f.EditStep = Block;
    f.lblCap[Keys::Right].caption = "";
    f.lblGuide.caption = "※ブロックNo., Bib No.を入力します （[Esc]:戻り）";
    BeginInput(f, f.lblEditR[0], 2, 0);
  }
}

void RelayEditEnter(Terminal& t) {
  Form& f = t.form;
  if (f.EditStep == Block || f.EditStep == Bib) {
    if (f.InputLabel == nullptr || f.InputLabel->caption.empty()) return;  // nothing typed
    return f.EditStep == Block ? BlockEntered(f) : BibEntered(t);
  }
  if (f.EditStep >= FirstLeg && f.EditStep < f.EditRow + FirstLeg) return LegEntered(t);
  if (f.EditStep == f.EditRow + FirstLeg) {
    EndInput(f);
    f.EditStep = Confirm;
    f.lblGuide.caption = "※キーを押してください （[Enter]:実行、[Esc]:キャンセル）";
    return;
  }
  if (f.EditStep == Confirm && f.FuncItem == 1) SendEditCommand(t, 'M');
}

void InsertRelayLeg(Terminal& t) {
  Form& f = t.form;
  if (f.Screen != Screens::RelayEdit || f.EditStep < FirstLeg || f.EditStep > 13 ||
      f.EditRow >= kMostLegs)
    return;
  int row = LegRow(f);
  for (int i = f.EditRow - 1; i >= row; --i) MoveLeg(f, i, i + 1);
  f.lblRelayTime[row].caption = kNewLeg;
  f.lblRelayInp[row].caption = f.ZeroTime;
  BeginInput(f, f.lblRelayInp[row], 6, 4);
  ++f.EditRow;
}

void DeleteRelayLeg(Terminal& t) {
  Form& f = t.form;
  if (f.Screen != Screens::RelayEdit || f.EditStep < FirstLeg || f.EditStep >= f.EditRow + FirstLeg)
    return;
  int row = LegRow(f);
  for (int i = row + 1; i < f.EditRow; ++i) MoveLeg(f, i, i - 1);
  f.lblRelayTime[f.EditRow - 1].caption.clear();
  f.lblRelayInp[f.EditRow - 1].caption.clear();
  --f.EditRow;
  RelayTotal(f);
  OpenRow(f);
}

}  // namespace rx
