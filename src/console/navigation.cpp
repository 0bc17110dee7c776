#include "console/navigation.h"

#include "shell/guide_texts.h"
#include "shell/input.h"
#include "console/menu_selection.h"
#include "console/screen_table.h"
#include "data/alpine_edit.h"
#include "data/data_file.h"
#include "data/relay_edit.h"
#include "link/error_line.h"
#include "shell/highlight.h"

namespace rx {

namespace {

const char* FrameCaptionFor(int menuItem) {
  return menuItem >= 5 && menuItem <= 6 ? "リレー" : "アルペン・ノルディック";
}

void SetSideKeys(Form& f, const char* left, const char* right) {
  f.lblCap[Keys::Left].caption = left;
  f.lblCap[Keys::Right].caption = right;
}

const std::string& SelectedFileName(const Form& f) {
  static const std::string none;
  return f.FileSel >= 0 && f.FileSel < kFileCells ? f.lblFileList[f.FileSel].caption : none;
}

// Undoes what OpenEditFunctionMenu changed for main items 1, 2 and 6.
void UndoFunctionMenuPreparation(Form& f) {
  const char* captions[4] = {"", "　１ 修　正", "　２ 追　加", "　３ 削　除"};
  for (int i = 1; i <= 3; ++i) {
    f.lblFunc[i].enabled = true;
    f.lblFunc[i].caption = captions[i];
  }
  if (f.lblFunc[5].visible) {
    f.lblFunc[5].visible = false;
    f.lblFunc[5].enabled = false;
    f.fraMenu[2].height -= f.lblFunc[1].height;
  }
}

}  // namespace

void ShowFunctionMenu(Terminal& t, ScreenId screen, int item) {
  Form& f = t.form;
  switch (screen) {
    case ScreenId::FunctionMenu:
      f.fraMenu[0].visible = false;
      f.fraMenu[2].caption = FrameCaptionFor(f.MenuItem);
      f.fraMenu[2].visible = true;
      f.lblFuncT.caption = f.MenuTitle[f.MenuItem] + "編集";
      f.lblGuide.caption = guide::kSub;
      f.Screen = ScreenId::FunctionMenu;
      SelectFuncItem(f, item);
      break;
    case ScreenId::FileMenu:
      f.fraMenu[0].visible = false;
      f.fraMenu[3].visible = true;
      f.lblGuide.caption = guide::kSub;
      f.Screen = ScreenId::FileMenu;
      SelectFuncItem(f, 6);
      break;
    case ScreenId::ReadRange:
      f.fraMenu[2].visible = false;
      f.fraMenu[4].caption = FrameCaptionFor(f.MenuItem);
      f.fraMenu[4].visible = true;
      f.lblBlk.caption = "";
      f.lblYomiT.caption = f.MenuTitle[f.MenuItem] + "読込";
      f.lblGuide.caption = guide::kSub;
      f.Screen = ScreenId::ReadRange;
      SelectFuncItem(f, 8);
      break;
    case ScreenId::SendRange:
      f.fraMenu[0].visible = false;
      f.fraMenu[4].caption = "共通";
      f.fraMenu[4].visible = true;
      f.lblBlk.caption = "";
      f.lblYomiT.caption = f.MenuTitle[8];
      f.fraSend.visible = false;
      f.lblGuide.caption = guide::kSub;
      f.Screen = ScreenId::SendRange;
      SelectFuncItem(f, 8);
      break;
    case ScreenId::SerialSendRange:
      f.fraMenu[1].visible = false;
      f.fraFile.visible = false;
      f.fraMenu[4].caption = "シリアル送信";
      f.fraMenu[4].visible = true;
      f.lblBlk.caption = "";
      f.lblYomiT.caption = "ファイル(" + SelectedFileName(f) + ")を送信";
      f.fraSend.visible = false;
      f.lblGuide.caption = guide::kSub;
      f.Screen = ScreenId::SerialSendRange;
      SelectFuncItem(f, 8);
      f.lblCap[Keys::Left].caption = "";
      break;
    default:
      return;
  }
  f.lblCap[Keys::Right].caption = "";
}

void OpenEditFunctionMenu(Terminal& t) {
  Form& f = t.form;
  int first = 1;
  switch (f.MenuItem) {
    case 1:
      if (f.DualAdd && !f.lblFunc[5].visible) {
        f.lblFunc[5].visible = true;
        f.lblFunc[5].enabled = true;
        f.fraMenu[2].height += f.lblFunc[1].height;
      }
      break;
    case 2:
      f.lblFunc[1].caption = "　１ ------";
      f.lblFunc[1].enabled = false;
      first = 2;
      break;
    case 6:
      f.lblFunc[2].caption = "　２ ------";
      f.lblFunc[2].enabled = false;
      f.lblFunc[3].caption = "　３ ------";
      f.lblFunc[3].enabled = false;
      break;
    default:
      break;
  }
  ShowFunctionMenu(t, ScreenId::FunctionMenu, first);
}

void BackToRangeMenu(Form& f, Control& confirmation) {
  f.lblBlk.caption = "";
  confirmation.visible = false;
  f.lblGuide.caption = guide::kSub;
}

void ReturnToFunctionMenu(Terminal& t) {
  Form& f = t.form;
  EndInput(f);
  f.fraEdit[0].visible = false;
  f.fraEdit[1].visible = false;
  f.fraMenu[2].visible = true;
  f.lblGuide.caption = guide::kSub;
  f.Screen = ScreenId::FunctionMenu;
}

void GoBack(Terminal& t) { RowOf(t.form.Screen).back(t); }

void ResumeAfterError(Terminal& t) {
  ClearError(t);
  RowOf(t.form.Screen).resume(t);
  if (t.form.KeyMode != Mode::ErrorShown) t.form.KeyMode = Mode::Normal;  // unless resuming failed in turn
}

void CloseFromMenuPage(Terminal& t) {
  t.platform.desktop.CloseWindow();  // the close question follows
}

void LeaveFunctionMenu(Terminal& t) {
  Form& f = t.form;
  if (f.FuncItem >= 1 && f.FuncItem <= 9) Paint(f.lblFunc[f.FuncItem], Shade::Plain);
  f.fraMenu[2].visible = false;
  UndoFunctionMenuPreparation(f);
  SelectMenuItem(f, -1);
}

void LeaveCommonMenu(Terminal& t) {
  Form& f = t.form;
  f.fraMenu[3].visible = false;
  f.fraMenu[4].visible = false;
  f.fraSend.visible = false;
  SelectMenuItem(f, -1);
}

void LeaveReadRange(Terminal& t) {
  Form& f = t.form;
  f.fraMenu[4].visible = false;
  f.fraMenu[2].visible = true;
  f.Screen = ScreenId::FunctionMenu;
}

void LeaveBlockEntry(Terminal& t) {
  Form& f = t.form;
  EndInput(f);
  f.lblBlk.caption = "";
  if (f.MenuItem == 8) {
    f.Screen = ScreenId::SendRange;
    f.fraFile.visible = false;
    SetSideKeys(f, "", "");
  } else if (f.MenuItem == 12) {
    f.Screen = ScreenId::SerialSendRange;
  } else {
    f.Screen = ScreenId::ReadRange;
  }
  f.lblGuide.caption = guide::kSub;
}

void LeaveSettings(Terminal& t) {
  t.form.fraSettings.visible = false;  // what was changed on it is not stored
  SelectMenuItem(t.form, -1);
}

void LeaveFileSelection(Terminal& t) {
  Form& f = t.form;
  f.fraFile.visible = false;
  SetSideKeys(f, "", "");
  f.lblGuide.caption = guide::kSub;
  if (f.MenuItem == 7) {
    f.Screen = ScreenId::FileMenu;
    f.fraMenu[3].visible = true;
  } else if (f.MenuItem == 8) {
    f.Screen = ScreenId::SendRange;
  } else if (f.MenuItem == 11 || f.MenuItem == 12) {
    SelectMenuItem(f, -1);
  } else {
    f.Screen = ScreenId::ReadRange;
  }
}

void LeaveHunterStart(Terminal& t) {
  Form& f = t.form;
  if (!f.lblDateTime.caption.empty()) return;  // Esc first empties the entry
  f.fraHunter.visible = false;
  SelectMenuItem(f, -1);
}

}  // namespace rx
