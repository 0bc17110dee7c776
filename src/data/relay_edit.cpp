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

// The legs' times and the team's total, as they stand.
void ShowTeam(Form& f) {
  for (int row = 0; row < kMostLegs; ++row) f.lblRelayTime[row].caption = f.TeamLegs[row];
  f.lblRelayTime[kTeamTotalRow].caption = f.TeamTotal;
}

void MoveLeg(Form& f, int from, int to) {
  f.TeamLegs[to] = f.TeamLegs[from];
  SetField(f, f.lblRelayInp[to], FieldText(f, f.lblRelayInp[from]));
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
      f.TeamLegs[row] = record.time;
      SetField(f, f.lblRelayInp[row], TimeToEntry(record.time));
      if (f.EditRow < row + 1) f.EditRow = row + 1;
    } else if (record.selector == 'S') {
      f.TeamTotal = record.time;
    }
    ShowTeam(f);
  }
  void RecordReadFinished(Terminal& t) override {
    Form& f = t.form;
    if (f.FuncItem != FuncItemId::Modify) return;
    f.EditStep = EditStage::FirstLeg;
    BeginInput(f, f.lblRelayInp[kFirstLegRow], kTimeDigits, kTimeDecimals);
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
  int block = ParseDigits(FieldText(f, f.lblEditR[TeamField::Block]));
  if (block < 0 || block > kLastRelayBlock) return;
  f.EditStep = EditStage::Bib;
  BeginInput(f, f.lblEditR[TeamField::Bib], kBibDigits, 0);
}

void BibEntered(Terminal& t) {
  Form& f = t.form;
  if (!AcceptBib(t, f.lblEditR[TeamField::Bib])) return;
  f.EditStep = EditStage::Read;
  EndInput(f);
  if (const std::optional<ReadRequest> read = RecordReadOf(f)) SendReadCommand(t, *read, Events());
}

void LegEntered(Terminal& t) {
  Form& f = t.form;
  int row = LegRow(f);
  Control& input = f.lblRelayInp[row];
  if (!InputTyped(f)) SetField(f, input, f.InputPrevCaption);
  std::string time = EntryToTime(FieldText(f, input));
  if (time.empty()) return ShowError(t, Errors::InvalidTime);
  std::string previous = f.TeamLegs[row];
  f.TeamLegs[row] = time.substr(0, 10) + "   ";
  if (!RelayTotal(f)) {
    f.TeamLegs[row] = previous;  // the team would reach 100 hours
    return ShowError(t, Errors::SplitOver);
  }
  ShowTeam(f);
  f.EditStep = LegStage(row + 1);
  OpenRelayRow(f);
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
    request.legTimes.push_back(StripTime(f.TeamLegs[row], 12));
  request.totalTime = StripTime(f.TeamTotal, 12);
  return request;
}

}  // namespace

void OpenRelayRow(Form& f) {
  if (LegRow(f) < f.EditRow)
    BeginInput(f, f.lblRelayInp[LegRow(f)], kTimeDigits, kTimeDecimals);
  else
    BeginInput(f, f.lblRelayInp[f.EditRow], kMarkerDigits, 0);
}

void OpenRelayEdit(Terminal& t) {
  Form& f = t.form;
  f.fraMenu[MenuFrame::Function].visible = false;
  f.fraEdit[EditFrame::Relay].visible = true;
  f.Screen = ScreenId::RelayEdit;
  for (Control& c : f.lblEditR) SetField(f, c, "");
  for (std::string& leg : f.TeamLegs) leg.clear();
  f.TeamTotal.clear();
  ShowTeam(f);
  for (int i = 0; i < kMostLegs; ++i) SetField(f, f.lblRelayInp[i], "");
  f.EditRow = 0;
  if (f.FuncItem == FuncItemId::Modify) {
    f.EditStep = EditStage::Block;
    f.lblCap[Keys::Right].caption = "";
    f.lblGuide.caption = guide::kRelayTeam;
    BeginInput(f, f.lblEditR[TeamField::Block], kBlockDigits, 0);
  }
}

void RelayEditEnter(Terminal& t) {
  Form& f = t.form;
  if (f.EditStep == EditStage::Block || f.EditStep == EditStage::Bib) {
    if (f.InputLabel == nullptr || FieldText(f, *f.InputLabel).empty()) return;  // nothing typed
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
    BeginInput(f, f.lblRelayInp[f.EditRow], kMarkerDigits, 0);
    f.lblGuide.caption = guide::kRelayLeg;
  }
}

void ResumeRelayEdit(Terminal& t) {
  Form& f = t.form;
  if (f.EditStep <= EditStage::Read) {
    OpenRelayEdit(t);
  } else if (OnLeg(f)) {
    Control& leg = f.lblRelayInp[LegRow(f)];
    SetField(f, leg, f.InputPrevCaption);
    BeginInput(f, leg, kTimeDigits, kTimeDecimals);
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
  f.TeamLegs[row] = kNewLeg;
  SetField(f, f.lblRelayInp[row], f.ZeroTime);
  ShowTeam(f);
  BeginInput(f, f.lblRelayInp[row], kTimeDigits, kTimeDecimals);
  ++f.EditRow;
}

void DeleteRelayLeg(Terminal& t) {
  Form& f = t.form;
  if (f.Screen != ScreenId::RelayEdit || !OnLeg(f)) return;
  int row = LegRow(f);
  for (int i = row + 1; i < f.EditRow; ++i) MoveLeg(f, i, i - 1);
  f.TeamLegs[f.EditRow - 1].clear();
  SetField(f, f.lblRelayInp[f.EditRow - 1], "");
  --f.EditRow;
  RelayTotal(f);
  ShowTeam(f);
  OpenRelayRow(f);
}

}  // namespace rx
