#include "console/moves.h"

#include "shell/input.h"
#include "console/menu_selection.h"
#include "console/row_selection.h"
#include "console/screen_table.h"
#include "data/relay_edit.h"

namespace rx {

namespace {

constexpr FuncItemId kFirstFunction = FuncItemId::Modify;
constexpr FuncItemId kLastFunction = FuncItemId::DualAdd;
constexpr int kFunctionItems = Index(kLastFunction) - Index(kFirstFunction) + 1;

// Nearest enabled item of the edit function menu, searching away from
// FuncItem and wrapping; the current item when none is enabled.
FuncItemId NearestFunction(const Form& f, int step) {
  FuncItemId item = Shifted(f.FuncItem, step);
  for (int n = 0; n < kFunctionItems - 1; ++n, item = Shifted(item, step)) {
    if (item < kFirstFunction) item = kLastFunction;
    if (item > kLastFunction) item = kFirstFunction;
    if (f.lblFunc[Index(item)].enabled) return item;
  }
  return f.FuncItem;
}

// The relay screen moves between leg inputs only while nothing is typed.
bool RelayInputIdle(const Form& f) { return f.InputActive && !InputTyped(f); }

}  // namespace

void MoveUp(Form& f) { RowOf(f.Screen).up(f); }
void MoveDown(Form& f) { RowOf(f.Screen).down(f); }
void MoveLeft(Form& f) { RowOf(f.Screen).left(f); }
void MoveRight(Form& f) { RowOf(f.Screen).right(f); }

void ClearKey(Form& f) {
  if (f.InputActive) {
    ClearInput(f);
  } else if (f.Screen == ScreenId::MainMenu) {
    SelectMenuItem(f, MenuItemId::OperationSettings);  // the sub-menu page
  } else if (f.Screen == ScreenId::SubMenu) {
    SelectMenuItem(f, kFirstMenuItem);
  }
}

// The items of both pages form one ring.
void MenuItemUp(Form& f) {
  SelectMenuItem(f, f.MenuItem <= kFirstMenuItem ? kLastMenuItem : Shifted(f.MenuItem, -1));
}
void MenuItemDown(Form& f) {
  SelectMenuItem(f, f.MenuItem >= kLastMenuItem ? kFirstMenuItem : Shifted(f.MenuItem, +1));
}

void FunctionItemUp(Form& f) { SelectFuncItem(f, NearestFunction(f, -1)); }
void FunctionItemDown(Form& f) { SelectFuncItem(f, NearestFunction(f, +1)); }

void ToggleFileFunction(Form& f) {
  bool onDelete = f.FuncItem == FuncItemId::DeleteFile;
  SelectFuncItem(f, onDelete ? FuncItemId::ListFiles : FuncItemId::DeleteFile);
}
void ToggleScope(Form& f) {
  SelectFuncItem(f, f.FuncCode == Scope::AllBlocks ? FuncItemId::OneBlock : FuncItemId::AllBlocks);
}

void ToggleSettingsRow(Form& f) { SelectRow(f, f.FileSel ^ 1); }

void ToggleOnOff(Form& f) {
  const int row = f.FileSel & 1;
  ShowOnOff(f, row * 2 + (f.OnOffChosen[static_cast<std::size_t>(row)] ? 1 : 0));
}

void FileCellUp(Form& f) {
  int last = LastFileCell(f);
  if (last < 0) return;  // nothing listed, nothing to move to
  if (f.FileSel < 3) {
    int target = f.FileSel + (last / 3) * 3;
    if (target > last) target -= 3;
    SelectRow(f, target);
  } else {
    SelectRow(f, f.FileSel - 3);
  }
}

void FileCellDown(Form& f) {
  int last = LastFileCell(f);
  if (last < 0) return;
  SelectRow(f, last < f.FileSel + 3 ? f.FileSel % 3 : f.FileSel + 3);
}

void FileCellLeft(Form& f) {
  int last = LastFileCell(f);
  if (last < 0) return;
  SelectRow(f, f.FileSel < 1 ? last : f.FileSel - 1);
}

void FileCellRight(Form& f) {
  int last = LastFileCell(f);
  if (last < 0) return;
  SelectRow(f, f.FileSel >= last ? 0 : f.FileSel + 1);
}

void RelayLegUp(Form& f) {
  if (!RelayInputIdle(f) || f.EditStep <= EditStage::FirstLeg) return;
  f.EditStep = LegStage(LegRowOf(f.EditStep) - 1);
  BeginInput(f, f.lblRelayInp[LegRowOf(f.EditStep)], kTimeDigits, kTimeDecimals);
}

void RelayLegDown(Form& f) {
  if (!RelayInputIdle(f) || f.EditStep < EditStage::FirstLeg || LegRowOf(f.EditStep) >= f.EditRow)
    return;
  f.EditStep = LegStage(LegRowOf(f.EditStep) + 1);
  OpenRelayRow(f);
}

}  // namespace rx
