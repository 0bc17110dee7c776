#include "console/navigation.h"

#include "shell/guide_texts.h"
#include "shell/input.h"
#include "console/menu_selection.h"
#include "console/screen_table.h"
#include "data/alpine_edit.h"
#include "data/data_file.h"
#include "data/memories.h"
#include "data/relay_edit.h"
#include "link/error_line.h"
#include "shell/highlight.h"

namespace rx {

const char* FrameCaptionFor(MenuItemId memory) {
  return IsRelayMemory(memory) ? "リレー" : "アルペン・ノルディック";
}

namespace {

void SetSideKeys(Form& f, const char* left, const char* right) {
  f.lblCap[Keys::Left].caption = left;
  f.lblCap[Keys::Right].caption = right;
}

Control& FuncLabel(Form& f, FuncItemId item) { return f.lblFunc[Index(item)]; }

// The items a memory's function menu may not offer, with their usual captions.
struct FunctionCaption {
  FuncItemId item;
  const char* caption;
};
constexpr FunctionCaption kUsualCaptions[] = {
    {FuncItemId::Modify, "　１ 修　正"},
    {FuncItemId::Add, "　２ 追　加"},
    {FuncItemId::Delete, "　３ 削　除"},
};

// Shows item as not offered for this memory.
void Withhold(Form& f, FuncItemId item, const char* caption) {
  Control& label = FuncLabel(f, item);
  label.caption = caption;
  label.enabled = false;
}

// Undoes what OpenEditFunctionMenu changed for the course memory, the DNF
// memory and the relay results.
void UndoFunctionMenuPreparation(Form& f) {
  for (const FunctionCaption& usual : kUsualCaptions) {
    FuncLabel(f, usual.item).enabled = true;
    FuncLabel(f, usual.item).caption = usual.caption;
  }
  Control& dualAdd = FuncLabel(f, FuncItemId::DualAdd);
  if (dualAdd.visible) {
    dualAdd.visible = false;
    dualAdd.enabled = false;
    f.fraMenu[MenuFrame::Function].height -= FuncLabel(f, FuncItemId::Modify).height;
  }
}

}  // namespace

void ShowFunctionMenu(Terminal& t, ScreenId screen, FuncItemId first) {
  Form& f = t.form;
  switch (screen) {
    case ScreenId::FunctionMenu:
      f.fraMenu[MenuFrame::Main].visible = false;
      f.fraMenu[MenuFrame::Function].caption = FrameCaptionFor(f.MenuItem);
      f.fraMenu[MenuFrame::Function].visible = true;
      f.lblFuncT.caption = MenuTitleOf(f, f.MenuItem) + "編集";
      f.lblGuide.caption = guide::kSub;
      f.Screen = ScreenId::FunctionMenu;
      SelectFuncItem(f, first);
      break;
    case ScreenId::FileMenu:
      f.fraMenu[MenuFrame::Main].visible = false;
      f.fraMenu[MenuFrame::File].visible = true;
      f.lblGuide.caption = guide::kSub;
      f.Screen = ScreenId::FileMenu;
      SelectFuncItem(f, FuncItemId::DeleteFile);
      break;
    case ScreenId::ReadRange:
      f.fraMenu[MenuFrame::Function].visible = false;
      f.fraMenu[MenuFrame::Range].caption = FrameCaptionFor(f.MenuItem);
      f.fraMenu[MenuFrame::Range].visible = true;
      SetField(f, f.lblBlk, "");
      f.lblYomiT.caption = MenuTitleOf(f, f.MenuItem) + "読込";
      f.lblGuide.caption = guide::kSub;
      f.Screen = ScreenId::ReadRange;
      SelectFuncItem(f, FuncItemId::AllBlocks);
      break;
    case ScreenId::SendRange:
      f.fraMenu[MenuFrame::Main].visible = false;
      f.fraMenu[MenuFrame::Range].caption = "共通";
      f.fraMenu[MenuFrame::Range].visible = true;
      SetField(f, f.lblBlk, "");
      f.lblYomiT.caption = MenuTitleOf(f, MenuItemId::SendToDevice);
      f.fraSend.visible = false;
      f.lblGuide.caption = guide::kSub;
      f.Screen = ScreenId::SendRange;
      SelectFuncItem(f, FuncItemId::AllBlocks);
      break;
    case ScreenId::SerialSendRange:
      f.fraMenu[MenuFrame::Sub].visible = false;
      f.fraFile.visible = false;
      f.fraMenu[MenuFrame::Range].caption = "シリアル送信";
      f.fraMenu[MenuFrame::Range].visible = true;
      SetField(f, f.lblBlk, "");
      f.lblYomiT.caption = "ファイル(" + SelectedFileName(f) + ")を送信";
      f.fraSend.visible = false;
      f.lblGuide.caption = guide::kSub;
      f.Screen = ScreenId::SerialSendRange;
      SelectFuncItem(f, FuncItemId::AllBlocks);
      f.lblCap[Keys::Left].caption = "";
      break;
    default:
      return;
  }
  f.lblCap[Keys::Right].caption = "";
}

void OpenEditFunctionMenu(Terminal& t) {
  Form& f = t.form;
  FuncItemId first = FuncItemId::Modify;
  switch (f.MenuItem) {
    case MenuItemId::CourseMemory:
      if (Control& dualAdd = FuncLabel(f, FuncItemId::DualAdd); f.DualAdd && !dualAdd.visible) {
        dualAdd.visible = true;
        dualAdd.enabled = true;
        f.fraMenu[MenuFrame::Function].height += FuncLabel(f, FuncItemId::Modify).height;
      }
      break;
    case MenuItemId::DnfMemory:
      Withhold(f, FuncItemId::Modify, "　１ ------");
      first = FuncItemId::Add;
      break;
    case MenuItemId::RelayResult:
      Withhold(f, FuncItemId::Add, "　２ ------");
      Withhold(f, FuncItemId::Delete, "　３ ------");
      break;
    default:
      break;
  }
  ShowFunctionMenu(t, ScreenId::FunctionMenu, first);
}

void BackToRangeMenu(Form& f, Control& confirmation) {
  SetField(f, f.lblBlk, "");
  confirmation.visible = false;
  f.lblGuide.caption = guide::kSub;
}

void ReturnToFunctionMenu(Terminal& t) {
  Form& f = t.form;
  EndInput(f);
  f.fraEdit[EditFrame::Alpine].visible = false;
  f.fraEdit[EditFrame::Relay].visible = false;
  f.fraMenu[MenuFrame::Function].visible = true;
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
  if (IsFuncLabel(f.FuncItem)) Paint(FuncLabel(f, f.FuncItem), Shade::Plain);
  f.fraMenu[MenuFrame::Function].visible = false;
  UndoFunctionMenuPreparation(f);
  ReturnToMenuPage(f);
}

void LeaveCommonMenu(Terminal& t) {
  Form& f = t.form;
  f.fraMenu[MenuFrame::File].visible = false;
  f.fraMenu[MenuFrame::Range].visible = false;
  f.fraSend.visible = false;
  ReturnToMenuPage(f);
}

void LeaveReadRange(Terminal& t) {
  Form& f = t.form;
  f.fraMenu[MenuFrame::Range].visible = false;
  f.fraMenu[MenuFrame::Function].visible = true;
  f.Screen = ScreenId::FunctionMenu;
}

void LeaveBlockEntry(Terminal& t) {
  Form& f = t.form;
  EndInput(f);
  SetField(f, f.lblBlk, "");
  switch (f.MenuItem) {
    case MenuItemId::SendToDevice:
      f.Screen = ScreenId::SendRange;
      f.fraFile.visible = false;
      SetSideKeys(f, "", "");
      break;
    case MenuItemId::SerialSend:
      f.Screen = ScreenId::SerialSendRange;
      break;
    default:
      f.Screen = ScreenId::ReadRange;
      break;
  }
  f.lblGuide.caption = guide::kSub;
}

void LeaveSettings(Terminal& t) {
  t.form.fraSettings.visible = false;  // what was changed on it is not stored
  ReturnToMenuPage(t.form);
}

void LeaveFileSelection(Terminal& t) {
  Form& f = t.form;
  f.fraFile.visible = false;
  SetSideKeys(f, "", "");
  f.lblGuide.caption = guide::kSub;
  switch (f.MenuItem) {
    case MenuItemId::FileOperations:
      f.Screen = ScreenId::FileMenu;
      f.fraMenu[MenuFrame::File].visible = true;
      break;
    case MenuItemId::SendToDevice:
      f.Screen = ScreenId::SendRange;
      break;
    case MenuItemId::HunterStart:
    case MenuItemId::SerialSend:
      ReturnToMenuPage(f);
      break;
    default:
      f.Screen = ScreenId::ReadRange;
      break;
  }
}

void LeaveHunterStart(Terminal& t) {
  Form& f = t.form;
  if (!FieldText(f, f.lblDateTime).empty()) return;  // Esc first empties the entry
  f.fraHunter.visible = false;
  ReturnToMenuPage(f);
}

}  // namespace rx
