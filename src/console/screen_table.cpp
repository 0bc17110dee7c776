#include "console/screen_table.h"

#include <array>

#include "console/enter_actions.h"
#include "console/file_screens.h"
#include "shell/guide_texts.h"
#include "console/menu_selection.h"
#include "console/moves.h"
#include "console/navigation.h"
#include "console/read_screens.h"
#include "console/transfer_keys.h"
#include "data/alpine_edit.h"
#include "data/enter_digit.h"
#include "data/relay_edit.h"
#include "shell/settings_screen.h"

namespace rx {

void IgnoreAction(Terminal&) {}
void IgnoreDigit(Form&, int) {}
void IgnoreMove(Form&) {}

namespace {

// The rows start from what most screens do: digits go to the open input,
// everything else is ignored.
ScreenRow Inert(ScreenId screen, const char* name, const char* guideLine) {
  return ScreenRow{screen,       name,         guideLine,    IgnoreAction, IgnoreAction,
                   IgnoreAction, EnterDigit,   IgnoreDigit,  IgnoreMove,   IgnoreMove,
                   IgnoreMove,   IgnoreMove,   IgnoreAction, IgnoreAction, IgnoreAction,
                   IgnoreAction, IgnoreAction, IgnoreAction};
}

// What the three range menus (read, send, serial send) share: 8 all blocks,
// 9 one block, reached by the digits 1 and 2 and toggled by the arrows.
ScreenRow RangeMenu(ScreenId screen, const char* name) {
  ScreenRow row = Inert(screen, name, guide::kSub);
  row.digit = [](Form& f, int digit) { SelectFuncItem(f, digit + 7); };
  row.selectFunc = SelectScope;
  row.up = row.down = ToggleScope;
  return row;
}

std::array<ScreenRow, kScreenIdCount> BuildRows() {
  std::array<ScreenRow, kScreenIdCount> rows{};
  for (int value = 0; value < kScreenIdCount; ++value)
    rows[value] = Inert(static_cast<ScreenId>(value), "(none)", "");
  auto at = [&](ScreenId screen) -> ScreenRow& { return rows[static_cast<int>(screen)]; };

  ScreenRow& main = at(ScreenId::MainMenu) = Inert(ScreenId::MainMenu, "main menu", guide::kMenu);
  main.enter = MenuPageEnter;
  main.back = CloseFromMenuPage;
  main.resume = [](Terminal& t) { t.form.lblGuide.caption = guide::kSub; };
  main.digit = SelectMenuItem;
  main.up = MenuItemUp;
  main.down = MenuItemDown;

  ScreenRow& sub = at(ScreenId::SubMenu) = Inert(ScreenId::SubMenu, "sub-menu", guide::kMenu);
  sub.enter = MenuPageEnter;
  sub.back = CloseFromMenuPage;
  // A hunter start that failed reports on this page: its guide line returns.
  sub.resume = [](Terminal& t) { t.form.lblGuide.caption = guide::kMenu; };
  sub.digit = [](Form& f, int digit) {
    if (digit == 3 && !f.SerialSend) return;  // the disabled serial-send item
    SelectMenuItem(f, digit + 9);
  };
  sub.up = MenuItemUp;
  sub.down = MenuItemDown;

  ScreenRow& functions = at(ScreenId::FunctionMenu) =
      Inert(ScreenId::FunctionMenu, "edit function menu", guide::kSub);
  functions.enter = FunctionMenuEnter;
  functions.back = LeaveFunctionMenu;
  functions.digit = SelectFuncItem;
  functions.selectFunc = SelectFunction;
  functions.up = FunctionItemUp;
  functions.down = FunctionItemDown;

  ScreenRow& files = at(ScreenId::FileMenu) = Inert(ScreenId::FileMenu, "file operations", guide::kSub);
  files.enter = FileMenuEnter;
  files.back = LeaveCommonMenu;
  files.digit = [](Form& f, int digit) { SelectFuncItem(f, digit + 5); };
  files.selectFunc = SelectFileFunction;
  files.up = files.down = ToggleFileFunction;
  files.confirmDelete = DeleteSelectedFile;  // the deletion prompt is answered with Delete
  files.confirmCancel = CancelDeletion;

  ScreenRow& read = at(ScreenId::ReadRange) = RangeMenu(ScreenId::ReadRange, "read range");
  read.enter = ReadRangeEnter;
  read.back = LeaveReadRange;
  read.resume = CancelRead;  // what the read wrote so far stays in the file
  read.busyEsc = AskToStopRead;
  read.abortEnter = StopRead;
  read.abortEsc = GoOnReading;
  read.confirmEnter = ConfirmRead;
  read.confirmCancel = CancelRead;

  ScreenRow& send = at(ScreenId::SendRange) = RangeMenu(ScreenId::SendRange, "send range");
  send.enter = SendRangeEnter;
  send.back = LeaveCommonMenu;
  send.resume = CancelSend;
  send.busyEsc = AskToStopSend;
  send.abortEnter = AbandonSend;
  send.abortEsc = GoOnSending;
  send.confirmEnter = ExecuteSend;
  send.confirmCancel = CancelSend;

  ScreenRow& serial = at(ScreenId::SerialSendRange) =
      RangeMenu(ScreenId::SerialSendRange, "serial send range");
  serial.enter = SerialRangeEnter;
  serial.back = LeaveCommonMenu;
  serial.resume = LeaveCommonMenu;
  serial.busyEsc = AskToStopSend;
  serial.abortEnter = StopSerialOutput;
  serial.abortEsc = GoOnWithSerialOutput;
  serial.confirmEnter = ExecuteSerialSend;
  serial.confirmCancel = CancelSend;

  ScreenRow& alpine = at(ScreenId::AlpineEdit) = Inert(ScreenId::AlpineEdit, "alpine/nordic edit", "");
  alpine.enter = AlpineEditEnter;
  alpine.back = LeaveAlpineEdit;
  alpine.resume = ResumeAlpineEdit;

  ScreenRow& relay = at(ScreenId::RelayEdit) = Inert(ScreenId::RelayEdit, "relay edit", guide::kRelayTeam);
  relay.enter = RelayEditEnter;
  relay.back = LeaveRelayEdit;
  relay.resume = ResumeRelayEdit;
  relay.up = RelayLegUp;
  relay.down = RelayLegDown;

  ScreenRow& block = at(ScreenId::BlockEntry) = Inert(ScreenId::BlockEntry, "block entry", guide::kBlockEntry);
  block.enter = BlockEntryEnter;
  block.back = LeaveBlockEntry;

  ScreenRow& settings = at(ScreenId::Settings) = Inert(ScreenId::Settings, "operation settings", guide::kSettings);
  settings.enter = SaveSettingsScreen;
  settings.back = LeaveSettings;
  settings.up = settings.down = ToggleSettingsRow;
  settings.left = settings.right = ToggleOnOff;

  ScreenRow& selection = at(ScreenId::FileSelection) =
      Inert(ScreenId::FileSelection, "file selection", guide::kFileSelection);
  selection.enter = FileSelectionEnter;
  selection.back = LeaveFileSelection;
  selection.up = FileCellUp;
  selection.down = FileCellDown;
  selection.left = FileCellLeft;
  selection.right = FileCellRight;

  ScreenRow& list = at(ScreenId::FileList) = Inert(ScreenId::FileList, "file list", guide::kFileList);
  list.back = LeaveFileSelection;

  ScreenRow& hunter = at(ScreenId::HunterStart) = Inert(ScreenId::HunterStart, "hunter start", guide::kHunterStart);
  hunter.enter = HunterDateEnter;
  hunter.back = LeaveHunterStart;
  hunter.resume = ResumeHunterStart;
  hunter.confirmEnter = ExecuteHunterStart;
  hunter.confirmCancel = CancelHunterStart;
  return rows;
}

const std::array<ScreenRow, kScreenIdCount>& Rows() {
  static const std::array<ScreenRow, kScreenIdCount> rows = BuildRows();
  return rows;
}

}  // namespace

const ScreenRow& RowOf(ScreenId screen) {
  int value = static_cast<int>(screen);
  if (value < 0 || value >= kScreenIdCount) value = 9;  // the value no screen has: inert
  return Rows()[value];
}

const ScreenRow* ScreenRows(int* count) {
  *count = kScreenIdCount;
  return Rows().data();
}

}  // namespace rx
