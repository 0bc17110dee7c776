// The time calculator, from a menu page and from a time input.
#include "shell/input.h"
#include "support/console_fixture.h"

namespace rx {
namespace {

class Calculator : public testing::ConsoleTest {
 protected:
  // Opens the calculator from the main page and works out finish - start.
  std::string NetTime(const std::string& start, const std::string& finish) {
    Press(Keys::Right);
    Type(start);
    Press(Keys::Enter);
    Type(finish);
    Press(Keys::Enter);
    std::string net = f.lblCalc[2].caption;
    Press(Keys::Esc);
    return net;
  }
};

TEST_F(Calculator, NetTimes) {
  EXPECT_EQ(NetTime("235959.9", "0.1"), "00:00:00.2000");  // over midnight
  EXPECT_EQ(NetTime("235959.5", "0.25"), "00:00:00.7500");
  EXPECT_EQ(NetTime("100000.5", "100001.25"), "00:00:00.7500");
  EXPECT_EQ(NetTime("123456.789", "123456.789"), "00:00:00.0000");
  EXPECT_EQ(NetTime("", ""), "00:00:00.0000");  // nothing typed counts as zero
  EXPECT_EQ(NetTime("1", "10203.045"), "01:02:02.0450");
}

TEST_F(Calculator, FromAMenuShowsAndReturnsToThePage) {
  Press({5, Keys::Right});
  EXPECT_EQ(f.KeyMode, Mode::Calculator);
  EXPECT_TRUE(f.fraCalc.visible);
  EXPECT_EQ(f.lblCalc[0].caption, "0.0000");
  EXPECT_TRUE(f.lblCalc[0].bold);
  EXPECT_EQ(f.lblGuide.caption, "※タイムを入力します（[Esc]:戻り）");
  Type("1");
  Press(Keys::Enter);
  EXPECT_EQ(f.CalcStep, 1);
  Type("2");
  Press(Keys::Enter);
  EXPECT_EQ(f.CalcStep, 2);
  EXPECT_EQ(f.lblCalc[2].caption, "00:00:01.0000");
  EXPECT_EQ(f.lblGuide.caption, "※タイムを確認してください（[Esc]:戻り、[Clear]：再入力）");
  Press(Keys::Enter);  // nothing to take over into
  EXPECT_EQ(f.KeyMode, Mode::Calculator);
  Press(Keys::Clear);  // start again
  EXPECT_EQ(f.CalcStep, 0);
  EXPECT_EQ(f.lblCalc[1].caption, "");
  Press(Keys::Esc);
  EXPECT_EQ(f.KeyMode, Mode::Normal);
  EXPECT_FALSE(f.fraCalc.visible);
  EXPECT_EQ(f.Screen, ScreenId::MainMenu);
  EXPECT_EQ(f.MenuItem, MenuItemId::RelayCourseMemory);
  EXPECT_FALSE(f.InputActive);
  EXPECT_EQ(f.lblCap[Keys::Right].caption, "Cal.");
}

TEST_F(Calculator, InvalidTimeIsRefusedAndEscDiscardsTheEntry) {
  Press(Keys::Right);
  Type("240000");
  Press(Keys::Enter);
  EXPECT_TRUE(f.lblError.visible);
  EXPECT_EQ(f.lblError.caption, "エラー：入力タイムが範囲外です（[Esc]：解除）");
  EXPECT_EQ(f.KeyMode, Mode::Calculator);
  EXPECT_EQ(f.CalcStep, 0);
  Press(Keys::Clear);  // must not page the menu under the calculator
  EXPECT_EQ(f.Screen, ScreenId::MainMenu);
  EXPECT_EQ(f.KeyMode, Mode::Calculator);
  Press(Keys::Esc);
  EXPECT_FALSE(f.lblError.visible);
  EXPECT_EQ(f.KeyMode, Mode::Calculator);
  EXPECT_EQ(f.lblCalc[0].caption, "0.0000");
  EXPECT_TRUE(f.InputActive);
  Type("5");
  Press(Keys::Enter);
  Type("126000");  // minute 60
  Press(Keys::Enter);
  EXPECT_EQ(f.CalcStep, 1);
  Press(Keys::Esc);
  EXPECT_EQ(f.lblCalc[1].caption, "0.0000");
  Type("7");
  Press(Keys::Enter);
  EXPECT_EQ(f.lblCalc[2].caption, "00:00:02.0000");
}

// The new-time input of the alpine/nordic edit screen.
class CalculatorFromInput : public Calculator {
 protected:
  void SetUp() override {
    Calculator::SetUp();
    f.MenuItem = MenuItemId::CourseMemory;
    f.FuncItem = FuncItemId::Modify;
    f.Screen = ScreenId::AlpineEdit;
    f.EditStep = EditStage::NewTime;
    f.lblGuide.caption = "※修正タイムを入力します （[Esc]:戻り）";
    f.lblEditInp[4].caption = "1.5";
    BeginInput(f, f.lblEditInp[4], 6, 4);
  }
};

TEST_F(CalculatorFromInput, ResultIsTakenOverAndTheScreenGoesOn) {
  Type("99");  // dropped when the calculator opens
  Press(Keys::Right);
  EXPECT_EQ(f.CalcTarget, &f.lblEditInp[4]);
  EXPECT_EQ(f.lblEditInp[4].caption, "1.5");
  Type("100000");
  Press(Keys::Enter);
  Type("100130.25");
  Press(Keys::Enter);
  EXPECT_EQ(f.lblGuide.caption,
            "※タイムを確認してください（[Enter]:取込、[Esc]:戻り、[Clear]：再入力）");
  Press(Keys::Enter);
  EXPECT_EQ(f.KeyMode, Mode::Normal);
  EXPECT_FALSE(f.fraCalc.visible);
  EXPECT_EQ(f.lblEditInp[4].caption, "130.2500");
  // The edit screen's Enter ran on the value taken over: on to the confirmation.
  EXPECT_EQ(f.lblEditInp[5].caption, "00:01:30.2500");
  EXPECT_EQ(f.EditStep, EditStage::Confirm);
  EXPECT_FALSE(f.InputActive);
}

TEST_F(CalculatorFromInput, EscReturnsToTheInputAndOnlyAFourDecimalInputOpensIt) {
  Press(Keys::Right);
  Press(Keys::Esc);
  EXPECT_EQ(f.KeyMode, Mode::Normal);
  EXPECT_EQ(f.InputLabel, &f.lblEditInp[4]);
  EXPECT_EQ(f.lblEditInp[4].caption, "1.5");
  EXPECT_EQ(f.lblGuide.caption, "※修正タイムを入力します （[Esc]:戻り）");
  BeginInput(f, f.lblEditInp[4], 6, 3);
  Press(Keys::Right);  // acts as →
  EXPECT_FALSE(f.fraCalc.visible);
  EXPECT_EQ(f.KeyMode, Mode::Normal);
}

}  // namespace
}  // namespace rx
