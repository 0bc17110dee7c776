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

TEST_F(InputTest, IntegerDigitsShiftInFromTheRight) {
  BeginInput(form, form.lblBlk, 2, 0);
  Type("1");
  EXPECT_EQ(form.lblBlk.caption, "1");
  Type("23");
  EXPECT_EQ(form.lblBlk.caption, "23");
  Type(".");  // no point in an integer input
  EXPECT_EQ(form.lblBlk.caption, "23");
}

TEST_F(InputTest, TimeEntryIsPaddedWhileTyping) {
  BeginInput(form, label, 6, 4);
  Type("12");
  EXPECT_EQ(label.caption, "12     ");  // room for the point and four decimals
  Type(".");
  EXPECT_EQ(label.caption, "12.    ");
  Type("5");
  EXPECT_EQ(label.caption, "12.5   ");
  Type("6789");  // only four decimals fit
  EXPECT_EQ(label.caption, "12.5678");
  Type(".");
  EXPECT_EQ(label.caption, "12.5678");
}

TEST_F(InputTest, PointFirstGivesLeadingZeroAndSevenDigitsDropTheOldest) {
  BeginInput(form, label, 6, 4);
  Type(".5");
  EXPECT_EQ(label.caption, "0.5   ");
  BeginInput(form, label, 6, 4);
  Type("1234567");
  EXPECT_EQ(form.InputInt, "234567");
}

TEST_F(InputTest, ClearRestoresTheCaptionAndKeepsTheInputOpen) {
  label.caption = "0.0000";
  BeginInput(form, label, 6, 4);
  Type("12.3");
  ClearKey(form);
  EXPECT_EQ(label.caption, "0.0000");
  EXPECT_TRUE(form.InputActive);
  EXPECT_FALSE(form.InputPointSeen);
  EXPECT_TRUE(form.InputInt.empty());
  Type(".7");  // the point is available again
  EXPECT_EQ(label.caption, "0.7   ");
}

}  // namespace
}  // namespace rx
