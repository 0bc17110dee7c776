// The operation settings screen, the computer's date item, and closing.
#include <stdexcept>

#include "console/clicks.h"
#include "data/data_file.h"
#include "shell/exit.h"
#include "shell/tick.h"
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

TEST_F(SettingsScreen, OpensOnTheStoredValuesAndEnterStoresBothOff) {
  Open();
  EXPECT_EQ(f.Screen, ScreenId::Settings);
  EXPECT_TRUE(f.fraMenu[1].visible);  // the sub-menu page stays
  EXPECT_EQ(Highlighted(f.lblOnOff), std::vector<int>({0, 2}));
  EXPECT_EQ(Highlighted(f.lblSetG), std::vector<int>({0}));
  EXPECT_EQ(f.lblGuide.caption,
            "※↑↓で設定項目を選択して←→で設定（[Enter]:更新戻り、[Esc]:取消戻り）");
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
  EXPECT_FALSE(tt.terminal.dataFile.IsOpen());
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
  EXPECT_EQ(f.MenuItem, MenuItemId::ComputerDate);
}

class Closing : public testing::ConsoleTest {
 protected:
  // The operator's close; whether it went ahead (the unload then ran).
  bool CloseAnswering(MessageAnswer answer) {
    tt.fakes.messages.answers = {answer};
    bool proceeded = false;
    Form_QueryUnload(tt.terminal, CloseReason::Operator, [&] {
      proceeded = true;
      Form_Unload(tt.terminal, [&] { unloaded = true; });
    });
    return proceeded;
  }
  bool unloaded = false;
};

struct CloseCase {
  MessageAnswer answer;
  bool closes;
  int powerRequests;
};
class ClosingAnswered : public Closing, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(ClosingAnswered, TheAnswerDecidesTheCloseAndThePowerOff) {
  const CloseCase c = GetParam();
  tt.fakes.port.open = true;
  EXPECT_EQ(CloseAnswering(c.answer), c.closes);
  ASSERT_EQ(tt.fakes.messages.shown.size(), 1u);  // no complaint after a switch-off
  EXPECT_EQ(tt.fakes.messages.shown[0].text, "RX-710KP を終了します。\r\nWindows も終了しますか？");
  EXPECT_EQ(tt.fakes.messages.shown[0].buttons, MessageButtons::YesNoCancel);
  EXPECT_EQ(tt.fakes.messages.shown[0].icon, MessageIcon::Warning);
  EXPECT_EQ(tt.fakes.port.open, !c.closes);  // Cancel keeps even the port
  EXPECT_EQ(unloaded, c.closes);
  EXPECT_EQ(tt.fakes.power.requests, c.powerRequests);
  EXPECT_EQ(f.Screen, ScreenId::MainMenu);
}

INSTANTIATE_TEST_SUITE_P(Answers, ClosingAnswered,
                         ::testing::Values(CloseCase{MessageAnswer::Cancel, false, 0},
                                           CloseCase{MessageAnswer::No, true, 0},
                                           CloseCase{MessageAnswer::Yes, true, 1}));

TEST_F(Closing, RefusedPowerOffIsToldBeforeTheEnd) {
  tt.fakes.power.allowed = false;
  tt.fakes.messages.answers = {MessageAnswer::Yes};
  tt.fakes.messages.operatorReads = true;
  Form_QueryUnload(tt.terminal, CloseReason::Operator,
                   [&] { Form_Unload(tt.terminal, [&] { unloaded = true; }); });
  tt.fakes.messages.Answer(MessageAnswer::Yes);
  ASSERT_EQ(tt.fakes.messages.shown.size(), 2u);
  EXPECT_EQ(tt.fakes.messages.shown[1].text, "電源がOFFできません。");
  EXPECT_EQ(tt.fakes.messages.shown[1].icon, MessageIcon::Warning);
  EXPECT_FALSE(unloaded);  // the program ends once the operator has read it
  tt.fakes.messages.Answer(MessageAnswer::Ok);
  EXPECT_TRUE(unloaded);
}

TEST_F(Closing, TheSystemClosingAsksNothingAndNeverSwitchesOff) {
  f.PowerOffRequested = true;  // even after an earlier answer
  bool proceeded = false;
  Form_QueryUnload(tt.terminal, CloseReason::System, [&] { proceeded = true; });
  EXPECT_TRUE(proceeded);
  Form_Unload(tt.terminal);
  EXPECT_TRUE(tt.fakes.messages.shown.empty());
  EXPECT_EQ(tt.fakes.power.requests, 0);
}

// The question is no pause: a read goes on under it, and the system's close
// (a signal, the logout) ends it and the program; the late answer is nothing.
TEST_F(Closing, WhileAskingTheReadGoesOnAndTheSystemsCloseEndsAll) {
  tt.fakes.messages.operatorReads = true;
  Press({1, Keys::Enter, 4, Keys::Enter, Keys::Enter, Keys::Enter});
  Reply("CR");
  Reply("CO0A1001" "0000123456");
  int closes = 0;
  for (int i = 0; i < 2; ++i)  // the close box twice: one question
    Form_QueryUnload(tt.terminal, CloseReason::Operator, [&] { ++closes; });
  ASSERT_TRUE(tt.fakes.messages.Asking());
  EXPECT_EQ(tt.fakes.messages.shown.size(), 1u);
  Reply("CO0A1002" "0000123457");
  for (int i = 0; i < 3; ++i) Timer1_Timer(tt.terminal);
  EXPECT_EQ(f.RecordCount, 2);
  EXPECT_EQ(f.KeyMode, Mode::Busy);

  Form_QueryUnload(tt.terminal, CloseReason::System, [&] {
    ++closes;
    Form_Unload(tt.terminal, [&] { unloaded = true; });
  });
  EXPECT_FALSE(tt.fakes.messages.Asking());
  EXPECT_EQ(closes, 1);
  EXPECT_FALSE(f.PowerOffRequested);
  EXPECT_NE(tt.fakes.port.written.find(std::string(1, kStx) + "CS"), std::string::npos);
  tt.fakes.clock.monotonic += 600;
  tt.fakes.events.Advance(600);
  EXPECT_TRUE(unloaded);
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(tt.terminal.dataDirectory))
    names.push_back(entry.path().filename().string());
  ASSERT_EQ(names.size(), 1u);
  EXPECT_EQ(Lines(names[0]), std::vector<std::string>({"1001" "0000123456", "1002" "0000123457"}));
  tt.fakes.messages.Answer(MessageAnswer::Yes);  // too late: nothing
  EXPECT_EQ(closes, 1);
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
