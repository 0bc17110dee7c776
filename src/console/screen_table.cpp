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
void IgnoreChoice(Form&, FuncItemId) {}
void IgnoreMove(Form&) {}

namespace {

// A row starts empty: every cell is chosen below, a group of keys the screen
// does not use by name (Ignore...), so a cell forgotten stays empty and the
// table test fails.
ScreenRow Empty(ScreenId screen, const char* name, const char* guideLine) {
  ScreenRow row{};
  row.screen = screen;
  row.name = name;
  row.guide = guideLine;
  return row;
}
// Digits type into the open input; no function items.
void TypedDigits(ScreenRow& row) {
  row.digit = EnterDigit;
  row.selectFunc = IgnoreChoice;
}
void NoArrows(ScreenRow& row) { row.up = row.down = row.left = row.right = IgnoreMove; }
void NoSideArrows(ScreenRow& row) { row.left = row.right = IgnoreMove; }
void NoErrorOfItsOwn(ScreenRow& row) { row.resume = IgnoreAction; }
// No exchange runs from the screen: no Esc while busy, no abort question.
void NoExchange(ScreenRow& row) { row.busyEsc = row.abortEnter = row.abortEsc = IgnoreAction; }
void NoPrompt(ScreenRow& row) { row.confirmEnter = row.confirmDelete = row.confirmCancel = IgnoreAction; }

// Digit n chooses the n-th item of a menu whose first item is First.
template <FuncItemId First>
void DigitChooses(Form& f, int digit) {
  SelectFuncItem(f, NthItem(First, digit));
}

// The two menu pages: items by digit and arrow; Esc asks to close.
ScreenRow MenuPage(ScreenId screen, const char* name, ScreenDigit digit) {
  ScreenRow row = Empty(screen, name, guide::kMenu);
  row.enter = MenuPageEnter;
  row.back = CloseFromMenuPage;
  row.resume = IgnoreAction;
  row.digit = digit;
  row.selectFunc = IgnoreChoice;
  row.up = MenuItemUp;
  row.down = MenuItemDown;
  NoSideArrows(row);
  NoExchange(row);
  NoPrompt(row);
  return row;
}

// What the three range menus (read, send, serial send) share: all blocks and
// one block, reached by the digits 1 and 2 and toggled by the arrows; an
// exchange with its abort question and a confirmation prompt.
ScreenRow RangeMenu(ScreenId screen, const char* name) {
  ScreenRow row = Empty(screen, name, guide::kSub);
  row.digit = DigitChooses<FuncItemId::AllBlocks>;
  row.selectFunc = SelectScope;
  row.up = row.down = ToggleScope;
  NoSideArrows(row);
  row.confirmDelete = IgnoreAction;
  return row;
}

ScreenRow MainMenuRow() {
  ScreenRow row = MenuPage(ScreenId::MainMenu, "main menu", [](Form& f, int digit) {
    SelectMenuItem(f, NthItem(kFirstMenuItem, digit));
  });
  row.resume = [](Terminal& t) { t.form.lblGuide.caption = guide::kSub; };
  return row;
}

ScreenRow SubMenuRow() {
  ScreenRow row = MenuPage(ScreenId::SubMenu, "sub-menu", [](Form& f, int digit) {
    MenuItemId item = NthItem(MenuItemId::OperationSettings, digit);
    if (item == MenuItemId::SerialSend && !f.SerialSend) return;  // the disabled item
    SelectMenuItem(f, item);
  });
  // A hunter start that failed reports on this page: its guide line returns.
  row.resume = [](Terminal& t) { t.form.lblGuide.caption = guide::kMenu; };
  return row;
}

ScreenRow FunctionMenuRow() {
  ScreenRow row = Empty(ScreenId::FunctionMenu, "edit function menu", guide::kSub);
  row.enter = FunctionMenuEnter;
  row.back = LeaveFunctionMenu;
  NoErrorOfItsOwn(row);
  row.digit = DigitChooses<FuncItemId::Modify>;
  row.selectFunc = SelectFunction;
  row.up = FunctionItemUp;
  row.down = FunctionItemDown;
  NoSideArrows(row);
  NoExchange(row);
  NoPrompt(row);
  return row;
}

ScreenRow FileMenuRow() {
  ScreenRow row = Empty(ScreenId::FileMenu, "file operations", guide::kSub);
  row.enter = FileMenuEnter;
  row.back = LeaveCommonMenu;
  NoErrorOfItsOwn(row);
  row.digit = DigitChooses<FuncItemId::DeleteFile>;
  row.selectFunc = SelectFileFunction;
  row.up = row.down = ToggleFileFunction;
  NoSideArrows(row);
  NoExchange(row);
  row.confirmEnter = IgnoreAction;
  row.confirmDelete = DeleteSelectedFile;  // the deletion prompt is answered with Delete
  row.confirmCancel = CancelDeletion;
  return row;
}

ScreenRow ReadRangeRow() {
  ScreenRow row = RangeMenu(ScreenId::ReadRange, "read range");
  row.enter = ReadRangeEnter;
  row.back = LeaveReadRange;
  row.resume = CancelRead;  // what the read wrote so far stays in the file
  row.busyEsc = AskToStopRead;
  row.abortEnter = StopRead;
  row.abortEsc = GoOnReading;
  row.confirmEnter = ConfirmRead;
  row.confirmCancel = CancelRead;
  return row;
}

ScreenRow SendRangeRow() {
  ScreenRow row = RangeMenu(ScreenId::SendRange, "send range");
  row.enter = SendRangeEnter;
  row.back = LeaveCommonMenu;
  row.resume = CancelSend;
  row.busyEsc = AskToStopSend;
  row.abortEnter = AbandonSend;
  row.abortEsc = GoOnSending;
  row.confirmEnter = ExecuteSend;
  row.confirmCancel = CancelSend;
  return row;
}

ScreenRow SerialSendRangeRow() {
  ScreenRow row = RangeMenu(ScreenId::SerialSendRange, "serial send range");
  row.enter = SerialRangeEnter;
  row.back = LeaveCommonMenu;
  row.resume = LeaveCommonMenu;
  row.busyEsc = AskToStopSend;
  row.abortEnter = StopSerialOutput;
  row.abortEsc = GoOnWithSerialOutput;
  row.confirmEnter = ExecuteSerialSend;
  row.confirmCancel = CancelSend;
  return row;
}

// The edit screens: their exchanges are short and end on replies; Insert and
// Delete are keys of their own, not prompts of the table.
ScreenRow AlpineEditRow() {
  ScreenRow row = Empty(ScreenId::AlpineEdit, "alpine/nordic edit", "");
  row.enter = AlpineEditEnter;
  row.back = LeaveAlpineEdit;
  row.resume = ResumeAlpineEdit;
  TypedDigits(row);
  NoArrows(row);
  NoExchange(row);
  NoPrompt(row);
  return row;
}

ScreenRow RelayEditRow() {
  ScreenRow row = Empty(ScreenId::RelayEdit, "relay edit", guide::kRelayTeam);
  row.enter = RelayEditEnter;
  row.back = LeaveRelayEdit;
  row.resume = ResumeRelayEdit;
  TypedDigits(row);
  row.up = RelayLegUp;
  row.down = RelayLegDown;
  NoSideArrows(row);
  NoExchange(row);
  NoPrompt(row);
  return row;
}

ScreenRow BlockEntryRow() {
  ScreenRow row = Empty(ScreenId::BlockEntry, "block entry", guide::kBlockEntry);
  row.enter = BlockEntryEnter;
  row.back = LeaveBlockEntry;
  NoErrorOfItsOwn(row);
  TypedDigits(row);
  NoArrows(row);
  NoExchange(row);
  NoPrompt(row);
  return row;
}

ScreenRow SettingsRow() {
  ScreenRow row = Empty(ScreenId::Settings, "operation settings", guide::kSettings);
  row.enter = SaveSettingsScreen;
  row.back = LeaveSettings;
  NoErrorOfItsOwn(row);
  TypedDigits(row);
  row.up = row.down = ToggleSettingsRow;
  row.left = row.right = ToggleOnOff;
  NoExchange(row);
  NoPrompt(row);
  return row;
}

ScreenRow FileSelectionRow() {
  ScreenRow row = Empty(ScreenId::FileSelection, "file selection", guide::kFileSelection);
  row.enter = FileSelectionEnter;
  row.back = LeaveFileSelection;
  NoErrorOfItsOwn(row);
  TypedDigits(row);
  row.up = FileCellUp;
  row.down = FileCellDown;
  row.left = FileCellLeft;
  row.right = FileCellRight;
  NoExchange(row);
  NoPrompt(row);
  return row;
}

ScreenRow FileListRow() {
  ScreenRow row = Empty(ScreenId::FileList, "file list", guide::kFileList);
  row.enter = IgnoreAction;
  row.back = LeaveFileSelection;
  NoErrorOfItsOwn(row);
  TypedDigits(row);
  NoArrows(row);
  NoExchange(row);
  NoPrompt(row);
  return row;
}

ScreenRow HunterStartRow() {
  ScreenRow row = Empty(ScreenId::HunterStart, "hunter start", guide::kHunterStart);
  row.enter = HunterDateEnter;
  row.back = LeaveHunterStart;
  row.resume = ResumeHunterStart;
  TypedDigits(row);
  NoArrows(row);
  NoExchange(row);
  row.confirmEnter = ExecuteHunterStart;
  row.confirmDelete = IgnoreAction;
  row.confirmCancel = CancelHunterStart;
  return row;
}

struct RowMaker {
  ScreenId screen;
  ScreenRow (*make)();
};

// One maker per screen, in the order of kAllScreens.
constexpr RowMaker kMakers[] = {
    {ScreenId::MainMenu, MainMenuRow},         {ScreenId::SubMenu, SubMenuRow},
    {ScreenId::FunctionMenu, FunctionMenuRow}, {ScreenId::FileMenu, FileMenuRow},
    {ScreenId::ReadRange, ReadRangeRow},       {ScreenId::SendRange, SendRangeRow},
    {ScreenId::AlpineEdit, AlpineEditRow},     {ScreenId::RelayEdit, RelayEditRow},
    {ScreenId::BlockEntry, BlockEntryRow},     {ScreenId::Settings, SettingsRow},
    {ScreenId::FileSelection, FileSelectionRow}, {ScreenId::FileList, FileListRow},
    {ScreenId::HunterStart, HunterStartRow},   {ScreenId::SerialSendRange, SerialSendRangeRow},
};

constexpr bool EveryScreenHasItsMaker() {
  if (std::size(kMakers) != std::size(kAllScreens)) return false;
  for (std::size_t i = 0; i < std::size(kMakers); ++i)
    if (kMakers[i].screen != kAllScreens[i]) return false;
  return true;
}
static_assert(EveryScreenHasItsMaker(), "a screen of ScreenId has no row, or rows are out of order");

// Indexed by value; values that name no screen keep an inert row.
std::array<ScreenRow, kScreenIdCount> BuildRows() {
  std::array<ScreenRow, kScreenIdCount> rows{};
  for (int value = 0; value < kScreenIdCount; ++value) {
    ScreenRow& row = rows[value] = Empty(static_cast<ScreenId>(value), "(none)", "");
    row.enter = row.back = IgnoreAction;
    NoErrorOfItsOwn(row);
    TypedDigits(row);
    NoArrows(row);
    NoExchange(row);
    NoPrompt(row);
  }
  for (const RowMaker& maker : kMakers) rows[static_cast<int>(maker.screen)] = maker.make();
  return rows;
}

const std::array<ScreenRow, kScreenIdCount>& Rows() {
  static const std::array<ScreenRow, kScreenIdCount> rows = BuildRows();
  return rows;
}

}  // namespace

const ScreenRow& RowOf(ScreenId screen) {
  int value = static_cast<int>(screen);
  if (value < 0 || value >= kScreenIdCount) value = 9;  // only a cast makes one; inert
  return Rows()[value];
}

const ScreenRow* ScreenRows(int* count) {
  *count = kScreenIdCount;
  return Rows().data();
}

}  // namespace rx
