// Loading the window, the settings it reads, the status line and the tick.
#include "shell/startup.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "shell/status_line.h"
#include "shell/tick.h"
#include "support/fake_platform.h"

namespace rx {
namespace {

using testing::TestTerminal;
namespace fs = std::filesystem;

class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    data = fs::temp_directory_path() /
           ("rx710kp-startup-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(data);
  }
  void TearDown() override { fs::remove_all(data); }
  fs::path data;
};

TEST_F(StartupTest, FirstStartWritesTheSixDefaultsAndShowsTheMainMenu) {
  TestTerminal tt(data);
  ASSERT_TRUE(Form_Load(tt.terminal));
  Form& f = tt.form();
  std::map<std::string, std::string> expected{{"DualAdd", "False"},  {"SerialSend", "False"},
                                              {"PortNo", "3"},       {"Debug", "False"},
                                              {"BestFrame", "True"}, {"PrintFrame", "True"}};
  EXPECT_EQ(tt.fakes.settings.values, expected);
  EXPECT_EQ(f.Screen, ScreenId::MainMenu);
  EXPECT_EQ(f.MenuItem, MenuItemId::CourseMemory);
  EXPECT_FALSE(tt.terminal.dataFile.IsOpen());
  EXPECT_EQ(f.KeyMode, Mode::Normal);
  EXPECT_FALSE(f.lblError.visible);
  EXPECT_FALSE(f.lstDebug.visible);
  EXPECT_EQ(f.lblGuide.caption, "※テンキーまたは↑↓で選択して[Enter] （[Esc]：終了、[Clear]：次頁）");
  EXPECT_EQ(f.lblStatus[1].caption, "[ BEST : ON  ]      [ PRINT : ON  ]");
  EXPECT_EQ(f.lblStatus[0].caption, " DATE  2008/11/24");
  EXPECT_TRUE(fs::is_directory(data));
  EXPECT_EQ(tt.fakes.desktop.state, WindowState::Maximized);
  // Only the main menu page and the keypad are showing.
  EXPECT_TRUE(f.fraMenu[0].visible);
  EXPECT_TRUE(f.fraKey.visible);
  for (const Control* c : f.AllControls()) {
    if (c->kind == ControlKind::Frame && c != &f.fraMenu[0] && c != &f.fraKey) {
      EXPECT_FALSE(c->visible) << c->name;
    }
  }
}

TEST_F(StartupTest, StoredValuesAreUsedAndGarbageIsReplacedByTheDefault) {
  TestTerminal tt(data);
  auto& stored = tt.fakes.settings.values;
  stored = {{"DualAdd", "true"}, {"SerialSend", "True"}, {"PortNo", "7"},
            {"Debug", "yes"},    {"BestFrame", "False"}, {"PrintFrame", ""}};
  ASSERT_TRUE(Form_Load(tt.terminal));
  Form& f = tt.form();
  EXPECT_TRUE(f.DualAdd);
  EXPECT_TRUE(f.SerialSend);
  EXPECT_EQ(f.PortNo, 7);
  EXPECT_FALSE(f.DebugMode);
  EXPECT_EQ(stored["Debug"], "False");
  EXPECT_FALSE(f.BestFrame);
  EXPECT_TRUE(f.PrintFrame);
  EXPECT_EQ(stored["PrintFrame"], "True");
  EXPECT_TRUE(f.lblMenu[12].enabled);
  EXPECT_EQ(f.lblStatus[1].caption, "[ BEST : OFF ]      [ PRINT : ON  ]");
}

TEST_F(StartupTest, SecondCopyIsToldAndTouchesNoSetting) {
  TestTerminal tt(data);
  tt.fakes.instance.alone = false;
  EXPECT_FALSE(Form_Load(tt.terminal));
  ASSERT_EQ(tt.fakes.messages.shown.size(), 1u);
  EXPECT_EQ(tt.fakes.messages.shown[0].text, "既に起動中です。");
  EXPECT_EQ(tt.fakes.messages.shown[0].icon, MessageIcon::Error);
  EXPECT_EQ(tt.fakes.messages.shown[0].buttons, MessageButtons::Ok);
  EXPECT_TRUE(tt.fakes.settings.writes.empty());
  EXPECT_FALSE(fs::exists(data));
}

TEST_F(StartupTest, UncreatableDataDirectoryIsIgnored) {
  fs::create_directories(data);
  std::ofstream(data / "file") << "x";
  TestTerminal tt(data / "file" / "RX-710");  // below a plain file
  EXPECT_TRUE(Form_Load(tt.terminal));
}

// A restored window is refitted to the work area, wherever that starts; a
// maximized or minimized one is left alone.
TEST(FitToWorkArea, OnlyARestoredWindowIsRefittedToTheAreasOwnSize) {
  TestTerminal tt;
  tt.fakes.desktop.workArea = {64, 0, 1920, 1080};  // a panel on the left
  tt.fakes.desktop.state = WindowState::Normal;
  tt.form().ResizePending = true;
  Timer1_Timer(tt.terminal);
  ASSERT_EQ(tt.fakes.desktop.moves.size(), 1u);
  EXPECT_EQ(tt.fakes.desktop.moves[0], std::make_tuple(64 * 15, 0, (1920 - 64) * 15, 1080 * 15));
  EXPECT_FALSE(tt.form().ResizePending);
  for (WindowState state : {WindowState::Maximized, WindowState::Minimized}) {
    tt.fakes.desktop.moves.clear();
    tt.fakes.desktop.state = state;
    Form_Resize(tt.terminal);
    Timer1_Timer(tt.terminal);
    EXPECT_TRUE(tt.fakes.desktop.moves.empty());
    EXPECT_FALSE(tt.form().ResizePending);
  }
}

TEST(Tick, NoReplyRaises1005OnTheTenthTickNotTheNinth) {
  TestTerminal tt;
  Form& f = tt.form();
  f.KeyMode = Mode::Busy;
  f.RxPhase = 2;
  f.WaitMs = 0;
  for (int tick = 1; tick <= 9; ++tick) Timer1_Timer(tt.terminal);
  EXPECT_EQ(f.KeyMode, Mode::Busy);
  EXPECT_EQ(f.WaitMs, 900);
  Timer1_Timer(tt.terminal);
  EXPECT_EQ(f.KeyMode, Mode::ErrorShown);
  EXPECT_EQ(f.lblError.caption, "エラー：受信できません（[Esc]：解除）");
  EXPECT_EQ(f.RxPhase, 0);
  Timer1_Timer(tt.terminal);  // the count stops with the error
  EXPECT_EQ(f.WaitMs, 1000);
}

}  // namespace
}  // namespace rx
