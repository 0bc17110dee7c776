// Starting, the tick, the operation settings screen, the computer's date
// item, and closing.
#include <set>
#include <stdexcept>

#include "console/clicks.h"
#include "data/data_file.h"
#include "shell/exit.h"
#include "shell/settings_file.h"
#include "shell/startup.h"
#include "shell/tick.h"
#include "support/console_fixture.h"

namespace rx {
namespace {

using testing::TestTerminal;
namespace fs = std::filesystem;

struct SettingsScreen : testing::ConsoleTest {
  void Open() {
    if (f.Screen == ScreenId::MainMenu) Press(Keys::Clear);
    Press({1, Keys::Enter});
  }
};

TEST_F(SettingsScreen, EnterStoresTheChoicesEscDiscardsThem) {
  Open();
  Press({Keys::Right, Keys::Down, Keys::Right, Keys::Esc});
  EXPECT_TRUE(f.BestFrame && f.PrintFrame);
  Open();  // on the stored values, at the first row
  EXPECT_TRUE(Highlighted(f.lblOnOff) == std::vector<int>({0, 2}) && Highlighted(f.lblSetG) == std::vector<int>({0}));
  Press({Keys::Left, Keys::Down, Keys::Right, Keys::Enter});
  EXPECT_TRUE(tt.fakes.settings.values["PrintFrame"] == "False" && f.Screen == ScreenId::SubMenu);
  EXPECT_EQ(f.lblStatus[StatusPart::Frames].caption, "[ BEST : OFF ]      [ PRINT : OFF ]");
  Open();
  Control_Click(tt.terminal, f.lblOnOff[OnOff::BestOn]);  // a click selects the row and the value
  Control_Click(tt.terminal, f.lblSetG[1]);
  EXPECT_EQ(Highlighted(f.lblSetG), std::vector<int>({1}));
  Press(Keys::Enter);
  EXPECT_EQ(f.lblStatus[StatusPart::Frames].caption, "[ BEST : ON  ]      [ PRINT : OFF ]");
}

TEST_F(SettingsScreen, AStoreThatCannotBeWrittenOrThrowsIsToldAndTheChoiceHolds) {
  tt.fakes.settings.failWrites = true;
  ::testing::internal::CaptureStderr();
  Open();
  Press({Keys::Left, Keys::Enter});
  Open();
  Press({Keys::Right, Keys::Enter});
  const std::string told = ::testing::internal::GetCapturedStderr();
  const std::size_t first = told.find("cannot be stored");
  EXPECT_TRUE(first != std::string::npos && told.find("cannot be stored", first + 1) == std::string::npos) << told;
  EXPECT_TRUE(f.BestFrame && f.lstDebug.items.size() == 1u);
  tt.fakes.settings.failWrites = false;  // an action that throws is told and leaves no file open
  tt.fakes.settings.onWrite = [] { throw std::runtime_error("store gone"); };
  ASSERT_TRUE(OpenDataFile(tt.terminal, FileAccess::Write, "CN241433.C08"));
  Open();
  ::testing::internal::CaptureStderr();
  Press(Keys::Enter);
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("store gone"), std::string::npos);
  EXPECT_TRUE(f.lstDebug.items.back().find("store gone") != std::string::npos && !tt.terminal.dataFile.IsOpen());
}

TEST_F(SettingsScreen, TheComputersDateStartsTheFirstSettingsProgramThatExists) {
  tt.fakes.launcher.installed = {"kcmshell5", "time-admin"};
  Press({Keys::Clear, 4, Keys::Enter});
  ASSERT_EQ(tt.fakes.messages.shown.size(), 1u);
  EXPECT_TRUE(tt.fakes.messages.shown[0].buttons == MessageButtons::OkCancel && f.Screen == ScreenId::SubMenu);
  EXPECT_EQ(tt.fakes.launcher.started, std::vector<std::string>({"kcmshell5 clock"}));
}

struct Closing : testing::ConsoleTest {
  // A close as the operator or the system asks for it; the unload follows.
  void Close(CloseReason reason) {
    Form_QueryUnload(tt.terminal, reason, [&] { ++closes, Form_Unload(tt.terminal, [&] { unloaded = true; }); });
  }
  int closes = 0;
  bool unloaded = false;
};

// Cancel keeps the window and even the port; No closes; Yes switches off too.
TEST(CloseQuestion, TheAnswerDecidesTheCloseAndThePowerOff) {
  for (auto [answer, powerRequests] :
       {std::pair{MessageAnswer::Cancel, 0}, {MessageAnswer::No, 0}, {MessageAnswer::Yes, 1}}) {
    testing::TestTerminal tt;
    ASSERT_TRUE(Form_Load(tt.terminal));
    const bool closes = answer != MessageAnswer::Cancel;
    bool unloaded = false;
    tt.fakes.port.open = true;
    tt.fakes.messages.answers = {answer};
    Form_QueryUnload(tt.terminal, CloseReason::Operator, [&] { Form_Unload(tt.terminal, [&] { unloaded = true; }); });
    ASSERT_EQ(tt.fakes.messages.shown.size(), 1u);  // no complaint after a switch-off
    EXPECT_EQ(tt.fakes.messages.shown[0].text, "RX-710KP を終了します。\r\nWindows も終了しますか？");
    EXPECT_EQ(tt.fakes.messages.shown[0].buttons, MessageButtons::YesNoCancel);
    EXPECT_TRUE(tt.fakes.port.open != closes && unloaded == closes && tt.fakes.power.requests == powerRequests);
  }
}

TEST_F(Closing, ARefusedPowerOffIsToldBeforeTheEnd) {
  tt.fakes.power.allowed = false;
  tt.fakes.messages.operatorReads = true;
  Close(CloseReason::Operator);
  tt.fakes.messages.Answer(MessageAnswer::Yes);
  ASSERT_EQ(tt.fakes.messages.shown.size(), 2u);
  EXPECT_TRUE(tt.fakes.messages.shown[1].text == "電源がOFFできません。" && !unloaded);  // ends once it is read
  tt.fakes.messages.Answer(MessageAnswer::Ok);
  EXPECT_TRUE(unloaded);
}

// Ending at once (a signal) leaves no question open that could still switch off.
TEST_F(Closing, EndingAtOnceAnswersTheOpenQuestion) {
  tt.fakes.messages.operatorReads = true;
  Close(CloseReason::Operator);
  Form_UnloadNow(tt.terminal);
  EXPECT_TRUE(!tt.fakes.messages.Asking() && !tt.fakes.port.open && tt.fakes.power.requests == 0);
}

// The system's close (a signal, the logout) asks nothing and never switches off;
// a read goes on under the close question, and the system's close ends both.
TEST_F(Closing, TheSystemsCloseAsksNothingAndEndsAReadAndTheQuestion) {
  tt.fakes.messages.operatorReads = true;
  Press({1, Keys::Enter, 4, Keys::Enter, Keys::Enter, Keys::Enter});
  Reply("CR");
  Reply("CO0A1001" "0000123456");
  Close(CloseReason::Operator);
  Close(CloseReason::Operator);  // the close box twice: one question
  ASSERT_TRUE(tt.fakes.messages.Asking() && tt.fakes.messages.shown.size() == 1u);
  Reply("CO0A1002" "0000123457");
  for (int i = 0; i < 3; ++i) Timer1_Timer(tt.terminal);
  EXPECT_TRUE(f.StoredCount == 2 && f.KeyMode == Mode::Busy);
  f.PowerOffRequested = true;  // even after an earlier answer
  Close(CloseReason::System);
  EXPECT_TRUE(!tt.fakes.messages.Asking() && tt.fakes.messages.shown.size() == 1u && closes == 1 && !f.PowerOffRequested);
  // The device is let go and told to stop: nothing of the read waits for the next start.
  EXPECT_NE(tt.fakes.port.written.find("\x11" + testing::Frame("CS")), std::string::npos);
  tt.fakes.clock.monotonic += 600;
  tt.fakes.events.Advance(600);
  EXPECT_TRUE(unloaded && !tt.fakes.port.open && !tt.terminal.dataFile.IsOpen());
  EXPECT_EQ(Lines("CN241433.C08"), std::vector<std::string>({"1001" "0000123456", "1002" "0000123457"}));
  tt.fakes.messages.Answer(MessageAnswer::Yes);  // too late: nothing
  EXPECT_TRUE(closes == 1 && tt.fakes.power.requests == 0);
}

TEST_F(Closing, ThePortsQueueDrainsButNotForever) {
  tt.fakes.port.open = true;
  tt.fakes.port.Hold(50);  // never drains: the device stopped taking data
  Form_Unload(tt.terminal, [&] { unloaded = true; });
  EXPECT_TRUE(tt.fakes.port.open);  // given its chance first
  int waited = 0;
  for (; !unloaded && waited < 2000; waited += 10) {
    tt.fakes.clock.monotonic += 10;
    tt.fakes.events.Advance(10);
  }
  EXPECT_TRUE(!tt.fakes.port.open && waited == 500) << waited;  // half a second, all of it and no more
}

TEST(Startup, FirstStartWritesTheSixSettingsAndShowsTheMainMenu) {
  TestTerminal tt;
  ASSERT_TRUE(Form_Load(tt.terminal));
  Form& f = tt.form();
  EXPECT_TRUE(tt.fakes.settings.values.size() == 6u && f.Screen == ScreenId::MainMenu);
  EXPECT_TRUE(fs::is_directory(tt.terminal.dataDirectory) && tt.fakes.desktop.state == WindowState::Maximized);
  const std::set<const Control*> drawn(f.AllControls().begin(), f.AllControls().end());
  // On the window once each, the Debug list too; the walks hold the panel's controls by name.
  EXPECT_TRUE(drawn.size() == f.AllControls().size() && drawn.count(&f.lstDebug));
}

TEST(Startup, OnlyA1097PixelScreenMovesTheKeypad) {  // to the right edge, in either view
  for (int screen : {1096, 1097, 1098}) {
    TestTerminal tt;
    tt.fakes.desktop.screenWidthPixels = screen;
    ASSERT_TRUE(Form_Load(tt.terminal));
    PlaceForInnerWidth(tt.form(), 1200 * 15);  // the unscaled view of a window wider than the panel
    EXPECT_EQ(tt.form().fraKey.left, screen == 1097 ? 1200 * 15 - 6495 - 480 : 8280) << screen;
    EXPECT_EQ(tt.form().lblStatus[StatusPart::Date].width, screen == 1097 ? 1200 * 15 : 6780) << screen;
  }
}

TEST(Startup, ASecondCopyIsToldAndTouchesNothing) {
  TestTerminal tt;
  tt.fakes.instance.alone = false;
  EXPECT_TRUE(!Form_Load(tt.terminal) && tt.fakes.messages.shown.at(0).text == "既に起動中です。");
  EXPECT_TRUE(tt.fakes.settings.writes.empty() && !fs::exists(tt.terminal.dataDirectory));
}

// Setting a key changes its line's value, or adds a line after its section's last key in the
// file's line end; no other byte changes. Any value without a line end reads back as set.
TEST(SettingsFile, AValueIsKeptAsWrittenAndNoOtherByteChanges) {
  const std::pair<std::string, std::string> shapes[] = {
      {"", "[RX-710KP]\nTextOutput=V\n"},
      {"[RX-710KP]\r\nDebug=False\r\n; note\r\n\r\n[Other]\r\nTextOutput=x\r\n",
       "[RX-710KP]\r\nDebug=False\r\nTextOutput=V\r\n; note\r\n\r\n[Other]\r\nTextOutput=x\r\n"},
      {"[RX-710KP]\nTextOutput=a\nTextOutput=b\n", "[RX-710KP]\nTextOutput=a\nTextOutput=V\n"},
      {"TextOutput=top\n[Other]\nk=1", "TextOutput=top\n[Other]\nk=1\n\n[RX-710KP]\nTextOutput=V\n"},
      {"[RX-710KP]\nTextOutput=a\n[Other]\n[RX-710KP]\nDebug=x\n",
       "[RX-710KP]\nTextOutput=V\n[Other]\n[RX-710KP]\nDebug=x\n"},
      {"[RX-710KP]\n TextOutput =PDF\\\nDebug=True\n", "[RX-710KP]\n TextOutput =V\nDebug=True\n"},
      {"\xEF\xBB\xBF[RX-710KP]\n;TextOutput=PDF\n#TextOutput=PDF\n\xff\n",
       "\xEF\xBB\xBF[RX-710KP]\nTextOutput=V\n;TextOutput=PDF\n#TextOutput=PDF\n\xff\n"},
  };
  const std::string values[] = {"Printer:Office,2F", "PDF\\", "\"a\"", "a=b;c #d", " blanks ", "\xff\x01", ""};
  for (const auto& [before, after] : shapes) {
    EXPECT_EQ(SetSetting(before, "RX-710KP", "TextOutput", "V"), after) << before;
    for (const std::string& value : values)  // value() throws, failing the test, when nothing was set
      EXPECT_EQ(FindSetting(SetSetting(before, "RX-710KP", "TextOutput", value).value(), "RX-710KP", "TextOutput"), value);
  }
  EXPECT_EQ(SetSetting("", "RX-710KP", "TextOutput", "a\nDebug=True"), std::nullopt);
  EXPECT_EQ(SetSetting("", "RX-710KP", "Text=Output", "PDF"), std::nullopt);
}

// A restored window is refitted to the work area, wherever that starts; a
// maximized or minimized one is left alone.
TEST(Tick, OnlyARestoredWindowIsRefittedAndNoReplyRaises1005OnTheTenthTick) {
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
  Form& f = tt.form();
  f.KeyMode = Mode::Busy;
  for (int tick = 1; tick <= 9; ++tick) Timer1_Timer(tt.terminal);
  EXPECT_EQ(f.KeyMode, Mode::Busy);
  Timer1_Timer(tt.terminal);
  EXPECT_EQ(f.lblError.caption, "エラー：受信できません（[Esc]：解除）");
  Timer1_Timer(tt.terminal);  // the count stops with the error
  EXPECT_EQ(f.WaitMs, 1000);
}

}  // namespace
}  // namespace rx
