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
  if (int item = IndexIn(f.lblMenu, control); item >= 1) {
    if (f.Screen == ScreenId::MainMenu || f.Screen == ScreenId::SubMenu)
      SelectMenuItem(f, MenuItemAt(item));
  } else if (int func = IndexIn(f.lblFunc, control); func >= 1) {
    SelectFuncItem(f, FuncItemAt(func));
  } else if (int row = IndexIn(f.lblSetG, control); row >= 0) {
    if (f.Screen == ScreenId::Settings) SelectRow(f, row);
  } else if (int onOff = IndexIn(f.lblOnOff, control); onOff >= 0) {
    if (f.Screen == ScreenId::Settings) {
      SelectRow(f, onOff / 2);
      ShowOnOff(f, onOff);
    }
  } else if (int cell = IndexIn(f.lblFileList, control); cell >= 0) {
    if (f.Screen == ScreenId::FileSelection && cell < f.FileCount) SelectRow(f, cell);
  }
}

}  // namespace rx
