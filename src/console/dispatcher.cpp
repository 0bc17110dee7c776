#include "console/dispatcher.h"

#include <exception>

#include "console/calculator.h"
#include "console/enter_actions.h"
#include "shell/guide_texts.h"
#include "shell/input.h"
#include "console/moves.h"
#include "console/navigation.h"
#include "console/screen_table.h"
#include "console/transfer_keys.h"
#include "data/data_file.h"
#include "data/enter_digit.h"
#include "data/relay_edit.h"
#include "link/device_port.h"
#include "link/error_line.h"
#include "link/file_send.h"
#include "link/jobs.h"
#include "link/queue_load.h"
#include "shell/diagnostics.h"

namespace rx {

namespace {

bool OnMenuPage(const Form& f) {
  return f.Screen == ScreenId::MainMenu || f.Screen == ScreenId::SubMenu;
}

void NormalKey(Terminal& t, int index) {
  Form& f = t.form;
  switch (index) {
    case 0:
    case Keys::Point: EnterDigit(f, index); break;
    case Keys::Esc: GoBack(t); break;
    case Keys::Insert: InsertRelayLeg(t); break;
    case Keys::Delete: DeleteRelayLeg(t); break;
    case Keys::Up: MoveUp(f); break;
    case Keys::Down: MoveDown(f); break;
    case Keys::Left: MoveLeft(f); break;
    case Keys::Right:
      if (OnMenuPage(f) || (f.InputActive && f.InputFracDigits == kTimeDecimals))
        StartCalculator(t);
      else
        MoveRight(f);
      break;
    case Keys::Clear: ClearKey(f); break;
    case Keys::Enter: ExecuteEnter(t); break;
    default:
      if (index >= 1 && index <= 9) RowOf(f.Screen).digit(f, index);
      break;
  }
}

void ErrorShownKey(Terminal& t, int index) {
  Form& f = t.form;
  if (f.SendRecovery != Recovery::Off) {
    if (index == Keys::Esc || index == Keys::Clear) {  // go on with the next record
      ClearError(t);
      f.lblSendG[SendLine::Progress].visible = false;
      f.lblGuide.caption = guide::kBusySend;
      f.KeyMode = Mode::Busy;
      if (index == Keys::Clear) f.SendRecovery = Recovery::PassOver;  // and stop asking
      RecordAnswered(t);  // refused, or silent past its time
      SendNextQueued(t, AfterRecord::SkipTeam);
    } else if (index == Keys::Enter) {
      AbandonSend(t);
    }
    return;
  }
  if (index == Keys::Esc) ResumeAfterError(t);  // Normal again, unless resuming fails in turn
}

void CancelConfirmation(Terminal& t) {
  Form& f = t.form;
  f.KeyMode = Mode::Normal;
  f.lblGuide.caption = f.SavedGuide;
  RowOf(f.Screen).confirmCancel(t);
}

// Only the long transfers can be interrupted. While the port still drains
// for a new exchange, nothing has started that Esc could stop.
void BusyKey(Terminal& t, int index) {
  if (index != Keys::Esc || PortOpening(t)) return;
  if (t.link.load.active) {  // still reading the file: back as from the prompt
    CancelQueueLoad(t);
    return CancelConfirmation(t);
  }
  RowOf(t.form.Screen).busyEsc(t);
}

void AbortConfirmKey(Terminal& t, int index) {
  const ScreenRow& row = RowOf(t.form.Screen);
  if (index == Keys::Enter)
    row.abortEnter(t);
  else if (index == Keys::Esc)
    row.abortEsc(t);
}

void ConfirmPendingKey(Terminal& t, int index) {
  const ScreenRow& row = RowOf(t.form.Screen);
  if (index == Keys::Enter)
    row.confirmEnter(t);
  else if (index == Keys::Esc)
    CancelConfirmation(t);
  else if (index == Keys::Delete)
    row.confirmDelete(t);
}

}  // namespace

void lblKey_Click(Terminal& t, int index) {
  if (index < 0 || index >= Keys::Count) return;
  try {
    SettleLinkJob(t);
    switch (t.form.KeyMode) {
      case Mode::Normal: NormalKey(t, index); break;
      case Mode::ErrorShown: ErrorShownKey(t, index); break;
      case Mode::Busy: BusyKey(t, index); break;
      case Mode::AbortConfirm: AbortConfirmKey(t, index); break;
      case Mode::Calculator: CalculatorKey(t, index); break;
      case Mode::ConfirmPending: ConfirmPendingKey(t, index); break;
    }
  } catch (const std::exception& failure) {
    // An action that fails unexpectedly ends where it is; the terminal goes
    // on, and no half-written data file stays open.
    CloseDataFile(t);
    ReportFault(t, std::string("a key's action failed: ") + failure.what());
  }
}

}  // namespace rx
