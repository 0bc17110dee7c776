// The operation settings screen, the computer's date item, and closing.
#include <stdexcept>

#include "console/clicks.h"
#include "data/data_file.h"
#include "shell/exit.h"
#include "support/console_fixture.h"

namespace rx {
namespace {

class SettingsScreen : public testing::ConsoleTest {
 protected:
  void Open() {
    if (f.Screen == ScreenId::MainMenu) Press(Keys::Clear);
    Press({1, Keys::Enter});
  }
};

TEST_F(SettingsScreen, OpensOnTheStoredValues) {
  Open();
  EXPECT_EQ(f.Screen, ScreenId::Settings);
  EXPECT_TRUE(f.fraSettings.visible);
  EXPECT_TRUE(f.fraMenu[1].visible);  // the sub-menu page stays
  EXPECT_EQ(Highlighted(f.lblOnOff), std::vector<int>({0, 2}));
  EXPECT_EQ(Highlighted(f.lblSetG), std::vector<int>({0}));
  EXPECT_EQ(f.lblCap[Keys::Left].caption, "←");
  EXPECT_EQ(f.lblCap[Keys::Right].caption, "→");
  EXPECT_EQ(f.lblGuide.caption,
            "※↑↓で設定項目を選択して←→で設定（[Enter]:更新戻り、[Esc]:取消戻り）");
}

TEST_F(SettingsScreen, EnterStoresBothOffAndTheStatusLineFollows) {
  Open();
  Press({Keys::Left, Keys::Down, Keys::Right, Keys::Enter});
  EXPECT_FALSE(f.BestFrame);
  EXPECT_FALSE(f.PrintFrame);
  EXPECT_EQ(tt.fakes.settings.values["BestFrame"], "False");
  EXPECT_EQ(tt.fakes.settings.values["PrintFrame"], "False");
  auto& writes = tt.fakes.settings.writes;
  ASSERT_GE(writes.size(), 2u);
  EXPECT_EQ(writes[writes.size() - 2], "BestFrame=False");  // BestFrame first
  EXPECT_EQ(writes.back(), "PrintFrame=False");
  EXPECT_EQ(f.lblStatus[1].caption, "[ BEST : OFF ]      [ PRINT : OFF ]");
  EXPECT_EQ(f.Screen, ScreenId::SubMenu);
  EXPECT_FALSE(f.fraSettings.visible);
  // The next opening starts from the stored values.
  Open();
  EXPECT_EQ(Highlighted(f.lblOnOff), std::vector<int>({1, 3}));
}

TEST_F(SettingsScreen, AStoreThatCannotBeWrittenIsToldOnceAndTheChoiceHolds) {
  tt.fakes.settings.failWrites = true;
  ::testing::internal::CaptureStderr();
  Open();
  Press({Keys::Left, Keys::Enter});
  Open();
  Press({Keys::Right, Keys::Enter});
  std::string told = ::testing::internal::GetCapturedStderr();
  EXPECT_TRUE(f.BestFrame);
  std::size_t first = told.find("cannot be stored");
  ASSERT_NE(first, std::string::npos);
  EXPECT_EQ(told.find("cannot be stored", first + 1), std::string::npos);
  EXPECT_EQ(f.lstDebug.items.size(), 1u);
}

TEST_F(SettingsScreen, AnActionThatFailsIsToldAndLeavesNoFileOpen) {
  tt.fakes.settings.onWrite = [] { throw std::runtime_error("store gone"); };
  ASSERT_TRUE(OpenDataFile(tt.terminal, true, "CN241433.C08"));
  Open();
  ::testing::internal::CaptureStderr();
  Press(Keys::Enter);
  std::string told = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(told.find("store gone"), std::string::npos);
  ASSERT_FALSE(f.lstDebug.items.empty());
  EXPECT_NE(f.lstDebug.items.back().find("store gone"), std::string::npos);
  EXPECT_EQ(f.FileNo, -1);
  EXPECT_EQ(f.Screen, ScreenId::Settings);
}

TEST_F(SettingsScreen, EscDiscardsTheChanges) {
  Open();
  std::size_t writesBefore = tt.fakes.settings.writes.size();
  Press({Keys::Right, Keys::Down, Keys::Left, Keys::Esc});
  EXPECT_TRUE(f.BestFrame);
  EXPECT_TRUE(f.PrintFrame);
  EXPECT_EQ(tt.fakes.settings.writes.size(), writesBefore);
  EXPECT_EQ(f.Screen, ScreenId::SubMenu);
  EXPECT_FALSE(f.fraSettings.visible);
  Open();
  EXPECT_EQ(Highlighted(f.lblOnOff), std::vector<int>({0, 2}));
}

TEST_F(SettingsScreen, ClickingOffOfThePrintRowSelectsThatRow) {
  Open();
  Control_Click(tt.terminal, f.lblOnOff[3]);
  EXPECT_EQ(f.FileSel, 1);
  EXPECT_EQ(Highlighted(f.lblSetG), std::vector<int>({1}));
  EXPECT_EQ(Highlighted(f.lblOnOff), std::vector<int>({0, 3}));
  Control_Click(tt.terminal, f.lblSetG[0]);
  EXPECT_EQ(f.FileSel, 0);
  Press(Keys::Enter);
  EXPECT_TRUE(f.BestFrame);
  EXPECT_FALSE(f.PrintFrame);
  EXPECT_EQ(f.lblStatus[1].caption, "[ BEST : ON  ]      [ PRINT : OFF ]");
}

using ComputerDate = testing::ConsoleTest;

TEST_F(ComputerDate, OkStartsTheFirstSettingsProgramThatExists) {
  tt.fakes.launcher.installed = {"kcmshell5", "time-admin"};
  Press({Keys::Clear, 4, Keys::Enter});
  ASSERT_EQ(tt.fakes.messages.shown.size(), 1u);
  EXPECT_EQ(tt.fakes.messages.shown[0].text,
            "Windowsの日付と時刻の設定ウィンドウを表示します。\r\nよろしいですか？");
  EXPECT_EQ(tt.fakes.messages.shown[0].buttons, MessageButtons::OkCancel);
  EXPECT_EQ(tt.fakes.messages.shown[0].icon, MessageIcon::Warning);
  EXPECT_EQ(tt.fakes.launcher.started, std::vector<std::string>({"kcmshell5 clock"}));
  EXPECT_EQ(f.Screen, ScreenId::SubMenu);
  EXPECT_EQ(f.MenuItem, 13);
}

using Closing = testing::ConsoleTest;

TEST_F(Closing, TheOperatorIsAskedAndCancelKeepsEverything) {
  tt.fakes.port.open = true;
  tt.fakes.messages.answers = {MessageAnswer::Cancel};
  EXPECT_FALSE(Form_QueryUnload(tt.terminal, CloseReason::Operator));
  ASSERT_EQ(tt.fakes.messages.shown.size(), 1u);
  EXPECT_EQ(tt.fakes.messages.shown[0].text, "RX-710KP を終了します。\r\nWindows も終了しますか？");
  EXPECT_EQ(tt.fakes.messages.shown[0].buttons, MessageButtons::YesNoCancel);
  EXPECT_EQ(tt.fakes.messages.shown[0].icon, MessageIcon::Warning);
  EXPECT_FALSE(f.PowerOffRequested);
  EXPECT_TRUE(tt.fakes.port.open);
  EXPECT_EQ(f.Screen, ScreenId::MainMenu);
}

TEST_F(Closing, NoClosesThePortAndLeavesThePcAlone) {
  tt.fakes.port.open = true;
  tt.fakes.messages.answers = {MessageAnswer::No};
  ASSERT_TRUE(Form_QueryUnload(tt.terminal, CloseReason::Operator));
  Form_Unload(tt.terminal);
  EXPECT_FALSE(tt.fakes.port.open);
  EXPECT_EQ(tt.fakes.power.requests, 0);
}

TEST_F(Closing, YesSwitchesOffAfterClosingThePort) {
  tt.fakes.port.open = true;
  tt.fakes.messages.answers = {MessageAnswer::Yes};
  ASSERT_TRUE(Form_QueryUnload(tt.terminal, CloseReason::Operator));
  EXPECT_TRUE(f.PowerOffRequested);
  Form_Unload(tt.terminal);
  EXPECT_FALSE(tt.fakes.port.open);
  EXPECT_EQ(tt.fakes.power.requests, 1);
  EXPECT_EQ(tt.fakes.messages.shown.size(), 1u);  // no complaint
}

TEST_F(Closing, RefusedPowerOffIsReported) {
  tt.fakes.power.allowed = false;
  tt.fakes.messages.answers = {MessageAnswer::Yes};
  ASSERT_TRUE(Form_QueryUnload(tt.terminal, CloseReason::Operator));
  Form_Unload(tt.terminal);
  ASSERT_EQ(tt.fakes.messages.shown.size(), 2u);
  EXPECT_EQ(tt.fakes.messages.shown[1].text, "電源がOFFできません。");
  EXPECT_EQ(tt.fakes.messages.shown[1].icon, MessageIcon::Warning);
}

TEST_F(Closing, TheSystemClosingAsksNothingAndNeverSwitchesOff) {
  f.PowerOffRequested = true;  // even after an earlier answer
  EXPECT_TRUE(Form_QueryUnload(tt.terminal, CloseReason::System));
  Form_Unload(tt.terminal);
  EXPECT_TRUE(tt.fakes.messages.shown.empty());
  EXPECT_EQ(tt.fakes.power.requests, 0);
}

TEST_F(Closing, ThePortsQueueDrainsButNotForever) {
  tt.fakes.port.open = true;
  tt.fakes.port.outputQueue = 50;  // never drains: the device stopped taking data
  bool done = false;
  Form_Unload(tt.terminal, [&] { done = true; });
  EXPECT_TRUE(tt.fakes.port.open);  // given its chance first
  int waited = 0;
  for (; !done && waited < 2000; waited += 10) {
    tt.fakes.clock.monotonic += 10;
    tt.fakes.events.Advance(10);
  }
  EXPECT_TRUE(done);
  EXPECT_FALSE(tt.fakes.port.open);
  EXPECT_GE(waited, 400);
  EXPECT_LE(waited, 600);
}

}  // namespace
}  // namespace rx
