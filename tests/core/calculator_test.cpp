// The time calculator, from a menu page and from a time input, and the
// entry as keys grow it.
#include "console/moves.h"
#include "data/enter_digit.h"
#include "shell/input.h"
#include "support/console_fixture.h"

namespace rx {
namespace {

using Calculator = testing::ConsoleTest;

TEST_F(Calculator, NetTimes) {
  const char* cases[][3] = {{"235959.9", "0.1", "00:00:00.2000"},  // over midnight
                            {"100000.5", "100001.25", "00:00:00.7500"},
                            {"123456.789", "123456.789", "00:00:00.0000"},
                            {"", "", "00:00:00.0000"},  // nothing typed counts as zero
                            {"1", "10203.045", "01:02:02.0450"}};
  for (const auto& c : cases) {
    Press(Keys::Right);
    Submit(c[0]);
    Submit(c[1]);
    EXPECT_EQ(f.lblCalc[2].caption, c[2]) << c[0] << " to " << c[1];
    Press(Keys::Esc);
  }
}

TEST_F(Calculator, FromAMenuRefusesBadTimesAndReturnsToThePage) {
  Press({5, Keys::Right});
  EXPECT_TRUE(f.lblCalc[0].bold);
  Type("0.12345");  // four decimals at most
  EXPECT_EQ(f.lblCalc[0].caption, "0.1234");
  Press(Keys::Clear);
  Submit("240000");
  EXPECT_EQ(f.lblError.caption, "エラー：入力タイムが範囲外です（[Esc]：解除）");
  Press(Keys::Clear);  // must not page the menu under the calculator
  EXPECT_EQ(f.Screen, ScreenId::MainMenu);
  Press(Keys::Esc);  // the entry starts over
  EXPECT_EQ(f.KeyMode, Mode::Calculator);
  EXPECT_FALSE(f.lblError.visible);
  Submit("5");
  Submit("126000");  // minute 60
  Press(Keys::Esc);
  Submit("7");
  EXPECT_EQ(f.lblCalc[2].caption, "00:00:02.0000");
  Press({Keys::Enter, Keys::Clear});  // nothing to take over into; start again
  EXPECT_EQ(f.KeyMode, Mode::Calculator);
  EXPECT_EQ(f.lblCalc[1].caption, "");
  Press(Keys::Esc);
  EXPECT_FALSE(f.fraCalc.visible);
  EXPECT_EQ(f.MenuItem, MenuItemId::RelayCourseMemory);
  EXPECT_FALSE(f.InputActive);
}

// Started from the new-time input of the alpine edit screen.
TEST_F(Calculator, FromAnInputTheResultIsTakenOverAndTheScreenGoesOn) {
  Press({1, Keys::Enter, 1, Keys::Enter});  // course memory, modify
  f.EditStep = EditStage::NewTime;
  const std::string guide = f.lblGuide.caption;
  f.lblEditInp[4].caption = "1.5";
  BeginInput(f, f.lblEditInp[4], 6, 4);
  Type("99");  // dropped when the calculator opens
  Press({Keys::Right, Keys::Esc});  // back to the input as it was
  EXPECT_EQ(f.KeyMode, Mode::Normal);
  EXPECT_EQ(f.InputLabel, &f.lblEditInp[4]);
  EXPECT_EQ(f.lblEditInp[4].caption, "1.5");
  EXPECT_EQ(f.lblGuide.caption, guide);
  BeginInput(f, f.lblEditInp[4], 6, 4);
  Press(Keys::Right);
  Submit("100000");
  Submit("100130.25");
  Press(Keys::Enter);
  EXPECT_FALSE(f.fraCalc.visible);
  EXPECT_EQ(f.lblEditInp[4].caption, "130.2500");
  EXPECT_EQ(f.lblEditInp[5].caption, "00:01:30.2500");  // the screen's Enter ran on it
  EXPECT_EQ(f.EditStep, EditStage::Confirm);
  BeginInput(f, f.lblEditInp[4], 6, 3);
  Press(Keys::Right);  // only a four-decimal input opens it
  EXPECT_FALSE(f.fraCalc.visible);
}

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
