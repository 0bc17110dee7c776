#include "console/clicks.h"

#include "console/dispatcher.h"
#include "console/menu_selection.h"
#include "console/row_selection.h"

namespace rx {

namespace {

// Index of control within the array, or -1.
template <std::size_t N>
int IndexIn(const std::array<Control, N>& set, const Control& control) {
  for (std::size_t i = 0; i < N; ++i)
    if (&set[i] == &control) return static_cast<int>(i);
  return -1;
}

}  // namespace

void Control_Click(Terminal& t, const Control& control) {
  Form& f = t.form;
  if (!control.enabled) return;
  int key = IndexIn(f.lblKey, control);
  if (key < 0) key = IndexIn(f.lblCap, control);
  if (key >= 0) return lblKey_Click(t, key);

  // Clicks only move highlights, and only while nothing else is going on.
  if (f.KeyMode != Mode::Normal) return;
  if (int i = IndexIn(f.lblMenu, control); i >= 1) {
    if (f.Screen == ScreenId::MainMenu || f.Screen == ScreenId::SubMenu)
      SelectMenuItem(f, MenuItemAt(i));
  } else if (int i = IndexIn(f.lblFunc, control); i >= 1) {
    SelectFuncItem(f, FuncItemAt(i));
  } else if (int i = IndexIn(f.lblSetG, control); i >= 0) {
    if (f.Screen == ScreenId::Settings) SelectRow(f, i);
  } else if (int i = IndexIn(f.lblOnOff, control); i >= 0) {
    if (f.Screen == ScreenId::Settings) {
      SelectRow(f, i / 2);
      ShowOnOff(f, i);
    }
  } else if (int i = IndexIn(f.lblFileList, control); i >= 0) {
    if (f.Screen == ScreenId::FileSelection && i < f.FileCount) SelectRow(f, i);
  }
}

}  // namespace rx
