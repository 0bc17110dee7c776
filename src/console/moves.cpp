#include "console/moves.h"

#include "console/input.h"
#include "console/menu_selection.h"
#include "console/row_selection.h"
#include "shell/highlight.h"

namespace rx {

namespace {

// Nearest enabled item of the edit function menu (1-5), searching away from
// FuncItem and wrapping; the current item when none is enabled.
int NearestFunction(const Form& f, int step) {
  for (int i = f.FuncItem + step, n = 0; n < 4; ++n, i += step) {
    if (i < 1) i = 5;
    if (i > 5) i = 1;
    if (f.lblFunc[i].enabled) return i;
  }
  return f.FuncItem;
}

void ToggleOnOff(Form& f) {
  int on = (f.FileSel & 1) * 2;
  ShowOnOff(f, IsHighlighted(f.lblOnOff[on]) ? on + 1 : on);
}

// The relay screen moves between leg inputs only while nothing is typed.
bool RelayInputIdle(const Form& f) { return f.InputActive && !InputTyped(f); }

void OpenRelayRow(Form& f) {
  if (f.EditStep < f.EditRow + 4)
    BeginInput(f, f.lblRelayInp[f.EditStep - 4], 6, 4);
  else
    BeginInput(f, f.lblRelayInp[f.EditRow], 0, 0);
}

}  // namespace

void MoveUp(Form& f) {
  switch (f.Screen) {
    case Screens::MainMenu:
    case Screens::SubMenu:
      SelectMenuItem(f, f.MenuItem < 2 ? 13 : f.MenuItem - 1);
      break;
    case Screens::FunctionMenu:
      SelectFuncItem(f, NearestFunction(f, -1));
      break;
    case Screens::FileMenu:
      SelectFuncItem(f, f.FuncItem == 6 ? 7 : 6);
      break;
    case Screens::ReadRange:
    case Screens::SendRange:
    case Screens::SerialSendRange:
      SelectFuncItem(f, f.FuncCode == 8 ? 9 : 8);
      break;
    case Screens::RelayEdit:
      if (RelayInputIdle(f) && f.EditStep > 4) {
        --f.EditStep;
        BeginInput(f, f.lblRelayInp[f.EditStep - 4], 6, 4);
      }
      break;
    case Screens::Settings:
      SelectRow(f, f.FileSel ^ 1);
      break;
    case Screens::FileSelection: {
      int last = LastFileCell(f);
      if (last < 0) break;  // nothing listed, nothing to move to
      if (f.FileSel < 3) {
        int target = f.FileSel + (last / 3) * 3;
        if (target > last) target -= 3;
        SelectRow(f, target);
      } else {
        SelectRow(f, f.FileSel - 3);
      }
      break;
    }
    default:
      break;
  }
}

void MoveDown(Form& f) {
  switch (f.Screen) {
    case Screens::MainMenu:
    case Screens::SubMenu:
      SelectMenuItem(f, f.MenuItem > 12 ? 1 : f.MenuItem + 1);
      break;
    case Screens::FunctionMenu:
      SelectFuncItem(f, NearestFunction(f, +1));
      break;
    case Screens::FileMenu:
    case Screens::ReadRange:
    case Screens::SendRange:
    case Screens::SerialSendRange:
      MoveUp(f);  // two items: up and down are the same toggle
      break;
    case Screens::RelayEdit:
      if (RelayInputIdle(f) && f.EditStep > 3 && f.EditStep < f.EditRow + 4) {
        ++f.EditStep;
        OpenRelayRow(f);
      }
      break;
    case Screens::Settings:
      SelectRow(f, f.FileSel ^ 1);
      break;
    case Screens::FileSelection: {
      int last = LastFileCell(f);
      if (last < 0) break;
      SelectRow(f, last < f.FileSel + 3 ? f.FileSel % 3 : f.FileSel + 3);
      break;
    }
    default:
      break;
  }
}

void MoveLeft(Form& f) {
  if (f.Screen == Screens::Settings) {
    ToggleOnOff(f);
  } else if (f.Screen == Screens::FileSelection) {
    int last = LastFileCell(f);
    if (last < 0) return;
    SelectRow(f, f.FileSel < 1 ? last : f.FileSel - 1);
  }
}

void MoveRight(Form& f) {
  if (f.Screen == Screens::Settings) {
    ToggleOnOff(f);
  } else if (f.Screen == Screens::FileSelection) {
    int last = LastFileCell(f);
    if (last < 0) return;
    SelectRow(f, f.FileSel >= last ? 0 : f.FileSel + 1);
  }
}

void ClearKey(Form& f) {
  if (f.InputActive) {
    ClearInput(f);
  } else if (f.Screen == Screens::MainMenu) {
    SelectMenuItem(f, 10);
  } else if (f.Screen == Screens::SubMenu) {
    SelectMenuItem(f, 1);
  }
}

}  // namespace rx
