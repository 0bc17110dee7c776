// Loading the window, the settings it reads, the status line and the tick.
#include "shell/startup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "shell/tick.h"
#include "support/fake_platform.h"

namespace rx {
namespace {

using testing::TestTerminal;
namespace fs = std::filesystem;

TEST(Startup, FirstStartWritesTheSixDefaultsAndShowsTheMainMenu) {
  TestTerminal tt;
  ASSERT_TRUE(Form_Load(tt.terminal));
  Form& f = tt.form();
  std::map<std::string, std::string> expected{{"DualAdd", "False"},  {"SerialSend", "False"},
                                              {"PortNo", "3"},       {"Debug", "False"},
                                              {"BestFrame", "True"}, {"PrintFrame", "True"}};
  EXPECT_EQ(tt.fakes.settings.values, expected);
  EXPECT_EQ(f.Screen, ScreenId::MainMenu);
  EXPECT_EQ(f.lblGuide.caption, "※テンキーまたは↑↓で選択して[Enter] （[Esc]：終了、[Clear]：次頁）");
  EXPECT_EQ(f.lblStatus[1].caption, "[ BEST : ON  ]      [ PRINT : ON  ]");
  EXPECT_EQ(f.lblStatus[0].caption, " DATE  2008/11/24");
  EXPECT_TRUE(fs::is_directory(tt.terminal.dataDirectory));
  EXPECT_EQ(tt.fakes.desktop.state, WindowState::Maximized);
  const auto& all = f.AllControls();  // on the window: what the read and the menus show
  for (const Control* c : {&f.lblYomiG[3], &f.Label1[4]}) EXPECT_EQ(std::count(all.begin(), all.end(), c), 1);
  for (const Control* c : all)  // only the main menu page and the keypad show
    EXPECT_TRUE(c->kind != ControlKind::Frame || c->visible == (c == &f.fraMenu[0] || c == &f.fraKey)) << c->name;
}

TEST(Startup, ASecondCopyIsToldAndTouchesNothing) {
  TestTerminal tt;
  tt.fakes.instance.alone = false;
  EXPECT_FALSE(Form_Load(tt.terminal));
  EXPECT_EQ(tt.fakes.messages.shown.at(0).text, "既に起動中です。");
  EXPECT_TRUE(tt.fakes.settings.writes.empty());
  EXPECT_FALSE(fs::exists(tt.terminal.dataDirectory));
}

// A restored window is refitted to the work area, wherever that starts; a
// maximized or minimized one is left alone.
TEST(Tick, OnlyARestoredWindowIsRefittedToTheWorkArea) {
  TestTerminal tt;
  tt.fakes.desktop.workArea = {64, 0, 1920, 1080};  // a panel on the left
  for (WindowState state : {WindowState::Maximized, WindowState::Minimized, WindowState::Normal}) {
    tt.fakes.desktop.state = state;
    Form_Resize(tt.terminal);
    Timer1_Timer(tt.terminal);
    EXPECT_FALSE(tt.form().ResizePending);
  }
  EXPECT_EQ(tt.fakes.desktop.moves,
            (std::vector<std::tuple<int, int, int, int>>{{64 * 15, 0, (1920 - 64) * 15, 1080 * 15}}));
}

TEST(Tick, NoReplyRaises1005OnTheTenthTickNotTheNinth) {
  TestTerminal tt;
  Form& f = tt.form();
  f.KeyMode = Mode::Busy;
  f.RxPhase = 2;
  for (int tick = 1; tick <= 9; ++tick) Timer1_Timer(tt.terminal);
  EXPECT_EQ(f.KeyMode, Mode::Busy);
  Timer1_Timer(tt.terminal);
  EXPECT_EQ(f.lblError.caption, "エラー：受信できません（[Esc]：解除）");
  EXPECT_EQ(f.RxPhase, 0);
  Timer1_Timer(tt.terminal);  // the count stops with the error
  EXPECT_EQ(f.WaitMs, 1000);
}

}  // namespace
}  // namespace rx
