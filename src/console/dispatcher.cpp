#include "console/dispatcher.h"

#include <exception>
#include <filesystem>
#include <system_error>

#include "console/calculator.h"
#include "console/enter_actions.h"
#include "console/file_screens.h"
#include "console/guide_texts.h"
#include "console/menu_selection.h"
#include "console/moves.h"
#include "console/navigation.h"
#include "data/data_file.h"
#include "data/enter_digit.h"
#include "data/relay_edit.h"
#include "link/commands.h"
#include "link/device_port.h"
#include "link/error_line.h"
#include "link/file_send.h"
#include "link/jobs.h"
#include "link/queue_load.h"
#include "link/text_output.h"
#include "shell/diagnostics.h"
#include "link/replies.h"

namespace rx {

namespace {

bool OnMenuPage(const Form& f) {
  return f.Screen == Screens::MainMenu || f.Screen == Screens::SubMenu;
}

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
      if (OnMenuPage(f) || (f.InputActive && f.InputFracDigits == 4))
        StartCalculator(t);
      else
        MoveRight(f);
      break;
    case Keys::Clear: ClearKey(f); break;
    case Keys::Enter: ExecuteEnter(t); break;
    default:
      if (index >= 1 && index <= 9) DigitKey(f, index);
      break;
  }
}

// Ends a send to the device the operator gave up: nothing stays queued, and
// later errors are ordinary ones again.
void AbandonSend(Terminal& t) {
  ResumeAfterError(t);
  EndFileSend(t);
  t.form.KeyMode = Mode::Normal;
}

void ErrorShownKey(Terminal& t, int index) {
  Form& f = t.form;
  if (f.SendRecovery != 0) {
    if (index == Keys::Esc || index == Keys::Clear) {  // go on with the next record
      ShowError(t, -1);
      f.lblSendG[3].visible = false;
      f.lblGuide.caption = guide::kBusySend;
      f.KeyMode = Mode::Busy;
      if (index == Keys::Clear) f.SendRecovery = 2;  // and stop asking
      SendNextQueued(t, true);
    } else if (index == Keys::Enter) {
      AbandonSend(t);
    }
    return;
  }
  if (index == Keys::Esc) {
    ResumeAfterError(t);
    f.KeyMode = Mode::Normal;
  }
}

void CancelConfirmation(Terminal& t);

// Only the long transfers can be interrupted. While the port still drains
// for a new exchange, nothing has started that Esc could stop.
void BusyKey(Terminal& t, int index) {
  Form& f = t.form;
  if (index != Keys::Esc || PortOpening(t)) return;
  if (t.link.load.active) {  // still reading the file: back as from the prompt
    CancelQueueLoad(t);
    return CancelConfirmation(t);
  }
  switch (f.Screen) {
    case Screens::ReadRange:
      t.platform.port.Write(std::string(1, kXoff));  // hold the device while we ask
      [[fallthrough]];
    case Screens::SendRange:
    case Screens::SerialSendRange:
      f.KeyMode = Mode::AbortConfirm;
      f.lblGuide.caption = guide::kAbortQuestion;
      break;
    default:
      break;
  }
}

void AbortConfirmKey(Terminal& t, int index) {
  Form& f = t.form;
  if (index == Keys::Enter) {
    if (f.Screen == Screens::ReadRange) {
      t.platform.port.Write(std::string(1, kXon));
      SendCommand(t, StopReadCommand());  // the device answers with the end of the data
      if (f.KeyMode == Mode::AbortConfirm) f.KeyMode = Mode::Busy;
    } else if (f.Screen == Screens::SendRange) {
      AbandonSend(t);
    } else if (f.Screen == Screens::SerialSendRange) {
      ResumeAfterError(t);
      f.KeyMode = Mode::Normal;
      EndTextOutput(t);
    }
  } else if (index == Keys::Esc) {
    switch (f.Screen) {
      case Screens::ReadRange:
        t.platform.port.Write(std::string(1, kXon));
        f.lblGuide.caption = guide::kBusyRead;
        f.KeyMode = Mode::Busy;
        break;
      case Screens::SendRange:
        f.lblGuide.caption = guide::kBusySend;
        f.KeyMode = Mode::Busy;
        SendNextQueued(t, false);
        break;
      case Screens::SerialSendRange:
        f.lblGuide.caption = guide::kBusySerial;
        f.KeyMode = Mode::Busy;
        ContinueTextOutput(t);
        break;
      default:
        break;
    }
  }
}

void CancelConfirmation(Terminal& t) {
  Form& f = t.form;
  f.KeyMode = Mode::Normal;
  f.lblGuide.caption = f.SavedGuide;
  switch (f.Screen) {
    case Screens::ReadRange:
      CloseDataFile(t);
      BackToRangeMenu(f, f.fraYomikomi);
      break;
    case Screens::SendRange:
    case Screens::SerialSendRange:
      BackToRangeMenu(f, f.fraSend);
      break;
    case Screens::HunterStart:
      f.fraHunter.visible = false;
      f.fraHunter2.visible = false;
      SelectMenuItem(f, -1);
      break;
    case Screens::FileMenu:  // the deletion prompt, back to the file selection
      f.Screen = Screens::FileSelection;
      f.lblCap[Keys::Left].caption = "←";
      f.lblCap[Keys::Right].caption = "→";
      f.lblGuide.caption = guide::kFileSelection;
      break;
    default:
      break;
  }
}

void DeleteSelectedFile(Terminal& t) {
  Form& f = t.form;
  f.KeyMode = Mode::Normal;
  std::error_code failure;
  if (f.FileSel >= 0 && f.FileSel < 51 && !f.lblFileList[f.FileSel].caption.empty())
    std::filesystem::remove(t.dataDirectory / f.lblFileList[f.FileSel].caption, failure);
  ExecuteEnter(t);  // the list is built again
  // A file that stays (read-only directory, a directory of that name) is no
  // silent success; one that is gone already is.
  if (failure) ShowError(t, Errors::CannotWriteFile);
}

void ConfirmExecute(Terminal& t) {
  Form& f = t.form;
  switch (f.Screen) {
    case Screens::ReadRange:
      f.KeyMode = Mode::Normal;
      SendReadCommand(t);
      break;
    case Screens::SendRange:
      ExecuteSend(t);
      break;
    case Screens::HunterStart:
      ExecuteHunterStart(t);
      break;
    case Screens::SerialSendRange:
      ExecuteSerialSend(t);
      break;
    default:
      break;
  }
}

void ConfirmPendingKey(Terminal& t, int index) {
  Form& f = t.form;
  if (index == Keys::Enter) {
    ConfirmExecute(t);
  } else if (index == Keys::Esc) {
    CancelConfirmation(t);
  } else if (index == Keys::Delete && f.Screen == Screens::FileMenu) {
    DeleteSelectedFile(t);
  }
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
