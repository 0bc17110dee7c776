#include "data/relay_edit.h"

#include "shell/guide_texts.h"
#include "shell/input.h"
#include "console/navigation.h"
#include "data/alpine_edit.h"
#include "data/relay_total.h"
#include "data/time_values.h"
#include "link/edit_commands.h"
#include "link/error_line.h"
#include "link/replies.h"

namespace rx {

namespace {

constexpr const char* kNewLeg = "00:00:00.0  ";

int LegRow(const Form& f) { return LegRowOf(f.EditStep); }
bool OnLeg(const Form& f) { return f.EditStep >= EditStage::FirstLeg && LegRow(f) < f.EditRow; }

// Opens the input on the leg of EditStep, or on the end marker past the last leg.
void OpenRow(Form& f) {
  if (LegRow(f) < f.EditRow)
    BeginInput(f, f.lblRelayInp[LegRow(f)], 6, 4);
  else
    BeginInput(f, f.lblRelayInp[f.EditRow], 0, 0);
}

void MoveLeg(Form& f, int from, int to) {
  f.lblRelayTime[to].caption = f.lblRelayTime[from].caption;
  f.lblRelayInp[to].caption = f.lblRelayInp[from].caption;
}

// What the device's replies do to this screen.
class RelayEvents : public ExchangeEvents {
 public:
  void Started(Terminal& t) override { t.form.lblGuide.caption = ""; }
  // Legs "B"-"K" fill their rows; "S" is the team's total.
  void RecordRead(Terminal& t, const RecordReply& record) override {
    Form& f = t.form;
    if (record.selector >= 'B' && record.selector <= 'K') {
      int row = record.selector - 'B';
      f.lblRelayTime[row].caption = record.time;
      f.lblRelayInp[row].caption = TimeToEntry(record.time);
      if (f.EditRow < row + 1) f.EditRow = row + 1;
    } else if (record.selector == 'S') {
      f.lblRelayTime[kMostLegs].caption = record.time;
    }
  }
  void RecordReadFinished(Terminal& t) override {
    Form& f = t.form;
    if (f.FuncItem != FuncItemId::Modify) return;
    f.EditStep = EditStage::FirstLeg;
    BeginInput(f, f.lblRelayInp[0], 6, 4);
    f.lblGuide.caption = guide::kRelayLeg;
  }
  // The team was taken: the screen is ready for the next one.
  void Done(Terminal& t) override {
    if (t.form.FuncItem == FuncItemId::Modify) OpenRelayEdit(t);
  }
};

RelayEvents& Events() {
  static RelayEvents events;
  return events;
}

void BlockEntered(Form& f) {
  int block = ParseDigits(f.lblEditR[0].caption);
  if (block < 0 || block > kLastRelayBlock) return;
  f.EditStep = EditStage::Bib;
  BeginInput(f, f.lblEditR[1], 3, 0);
}

void BibEntered(Terminal& t) {
  Form& f = t.form;
  if (!AcceptBib(t, f.lblEditR[1])) return;
  f.EditStep = EditStage::Read;
  EndInput(f);
  if (const std::optional<ReadRequest> read = RecordReadOf(f)) SendReadCommand(t, *read, Events());
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
  f.EditStep = LegStage(row + 1);
  OpenRow(f);
}

// The team on the screen as it goes to the device: its legs and total, or,
// with no leg held, its deletion.
std::optional<EditRequest> TeamChange(const Form& f) {
  const std::optional<ReadRequest> read = RecordReadOf(f);
  if (!read) return std::nullopt;
  EditRequest request;
  request.memory = read->memory;
  request.record = read->record;
  for (int row = 0; row < f.EditRow; ++row)
    request.legTimes.push_back(StripTime(f.lblRelayTime[row].caption, 12));
  request.totalTime = StripTime(f.lblRelayTime[kMostLegs].caption, 12);
  return request;
}

}  // namespace

void OpenRelayEdit(Terminal& t) {
  Form& f = t.form;
  f.fraMenu[2].visible = false;
  f.fraEdit[1].visible = true;
  f.Screen = ScreenId::RelayEdit;
  for (Control& c : f.lblEditR) c.caption.clear();
  for (Control& c : f.lblRelayTime) c.caption.clear();
  for (int i = 0; i < kMostLegs; ++i) f.lblRelayInp[i].caption.clear();
  f.EditRow = 0;
  if (f.FuncItem == FuncItemId::Modify) {
    f.EditStep = EditStage::Block;
    f.lblCap[Keys::Right].caption = "";
    f.lblGuide.caption = guide::kRelayTeam;
    BeginInput(f, f.lblEditR[0], 2, 0);
  }
}

void RelayEditEnter(Terminal& t) {
  Form& f = t.form;
  if (f.EditStep == EditStage::Block || f.EditStep == EditStage::Bib) {
    if (f.InputLabel == nullptr || f.InputLabel->caption.empty()) return;  // nothing typed
    return f.EditStep == EditStage::Block ? BlockEntered(f) : BibEntered(t);
  }
  if (OnLeg(f)) return LegEntered(t);
  if (f.EditStep == LegStage(f.EditRow)) {
    EndInput(f);
    f.EditStep = EditStage::RelayConfirm;
    f.lblGuide.caption = guide::kEditConfirm;
    return;
  }
  if (f.EditStep != EditStage::RelayConfirm || f.FuncItem != FuncItemId::Modify) return;
  if (const std::optional<EditRequest> change = TeamChange(f)) SendEditCommand(t, *change, Events());
}

void LeaveRelayEdit(Terminal& t) {
  Form& f = t.form;
  if (f.EditStep == EditStage::Block) {
    ReturnToFunctionMenu(t);
  } else if (f.EditStep == EditStage::Bib ||
             (f.EditStep >= EditStage::FirstLeg && LegRow(f) <= f.EditRow)) {
    OpenRelayEdit(t);
  } else if (f.EditStep == EditStage::RelayConfirm) {
    f.EditStep = LegStage(f.EditRow);  // back to the end marker
    BeginInput(f, f.lblRelayInp[f.EditRow], 0, 0);
    f.lblGuide.caption = guide::kRelayLeg;
  }
}

void ResumeRelayEdit(Terminal& t) {
  Form& f = t.form;
  if (f.EditStep <= EditStage::Read) {
    OpenRelayEdit(t);
  } else if (OnLeg(f)) {
    Control& leg = f.lblRelayInp[LegRow(f)];
    leg.caption = f.InputPrevCaption;
    BeginInput(f, leg, 6, 4);
    f.lblGuide.caption = guide::kRelayLeg;
  }
}

void InsertRelayLeg(Terminal& t) {
  Form& f = t.form;
  if (f.Screen != ScreenId::RelayEdit || f.EditStep < EditStage::FirstLeg ||
      LegRow(f) >= kMostLegs || f.EditRow >= kMostLegs)
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
  if (f.Screen != ScreenId::RelayEdit || !OnLeg(f)) return;
  int row = LegRow(f);
  for (int i = row + 1; i < f.EditRow; ++i) MoveLeg(f, i, i - 1);
  f.lblRelayTime[f.EditRow - 1].caption.clear();
  f.lblRelayInp[f.EditRow - 1].caption.clear();
  --f.EditRow;
  RelayTotal(f);
  OpenRow(f);
}

}  // namespace rx
