#include "console/menu_selection.h"

#include "shell/guide_texts.h"
#include "console/screen_table.h"
#include "shell/highlight.h"

namespace rx {

void ReturnToMenuPage(Form& f) {
  f.KeyMode = Mode::Normal;
  if (OnMainPage(f.MenuItem)) {
    f.Screen = ScreenId::MainMenu;
    f.fraMenu[MenuFrame::Main].visible = true;
  } else if (OnSubPage(f.MenuItem)) {
    f.Screen = ScreenId::SubMenu;
    f.fraMenu[MenuFrame::Sub].visible = true;
  }
  f.lblCap[Keys::Left].caption = "";
  f.lblCap[Keys::Right].caption = "Cal.";
  f.lblGuide.caption = guide::kMenu;
}

void SelectMenuItem(Form& f, MenuItemId item) {
  f.KeyMode = Mode::Normal;
  if (OnMainPage(item)) {
    if (f.Screen == ScreenId::SubMenu) {
      f.Screen = ScreenId::MainMenu;
      f.fraMenu[MenuFrame::Sub].visible = false;
      f.fraMenu[MenuFrame::Main].visible = true;
    }
  } else if (OnSubPage(item)) {
    if (f.Screen == ScreenId::MainMenu) {
      f.Screen = ScreenId::SubMenu;
      f.fraMenu[MenuFrame::Main].visible = false;
      f.fraMenu[MenuFrame::Sub].visible = true;
    }
  } else {
    return;
  }
  if (IsMenuItem(f.MenuItem)) Paint(f.lblMenu[Index(f.MenuItem)], Shade::Plain);
  if (item == MenuItemId::SerialSend && !f.SerialSend)  // skip the disabled item the way we were going
    f.MenuItem =
        f.MenuItem < MenuItemId::SerialSend ? MenuItemId::ComputerDate : MenuItemId::HunterStart;
  else
    f.MenuItem = item;
  Paint(f.lblMenu[Index(f.MenuItem)], Shade::Selected);
}

namespace {

void Highlight(Form& f, FuncItemId item) {
  if (IsFunction(f.FuncItem)) Paint(f.lblFunc[Index(f.FuncItem)], Shade::Plain);
  f.FuncItem = item;
  Paint(f.lblFunc[Index(item)], Shade::Selected);
}

}  // namespace

void SelectFuncItem(Form& f, FuncItemId item) {
  if (!IsFuncLabel(item)) return;
  RowOf(f.Screen).selectFunc(f, item);
}

void SelectFunction(Form& f, FuncItemId item) {
  if (IsEditFunction(item) && f.lblFunc[Index(item)].enabled) Highlight(f, item);
}

void SelectFileFunction(Form& f, FuncItemId item) {
  bool fileFunction = item == FuncItemId::DeleteFile || item == FuncItemId::ListFiles;
  if (fileFunction && f.lblFunc[Index(item)].enabled) Highlight(f, item);
}

void SelectScope(Form& f, FuncItemId item) {
  bool all = item == FuncItemId::AllBlocks;
  if (!all && item != FuncItemId::OneBlock) return;
  f.FuncCode = all ? Scope::AllBlocks : Scope::OneBlock;
  Paint(f.lblFunc[Index(all ? FuncItemId::OneBlock : FuncItemId::AllBlocks)], Shade::Plain);
  Paint(f.lblFunc[Index(item)], Shade::Selected);
}

}  // namespace rx
