// The open-input model and typing into it.
#include <gtest/gtest.h>

#include "shell/input.h"
#include "console/moves.h"
#include "data/enter_digit.h"
#include "shell/form.h"

namespace rx {
namespace {

class InputTest : public ::testing::Test {
 protected:
  void Type(const std::string& keys) {
    for (char c : keys) EnterDigit(form, c == '.' ? 10 : c - '0');
  }
  Form form;
  Control& label = form.lblCalc[0];
};

TEST_F(InputTest, BeginInputMovesTheBoldHighlightAndRemembersTheCaption) {
  form.lblCap[Keys::Right].caption = "→";
  label.caption = "0.0000";
  BeginInput(form, label, 6, 3);
  EXPECT_TRUE(form.InputActive);
  EXPECT_TRUE(label.bold);
  EXPECT_EQ(form.InputPrevCaption, "0.0000");
  EXPECT_FALSE(form.InputPointSeen);
  EXPECT_EQ(form.lblCap[Keys::Right].caption, "→");  // only 4 decimals show Cal.

  BeginInput(form, form.lblCalc[1], 6, 4);
  EXPECT_FALSE(label.bold);
  EXPECT_TRUE(form.lblCalc[1].bold);
  EXPECT_EQ(form.lblCap[Keys::Right].caption, "Cal.");

  BeginInput(form, form.lblBlk, 2, 0);
  EXPECT_TRUE(form.InputPointSeen);  // integer inputs take no point

  EndInput(form);
  EXPECT_FALSE(form.InputActive);
  EXPECT_FALSE(form.lblBlk.bold);
  EXPECT_EQ(form.InputLabel, nullptr);
  EXPECT_EQ(form.lblCap[Keys::Right].caption, "");
}

// Keys typed into an open input ("C" is Clear), and the caption they leave.
TEST_F(InputTest, TypingShowsTheEntryAsItGrows) {
  const struct {
    int intDigits, decimals;
    const char* keys;
    const char* shown;
  } cases[] = {
      {2, 0, "1", "1"},
      {2, 0, "123.", "23"},  // digits shift in from the right; no point in an integer input
      {6, 4, "12", "12     "},  // padded: room for the point and four decimals
      {6, 4, "12.", "12.    "},
      {6, 4, "12.5", "12.5   "},
      {6, 4, "12.56789.", "12.5678"},  // only four decimals and one point fit
      {6, 4, ".5", "0.5   "},  // a point first gives the leading zero
      {6, 4, "12.3C", "0.0000"},  // Clear restores the caption
      {6, 4, "12.3C.7", "0.7   "},  // and the point is available again
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.keys);
    label.caption = "0.0000";
    BeginInput(form, label, c.intDigits, c.decimals);
    for (const char* key = c.keys; *key; ++key)
      if (*key == 'C')
        ClearKey(form);
      else
        Type(std::string(1, *key));
    EXPECT_EQ(label.caption, c.shown);
    EXPECT_TRUE(form.InputActive);
  }
  BeginInput(form, label, 6, 4);
  Type("1234567");  // seven digits drop the oldest
  EXPECT_EQ(form.InputInt, "234567");
  ClearKey(form);
  EXPECT_FALSE(form.InputPointSeen);
  EXPECT_TRUE(form.InputInt.empty());
}

}  // namespace
}  // namespace rx
