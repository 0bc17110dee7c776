// The open input: the entry as keys grow it.
#include <gtest/gtest.h>

#include "console/moves.h"
#include "data/enter_digit.h"
#include "shell/form.h"
#include "shell/input.h"

namespace rx {
namespace {

// Keys typed ("C" is Clear) and the caption they leave.
TEST(Input, TypingShowsTheEntryAsItGrows) {
  const struct {
    int intDigits, decimals;
    const char* keys;
    const char* shown;
  } cases[] = {
      {2, 0, "123.", "23"},  // digits shift in from the right; no point in an integer input
      {6, 4, "12", "12     "},  // room kept for the point and four decimals
      {6, 4, "12.5", "12.5   "},
      {6, 4, "1234567", "234567     "},
      {6, 4, "12.56789.", "12.5678"},  // only four decimals and one point fit
      {6, 4, ".5", "0.5   "},
      {6, 4, "12.3C", "0.0000"},  // Clear restores the caption
      {6, 4, "12.3C.7", "0.7   "},  // and the point is available again
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.keys);
    Form form;
    form.lblCalc[0].caption = "0.0000";
    BeginInput(form, form.lblCalc[0], c.intDigits, c.decimals);
    for (const char* key = c.keys; *key; ++key)
      if (*key == 'C')
        ClearKey(form);
      else
        EnterDigit(form, *key == '.' ? Keys::Point : *key - '0');
    EXPECT_EQ(form.lblCalc[0].caption, c.shown);
  }
}

}  // namespace
}  // namespace rx
