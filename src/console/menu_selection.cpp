#include "console/menu_selection.h"

#include "shell/guide_texts.h"
#include "console/screen_table.h"
#include "shell/highlight.h"

namespace rx {

void SelectMenuItem(Form& f, int index) {
  f.KeyMode = Mode::Normal;
  if (index < 0) {
    bool mainPage = f.MenuItem >= 1 && f.MenuItem <= 9;
    bool subPage = f.MenuItem >= 10 && f.MenuItem <= 13;
    if (mainPage) {
      f.Screen = ScreenId::MainMenu;
      f.fraMenu[0].visible = true;
    } else if (subPage) {
      f.Screen = ScreenId::SubMenu;
      f.fraMenu[1].visible = true;
    }
    f.lblCap[Keys::Left].caption = "";
    f.lblCap[Keys::Right].caption = "Cal.";
    f.lblGuide.caption = guide::kMenu;
    return;
  }
  if (index >= 1 && index <= 9) {
    if (f.Screen == ScreenId::SubMenu) {
      f.Screen = ScreenId::MainMenu;
      f.fraMenu[1].visible = false;
      f.fraMenu[0].visible = true;
    }
  } else if (index >= 10 && index <= 13) {
    if (f.Screen == ScreenId::MainMenu) {
      f.Screen = ScreenId::SubMenu;
      f.fraMenu[0].visible = false;
      f.fraMenu[1].visible = true;
    }
  } else {
    return;
  }
  if (f.MenuItem >= 1 && f.MenuItem <= 13) Paint(f.lblMenu[f.MenuItem], Shade::Plain);
  if (index == 12 && !f.SerialSend)
    f.MenuItem = f.MenuItem < 12 ? 13 : 11;  // skip the disabled item the way we were going
  else
    f.MenuItem = index;
  Paint(f.lblMenu[f.MenuItem], Shade::Selected);
}

namespace {

void Highlight(Form& f, int index) {
  if (f.FuncItem >= 1 && f.FuncItem <= 7) Paint(f.lblFunc[f.FuncItem], Shade::Plain);
  f.FuncItem = index;
  Paint(f.lblFunc[index], Shade::Selected);
}

}  // namespace

void SelectFuncItem(Form& f, int index) {
  if (index < 1 || index > 9) return;
  RowOf(f.Screen).selectFunc(f, index);
}

void SelectFunction(Form& f, int index) {
  if (index <= 5 && f.lblFunc[index].enabled) Highlight(f, index);
}

void SelectFileFunction(Form& f, int index) {
  if (index >= 6 && index <= 7 && f.lblFunc[index].enabled) Highlight(f, index);
}

void SelectScope(Form& f, int index) {
  if (index < 8) return;
  f.FuncCode = static_cast<Scope>(index);
  Paint(f.lblFunc[index == 8 ? 9 : 8], Shade::Plain);
  Paint(f.lblFunc[index], Shade::Selected);
}

}  // namespace rx
