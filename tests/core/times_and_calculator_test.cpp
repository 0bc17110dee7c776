// The time calculator, from a menu page and from a time input; the entry as
// keys grow it; time texts at the edges of their ranges and the relay total.
#include <tuple>

#include "console/moves.h"
#include "data/enter_digit.h"
#include "data/relay_total.h"
#include "data/time_values.h"
#include "shell/input.h"
#include "support/console_fixture.h"

namespace rx {
namespace {

using Calculator = testing::ConsoleTest;

TEST_F(Calculator, NetTimesFromAMenuRefusingBadTimesAndBackToThePage) {
  const char* cases[][3] = {{"235959.9", "0.1", "00:00:00.2000"},  // over midnight
                            {"100000.5", "100001.25", "00:00:00.7500"}, {"123456.789", "123456.789", "00:00:00.0000"},
                            {"", "", "00:00:00.0000"},  // nothing typed counts as zero
                            {"1", "10203.045", "01:02:02.0450"}};
  for (const auto& c : cases) {
    Press(Keys::Right);
    Submit(c[0]);
    Submit(c[1]);
    EXPECT_EQ(f.lblCalc[CalcField::Net].caption, c[2]) << c[0] << " to " << c[1];
    Press(Keys::Esc);
  }
  Press({5, Keys::Right});
  Submit("240000");
  EXPECT_EQ(f.lblError.caption, "エラー：入力タイムが範囲外です（[Esc]：解除）");
  Press(Keys::Enter);  // under a refused time Enter neither takes it nor moves on
  EXPECT_EQ(f.lblCalc[CalcField::Finish].caption, "");
  Press(Keys::Clear);  // must not page the menu under the calculator
  EXPECT_EQ(f.Screen, ScreenId::MainMenu);
  Press(Keys::Esc);  // the entry starts over
  EXPECT_TRUE(f.KeyMode == Mode::Calculator && !f.lblError.visible);
  Submit("5");
  Submit("126000");  // minute 60
  Press(Keys::Enter);
  EXPECT_TRUE(f.lblCalc[CalcField::Net].caption.empty() && tt.fakes.beeper.beeps == 2);  // a beep a refusal
  Press(Keys::Esc);
  Submit("7");
  EXPECT_EQ(f.lblCalc[CalcField::Net].caption, "00:00:02.0000");
  Press({Keys::Enter, Keys::Clear});  // nothing to take over into; start again
  EXPECT_TRUE(f.KeyMode == Mode::Calculator && f.lblCalc[CalcField::Finish].caption.empty());
  Press(Keys::Esc);
  EXPECT_TRUE(!f.fraCalc.visible && !f.InputActive && f.MenuItem == MenuItemId::RelayCourseMemory);
}

// Started from the new-time input of the alpine edit screen.
TEST_F(Calculator, FromAnInputTheResultIsTakenOverAndTheScreenGoesOn) {
  Press({1, Keys::Enter, 1, Keys::Enter});  // course memory, modify
  f.EditStep = EditStage::NewTime;
  const std::string guide = f.lblGuide.caption;
  SetField(f, f.lblEditInp[EditField::NewTime], "1.5");
  BeginInput(f, f.lblEditInp[EditField::NewTime], kTimeDigits, kTimeDecimals);
  Type("99");  // dropped when the calculator opens
  Press({Keys::Right, Keys::Esc});  // back to the input as it was
  EXPECT_TRUE(f.KeyMode == Mode::Normal && f.InputLabel == &f.lblEditInp[EditField::NewTime]);
  EXPECT_TRUE(f.lblEditInp[EditField::NewTime].caption == "1.5" && f.lblGuide.caption == guide);
  BeginInput(f, f.lblEditInp[EditField::NewTime], kTimeDigits, kTimeDecimals);
  Press(Keys::Right);
  Submit("100000");
  Submit("100130.25");
  f.lblCalc[CalcField::Net].caption.clear();  // shown from the result, never read back
  Press(Keys::Enter);
  EXPECT_TRUE(!f.fraCalc.visible && f.lblEditInp[EditField::NewTime].caption == "130.2500");
  EXPECT_EQ(f.lblEditInp[EditField::TimeToSend].caption, "00:01:30.2500");  // the screen's Enter ran on it
  EXPECT_EQ(f.EditStep, EditStage::Confirm);
  BeginInput(f, f.lblEditInp[EditField::NewTime], kTimeDigits, kTakenOverDecimals);
  Press(Keys::Right);  // only a four-decimal input opens it
  EXPECT_FALSE(f.fraCalc.visible);
}

// Keys typed ("C" is Clear) and the caption they leave.
TEST(Input, TypingShowsTheEntryAsItGrows) {
  const std::tuple<int, int, const char*, const char*> cases[] = {  // digits, decimals, keys, shown
      {2, 0, "123.", "23"},  // digits shift in from the right; no point in an integer input
      {6, 4, "12", "12     "},  // room kept for the point and four decimals
      {6, 4, "12.5", "12.5   "}, {6, 4, "1234567", "234567     "}, {6, 4, ".5", "0.5   "},
      {6, 4, "12.56789.", "12.5678"},  // only four decimals and one point fit
      {6, 4, "12.3C", "0.0000"},  // Clear restores the caption
      {6, 4, "12.3C.7", "0.7   "},  // and the point is available again
  };
  for (const auto& [digits, decimals, keys, shown] : cases) {
    Form form;
    SetField(form, form.lblCalc[CalcField::Start], "0.0000");
    BeginInput(form, form.lblCalc[CalcField::Start], digits, decimals);
    for (const char* key = keys; *key; ++key)
      *key == 'C' ? ClearKey(form) : EnterDigit(form, *key == '.' ? Keys::Point : *key - '0');
    EXPECT_EQ(form.lblCalc[CalcField::Start].caption, shown) << keys;
  }
}

TEST(TimeValues, EntriesShowAsTimesAndTypeBack) {
  const std::pair<const char*, const char*> entries[] = {
      {"235959.9999", "23:59:59.9999"}, {"0.5", "00:00:00.5000"}, {"5", "00:00:05.0000"},
      {"1.123456", "00:00:01.1234"},  // decimals past the fourth ignored
      {"1234     ", "00:12:34.0000"},  // an open input's caption carries blanks
      {"12.5   ", "00:00:12.5000"},    {"0.", "00:00:00.0000"},    {"240000", ""}, {"5959", "00:59:59.0000"},
      {"6000", ""}, {"59", "00:00:59.0000"}, {"60", ""}, {"99", ""}, {".", ""}, {"", ""}, {"1236000", ""}, {"12a", ""}};
  for (const auto& [entry, time] : entries) EXPECT_EQ(EntryToTime(entry), time) << entry;
  const std::pair<const char*, const char*> times[] = {
      {"00:00:05.1234", "5.1234"}, {"00:00:15.1234", "15.1234"}, {"00:01:05.1234", "105.1234"},
      {"00:12:05.1234", "1205.1234"}, {"01:02:03.0450", "10203.0450"}, {"23:59:59.7890", "235959.7890"},
      {"00:00:00.0000", "0.0000"}, {"23:60:00.0000", "0.0000"}, {"24:00:00.0000", "0.0000"}, {"", "0.0000"}};
  for (const auto& [time, entry] : times) EXPECT_EQ(TimeToEntry(time), entry) << time;
}

TEST(TimeValues, SecondsOfTimesAndOfTheHunterClockRepliesAndSendForms) {
  const std::tuple<TimeParts (*)(std::string_view), const char*, TimeParts> cases[] = {
      {TimeToSeconds, "00:00:01.2345", {1, 2345}}, {TimeToSeconds, "01:00:00.0   ", {3600, 0}},
      {TimeToSeconds, "00:00:02.5   ", {2, 5000}},  // a leg's tenths
      {TimeToSeconds, "23:59:59.9999", {86399, 9999}}, {TimeToSeconds, "00:00:01.2x45", {0, 0}},
      {ClockToSeconds, "235900  ", {86340, 0}}, {ClockToSeconds, "12345678", {45296, 780}},
      {ClockToSeconds, "1234567 ", {45296, 700}}, {ClockToSeconds, "1234567x", {-1, 0}},
      {ClockToSeconds, "0010019500", {601, 950}}};  // a record's time digits
  for (const auto& [convert, text, parts] : cases) EXPECT_EQ(convert(text), parts) << text;
  EXPECT_EQ(ReplyTime("\x02" "CO0AC045" "0102034567" "  \x03"), "01:02:03.4567");
  EXPECT_TRUE(StripTime("01:02:03.4   ", 12) == "0102034     " && StripTime("0102034567891", 12) == "0102034567891");
  EXPECT_TRUE(Mid("abc", 3, 2) == "c" && Mid("abc", 4, 1).empty() && Mid("abc", 0, 1).empty());  // from 1
}

// Legs summed and cut to tenths; a sum reaching a hundred hours is refused
// and the shown total kept.
TEST(RelayTotal, SumsLegsToTenthsAndRefusesAHundredHours) {
  const std::string day = "23:59:59.9999";
  const std::pair<std::vector<std::string>, const char*> cases[] = {  // legs, total (nullptr: refused)
      {{"00:10:00.55  ", "00:20:00.5   ", "01:00:00.0   "}, "01:30:01.0   "},  // .55 + .5 carries
      {{"00:00:00.5   ", "00:00:00.5   "}, "00:00:01.0   "},  // and so do tenths that make a second exactly
      {{"00:00:01.2345", "00:00:01.9999"}, "00:00:03.2   "},
      {{day, day, day, day, "04:00:01.0000"}, nullptr},
      {{day, day, day, day, "03:59:59.9900"}, "99:59:59.9   "},
      {{}, "00:00:00.0   "},
  };
  for (const auto& [legs, total] : cases) {
    Form form;
    form.EditRow = 0;
    for (const std::string& leg : legs) form.TeamLegs[form.EditRow++] = leg;
    form.TeamLegs[form.EditRow] = "01:00:00.0   ";  // past the legs: not counted
    form.TeamTotal = "kept";
    EXPECT_TRUE(RelayTotal(form) == (total != nullptr) && form.TeamTotal == (total ? total : "kept")) << form.TeamTotal;
  }
}

}  // namespace
}  // namespace rx
