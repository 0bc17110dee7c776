// What every screen does with the keys: one row per value of Screen. The
// dispatcher, Esc navigation and the error line look the row up; none of
// them asks which screen it is.
//
// Adding a screen: a value in ScreenId (shell/form.h), its guide line in
// guide_texts.h, and a row in screen_table.cpp naming its actions (the
// Ignore... helpers for keys it does not use). The table test checks that
// every value has a complete row.
#pragma once

#include "shell/terminal.h"

namespace rx {

using ScreenAction = void (*)(Terminal&);
using ScreenDigit = void (*)(Form&, int digit);
using ScreenChoice = void (*)(Form&, FuncItemId);
using ScreenMove = void (*)(Form&);

struct ScreenRow {
  ScreenId screen;
  const char* name;
  const char* guide;           // the guide line the screen shows on arrival ("" when it varies)
  ScreenAction enter;          // Enter (ExecuteEnter)
  ScreenAction back;           // Esc (GoBack)
  ScreenAction resume;         // after an error line was acknowledged (ResumeAfterError)
  ScreenDigit digit;           // keys 1-9
  ScreenChoice selectFunc;     // SelectFuncItem: a function or range item
  ScreenMove up, down, left, right;
  ScreenAction busyEsc;        // Esc while an exchange runs
  ScreenAction abortEnter;     // Enter at the abort question
  ScreenAction abortEsc;       // Esc at the abort question
  ScreenAction confirmEnter;   // Enter at the screen's yes/no prompt
  ScreenAction confirmDelete;  // Delete at the prompt
  ScreenAction confirmCancel;  // Esc at the prompt, once the saved guide is back
};

// The row of a screen. A value outside the table gets an inert row.
const ScreenRow& RowOf(ScreenId screen);

// Every row, in the order of the values; for the table's own test.
const ScreenRow* ScreenRows(int* count);

// For keys a screen does not use.
void IgnoreAction(Terminal&);
void IgnoreDigit(Form&, int);
void IgnoreChoice(Form&, FuncItemId);
void IgnoreMove(Form&);

}  // namespace rx
