#include "console/navigation.h"

#include "console/guide_texts.h"
#include "console/input.h"
#include "console/menu_selection.h"
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
  return f.FileSel >= 0 && f.FileSel < 51 ? f.lblFileList[f.FileSel].caption : none;
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

void ShowFunctionMenu(Terminal& t, int screen, int item) {
  Form& f = t.form;
  switch (screen) {
    case Screens::FunctionMenu:
      f.fraMenu[0].visible = false;
      f.fraMenu[2].caption = FrameCaptionFor(f.MenuItem);
      f.fraMenu[2].visible = true;
      f.lblFuncT.caption = f.MenuTitle[f.MenuItem] + "編集";
      f.lblGuide.caption = guide::kSub;
      f.Screen = Screens::FunctionMenu;
      SelectFuncItem(f, item);
      break;
    case Screens::FileMenu:
      f.fraMenu[0].visible = false;
      f.fraMenu[3].visible = true;
      f.lblGuide.caption = guide::kSub;
      f.Screen = Screens::FileMenu;
      SelectFuncItem(f, 6);
      break;
    case Screens::ReadRange:
      f.fraMenu[2].visible = false;
      f.fraMenu[4].caption = FrameCaptionFor(f.MenuItem);
      f.fraMenu[4].visible = true;
      f.lblBlk.caption = "";
      f.lblYomiT.caption = f.MenuTitle[f.MenuItem] + "読込";
      f.lblGuide.caption = guide::kSub;
      f.Screen = Screens::ReadRange;
      SelectFuncItem(f, 8);
      break;
    case Screens::SendRange:
      f.fraMenu[0].visible = false;
      f.fraMenu[4].caption = "共通";
      f.fraMenu[4].visible = true;
      f.lblBlk.caption = "";
      f.lblYomiT.caption = f.MenuTitle[8];
      f.fraSend.visible = false;
      f.lblGuide.caption = guide::kSub;
      f.Screen = Screens::SendRange;
      SelectFuncItem(f, 8);
      break;
    case Screens::SerialSendRange:
      f.fraMenu[1].visible = false;
      f.fraFile.visible = false;
      f.fraMenu[4].caption = "シリアル送信";
      f.fraMenu[4].visible = true;
      f.lblBlk.caption = "";
      f.lblYomiT.caption = "ファイル(" + SelectedFileName(f) + ")を送信";
      f.fraSend.visible = false;
      f.lblGuide.caption = guide::kSub;
      f.Screen = Screens::SerialSendRange;
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
  ShowFunctionMenu(t, Screens::FunctionMenu, first);
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
  f.Screen = Screens::FunctionMenu;
}

void GoBack(Terminal& t) {
  Form& f = t.form;
  switch (f.Screen) {
    case Screens::MainMenu:
    case Screens::SubMenu:
      t.platform.desktop.CloseWindow();  // the close question follows
      break;
    case Screens::FunctionMenu:
      if (f.FuncItem >= 1 && f.FuncItem <= 9) Paint(f.lblFunc[f.FuncItem], Shade::Plain);
      f.fraMenu[2].visible = false;
      UndoFunctionMenuPreparation(f);
      SelectMenuItem(f, -1);
      break;
    case Screens::FileMenu:
    case Screens::SendRange:
    case Screens::SerialSendRange:
      f.fraMenu[3].visible = false;
      f.fraMenu[4].visible = false;
      f.fraSend.visible = false;
      SelectMenuItem(f, -1);
      break;
    case Screens::ReadRange:
      f.fraMenu[4].visible = false;
      f.fraMenu[2].visible = true;
      f.Screen = Screens::FunctionMenu;
      break;
    case Screens::AlpineEdit:
      if (f.EditStep == 0 || (f.EditStep == 1 && f.FuncItem >= 1 && f.FuncItem <= 3))
        ReturnToFunctionMenu(t);
      else
        OpenAlpineEdit(t, false);  // the entry starts over at its first field
      break;
    case Screens::RelayEdit:
      if (f.EditStep == 1) {
        ReturnToFunctionMenu(t);
      } else if (f.EditStep == 2 || (f.EditStep >= 4 && f.EditStep <= f.EditRow + 4)) {
        OpenRelayEdit(t);
      } else if (f.EditStep == 15) {
        f.EditStep = f.EditRow + 4;
        BeginInput(f, f.lblRelayInp[f.EditRow], 0, 0);
        f.lblGuide.caption = kRelayLegGuide;
      }
      break;
    case Screens::BlockEntry:
      EndInput(f);
      f.lblBlk.caption = "";
      if (f.MenuItem == 8) {
        f.Screen = Screens::SendRange;
        f.fraFile.visible = false;
        SetSideKeys(f, "", "");
      } else if (f.MenuItem == 12) {
        f.Screen = Screens::SerialSendRange;
      } else {
        f.Screen = Screens::ReadRange;
      }
      f.lblGuide.caption = guide::kSub;
      break;
    case Screens::Settings:
      f.fraSettings.visible = false;  // what was changed on it is not stored
      SelectMenuItem(f, -1);
      break;
    case Screens::FileSelection:
    case Screens::FileList:
      f.fraFile.visible = false;
      SetSideKeys(f, "", "");
      f.lblGuide.caption = guide::kSub;
      if (f.MenuItem == 7) {
        f.Screen = Screens::FileMenu;
        f.fraMenu[3].visible = true;
      } else if (f.MenuItem == 8) {
        f.Screen = Screens::SendRange;
      } else if (f.MenuItem == 11 || f.MenuItem == 12) {
        SelectMenuItem(f, -1);
      } else {
        f.Screen = Screens::ReadRange;
      }
      break;
    case Screens::HunterStart:
      if (f.lblDateTime.caption.empty()) {
        f.fraHunter.visible = false;
        SelectMenuItem(f, -1);
      }
      break;
    default:
      break;
  }
}

void ResumeAfterError(Terminal& t) {
  Form& f = t.form;
  ShowError(t, -1);
  switch (f.Screen) {
    case Screens::MainMenu:
      f.lblGuide.caption = guide::kSub;
      break;
    case Screens::ReadRange:
      CloseDataFile(t);  // what the read wrote so far stays in the file
      BackToRangeMenu(f, f.fraYomikomi);
      break;
    case Screens::SendRange:
      BackToRangeMenu(f, f.fraSend);
      break;
    case Screens::AlpineEdit:
      if ((f.EditStep >= 0 && f.EditStep <= 3) || f.EditStep == 6) {
        OpenAlpineEdit(t, false);
      } else if (f.EditStep == 4) {
        f.lblEditInp[4].caption = f.InputPrevCaption;
        BeginInput(f, f.lblEditInp[4], 6, 4);
      }
      break;
    case Screens::RelayEdit:
      if (f.EditStep >= 0 && f.EditStep <= 3) {
        OpenRelayEdit(t);
      } else if (f.EditStep >= 4 && f.EditStep <= f.EditRow + 3) {
        Control& leg = f.lblRelayInp[f.EditStep - 4];
        leg.caption = f.InputPrevCaption;
        BeginInput(f, leg, 6, 4);
        f.lblGuide.caption = kRelayLegGuide;
      }
      break;
    case Screens::HunterStart:
      f.fraHunter.visible = false;
      SelectMenuItem(f, -1);
      break;
    case Screens::SerialSendRange:
      GoBack(t);
      break;
    default:
      break;
  }
  f.KeyMode = Mode::Normal;
}

}  // namespace rx
