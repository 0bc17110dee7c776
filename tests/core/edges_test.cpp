// The edges of the keys on every screen: what the window shows after each
// step, fields at their limits from both sides and with a digit too many,
// Enter with nothing typed, the first and last relay row, and the limits of
// the time, clock, date and block texts.
#include <memory>

#include "data/block_letters.h"
#include "data/time_values.h"
#include "link/error_line.h"
#include "link/error_text.h"
#include "support/console_fixture.h"

namespace rx {
namespace {

constexpr int Up = Keys::Up, Down = Keys::Down, Esc = Keys::Esc, E = Keys::Enter;

// A loaded terminal after the keys, with a first-run file to pick from.
std::unique_ptr<testing::TestTerminal> After(const std::vector<int>& keys, bool dualAdd = false) {
  auto tt = std::make_unique<testing::TestTerminal>();
  EXPECT_TRUE(Form_Load(tt->terminal));
  tt->form().DualAdd = dualAdd;
  std::ofstream(tt->terminal.dataDirectory / "F1241200.C08") << "1001001000000\r\n";
  for (int key : keys) testing::Press(*tt, key);
  return tt;
}

// The frames shown, the input fields filled, the open input ("-": none) and
// the error shown.
std::string Shown(const Form& f) {
  std::string shown;
  for (const Control* c : f.AllControls())
    if (c->kind == ControlKind::Frame && c->visible) shown += c->name + " ";
  for (const Control* c : f.AllControls())
    if (c->border && c->visible && c->parent->visible && !c->caption.empty())
      shown += c->name + "=" + c->caption + " ";
  shown += f.InputActive && f.InputLabel ? f.InputLabel->name : "-";
  return f.lblError.visible ? shown + " " + f.lblError.caption : shown;
}
std::string Error(int number) { return " エラー：" + ErrorText(number) + "（[Esc]：解除）"; }

TEST(Screens, EachStepShowsItsFramesItsFilledFieldsAndItsInput) {
  const std::pair<std::vector<int>, std::string> steps[] = {
      {{}, "fraMenu(0) fraKey -"},
      {{Up}, "fraMenu(1) fraKey -"},
      {{5, Keys::Right}, "fraMenu(0) fraCalc fraKey lblCalc(0)=0.0000 lblCalc(0)"},
      {{1, E}, "fraMenu(2) fraKey -"},
      {{1, E, 4, E}, "fraMenu(4) fraKey -"},
      {{1, E, 4, E, E}, "fraMenu(4) fraYomikomi fraKey lblBlk=  -"},
      {{1, E, 4, E, 2, E}, "fraMenu(4) fraKey lblBlk"},
      {{1, E, 1, E}, "fraEdit(0) fraKey lblEditInp(1)"},
      {{1, E, 1, E, 1, E, 7, E}, "fraEdit(0) fraKey lblEditInp(1)=1 lblEditInp(2)=007 -"},
      {{1, E, 2, E, 1, E}, "fraEdit(0) fraKey lblEditInp(1)=1 lblEditInp(2)"},
      {{1, E, 2, E, 1, E, 7, E},
       "fraEdit(0) fraKey lblEditInp(1)=1 lblEditInp(2)=007 lblEditInp(4)=0.0000 lblEditInp(4)"},
      {{1, E, 2, E, 1, E, 7, E, 5, E},
       "fraEdit(0) fraKey lblEditInp(1)=1 lblEditInp(2)=007 lblEditInp(4)=5      "
       "lblEditInp(5)=00:00:05.0000 -"},
      {{2, E, 2, E, 1, E, 7, E}, "fraEdit(0) fraKey lblEditInp(1)=1 lblEditInp(2)=007 -"},
      {{5, E, 1, E}, "fraEdit(0) fraKey lblEditInp(1)"},
      {{6, E, 1, E}, "fraEdit(1) fraKey lblEditR(0)"},
      {{6, E, 1, E, 1, E}, "fraEdit(1) fraKey lblEditR(0)=1 lblEditR(1)"},
      {{6, E, 1, E, 1, E, 7, E}, "fraEdit(1) fraKey lblEditR(0)=1 lblEditR(1)=007 -"},
      {{7, E}, "fraMenu(3) fraKey -"},
      {{7, E, E}, "fraFile fraKey -"},  // the file menu hides behind no list
      {{7, E, Down, E}, "fraFile fraKey -"},
      {{8, E}, "fraMenu(4) fraKey -"},
      {{8, E, E}, "fraMenu(4) fraFile fraKey -"},
      {{8, E, E, E}, "fraMenu(4) fraSend fraKey -"},
      {{Up, Up, Up, E}, "fraMenu(1) fraSettings fraKey -"},
      {{Up, Up, E}, "fraFile fraKey -"},
      {{Up, Up, E, E}, "fraHunter fraKey lblDateTime"},
  };
  for (const auto& [keys, shown] : steps) EXPECT_EQ(Shown(After(keys)->form()), shown) << keys.size();
}

// A field's limits from both sides, a digit too many (the first falls
// out), and Enter with nothing typed, which neither moves on nor beeps.
TEST(Screens, FieldsTakeTheirLimitsAndRefuseOneStepPast) {
  const std::vector<int> block = {1, E, 2, E}, bib = {1, E, 2, E, 1, E}, relay = {6, E, 1, E},
                         relayBib = {6, E, 1, E, 1, E}, time = {1, E, 2, E, 1, E, 7, E},
                         course = {1, E, 5, E}, range = {1, E, 4, E, 2, E};
  const std::string onBlock = "fraEdit(0) fraKey lblEditInp(1)=", onTime = "fraEdit(0) fraKey lblEditInp(1)=1 lblEditInp(2)=007 ";
  const std::tuple<std::vector<int>, const char*, std::string> cases[] = {
      {block, "", "fraEdit(0) fraKey lblEditInp(1)"},
      {block, "28", onBlock + "28 lblEditInp(2)"},
      {block, "128", onBlock + "28 lblEditInp(2)"},
      {block, "0", onBlock + "0 lblEditInp(2)"},
      {block, "29", onBlock + "29 lblEditInp(1)"},
      {bib, "", onBlock + "1 lblEditInp(2)"},
      {bib, "1", onBlock + "1 lblEditInp(2)=001 lblEditInp(4)=0.0000 lblEditInp(4)"},
      {bib, "1999", onBlock + "1 lblEditInp(2)=999 lblEditInp(4)=0.0000 lblEditInp(4)"},
      {bib, "1000", onBlock + "1 lblEditInp(2)=000 -" + Error(Errors::BibZero)},
      {course, "", "fraEdit(0) fraKey lblEditInp(0)"},
      {course, "12", "fraEdit(0) fraKey lblEditInp(0)=2 lblEditInp(1)"},
      {course, "3", "fraEdit(0) fraKey lblEditInp(0)=3 -" + Error(Errors::CourseNumber)},
      {course, "0", "fraEdit(0) fraKey lblEditInp(0)=0 -" + Error(Errors::CourseNumber)},
      {relay, "", "fraEdit(1) fraKey lblEditR(0)"},
      {relay, "18", "fraEdit(1) fraKey lblEditR(0)=18 lblEditR(1)"},
      {relay, "19", "fraEdit(1) fraKey lblEditR(0)=19 lblEditR(0)"},
      {relayBib, "", "fraEdit(1) fraKey lblEditR(0)=1 lblEditR(1)"},
      {relayBib, "0", "fraEdit(1) fraKey lblEditR(0)=1 lblEditR(1)=0 -" + Error(Errors::BibZero)},
      {range, "", "fraMenu(4) fraKey lblBlk"},
      {range, "28", "fraMenu(4) fraYomikomi fraKey lblBlk=28 -"},
      {range, "29", "fraMenu(4) fraKey lblBlk=29 lblBlk"},
      {time, "1235959.99999", onTime + "lblEditInp(4)=235959.9999 lblEditInp(5)=23:59:59.9999 -"},
      {time, "235960", onTime + "lblEditInp(4)=235960      -" + Error(Errors::InvalidTime)},
      {time, "236000", onTime + "lblEditInp(4)=236000      -" + Error(Errors::InvalidTime)},
      {time, "240000", onTime + "lblEditInp(4)=240000      -" + Error(Errors::InvalidTime)},
  };
  for (const auto& [keys, typed, shown] : cases) {
    auto tt = After(keys, true);
    testing::Type(*tt, typed);
    testing::Press(*tt, E);
    EXPECT_EQ(Shown(tt->form()), shown) << typed;
    EXPECT_EQ(tt->fakes.beeper.beeps, shown.find("エラー") != std::string::npos) << typed;  // errors' own
    EXPECT_EQ(tt->fakes.port.written, "") << typed;
  }
}

using Edges = testing::ConsoleTest;

// Arrows move only in an untouched input, never before the first leg or past
// the end marker; a deleted leg leaves no text in its columns.
TEST_F(Edges, RelayRowsEndAtTheFirstLegAndTheEndMarker) {
  Press({6, E, 1, E});
  Submit("1");
  Submit("7");
  for (const char* reply : {"CR", "CO4B10070010000000", "CO4C10070020000000", "CO4S10070030000000", "CF"})
    Reply(reply);
  const std::pair<std::vector<int>, int> moves[] = {
      {{Up}, 0}, {{Down}, 1}, {{Down}, 2}, {{Down}, 2}, {{Up}, 1}, {{1, Up}, 1}, {{1, Down}, 1}};
  for (const auto& [keys, row] : moves) {
    Press(Keys::Clear);
    for (int key : keys) Press(key);
    EXPECT_EQ(f.InputLabel, &f.lblRelayInp[row]) << keys.back() << " to " << row;
  }
  Press({Keys::Clear, Keys::Delete});
  EXPECT_EQ(Shown(f), "fraEdit(1) fraKey lblEditR(0)=1 lblEditR(1)=007 lblRelayInp(0)=1000.0000 lblRelayInp(1)");
  EXPECT_EQ(f.lblRelayTime[1].caption, "");
  EXPECT_EQ(f.lblRelayTime[10].caption, "00:10:00.0   ");
}

// While a refused time is shown, Enter neither takes the entry nor moves on.
TEST_F(Edges, CalculatorEnterDoesNothingUnderARefusedTime) {
  Press(Keys::Right);
  Submit("240000");
  Press(E);
  EXPECT_EQ(f.lblCalc[1].caption, "");
  Press(Esc);
  Submit("1");
  Submit("236000");
  Press(E);
  EXPECT_EQ(f.lblCalc[2].caption, "");
  EXPECT_TRUE(f.lblError.visible);
  EXPECT_EQ(tt.fakes.beeper.beeps, 2);  // once a refusal
}

// A modify's time and a time reopened after an error take four decimals.
TEST_F(Edges, EveryTimeInputTakesFourDecimals) {
  Press({1, E, 1, E});
  Submit("1");
  Submit("7");
  for (const char* reply : {"CR", "CO0110070001000000", "CF"}) Reply(reply);
  Type("1.12345");
  EXPECT_EQ(f.lblEditInp[4].caption, "1.1234");
  Press(Keys::Clear);
  Submit("240000");
  Press(Esc);
  Type("1.12345");
  EXPECT_EQ(f.lblEditInp[4].caption, "1.1234");
}

TEST(Limits, TimesClocksDatesAndBlockTextsFromBothSides) {
  using Check = bool (*)(std::string_view);
  const Check entry = [](std::string_view s) { return !EntryToTime(s).empty(); };
  const Check time = [](std::string_view s) { return TimeToSeconds(s).seconds > 0; };
  const Check clock = [](std::string_view s) { return ClockToSeconds(s).seconds >= 0; };
  const Check block = [](std::string_view s) { return BlockLetter(s) != " "; };
  const std::tuple<Check, const char*, bool> cases[] = {
      {entry, "235959.9999", true},     {entry, "240000", false},          {entry, "5959", true},
      {entry, "6000", false},           {entry, "59", true},               {entry, "60", false},
      {time, "23:00:00.0000", true},    {time, "24:00:00.0000", false},    {time, "00:59:00.0000", true},
      {time, "00:60:00.0000", false},   {time, "00:00:59.0000", true},     {time, "00:00:60.0000", false},
      {clock, "230000", true},          {clock, "240000", false},          {clock, "005900", true},
      {clock, "006000", false},         {clock, "000059", true},           {clock, "000060", false},
      {IsValidDate, "20080101", true},  {IsValidDate, "20071231", false},  {IsValidDate, "21001231", true},
      {IsValidDate, "21010101", false}, {IsValidDate, "20081201", true},   {IsValidDate, "20081301", false},
      {IsValidDate, "20080131", true},  {IsValidDate, "20080132", false},  {IsValidDate, "20080100", false},
      {IsValidDate, "20080229", true},  {IsValidDate, "20080230", false},  {IsValidDate, "20080430", true},
      {IsValidDate, "20080431", false}, {IsValidDate, "2008011", false},   {block, "00029", true},
      {block, "000029", false},         {block, "29", true},               {block, "30", false},
  };
  for (const auto& [check, text, taken] : cases) {
    EXPECT_EQ(check(text), taken) << text;
    if (check == clock) EXPECT_EQ(IsValidClock(text), taken) << text;
  }
}

}  // namespace
}  // namespace rx
