// The edges of the keys on every screen: what the window shows after each
// step and Esc, every limit from both sides, a digit too many and nothing typed.
#include <memory>

#include "data/alpine_edit.h"
#include "data/time_values.h"
#include "link/error_line.h"
#include "link/error_text.h"
#include "support/console_fixture.h"

namespace rx {
namespace {

constexpr int Up = Keys::Up, Down = Keys::Down, Esc = Keys::Esc, E = Keys::Enter;

// A loaded terminal after the keys, with a first-run file to pick from.
std::unique_ptr<testing::TestTerminal> After(const std::vector<int>& keys) {
  auto tt = std::make_unique<testing::TestTerminal>();
  EXPECT_TRUE(Form_Load(tt->terminal));
  tt->form().DualAdd = true;
  std::ofstream(tt->terminal.dataDirectory / "F1241200.C08") << "1001001000000\r\n";
  for (int key : keys) testing::Press(*tt, key);
  return tt;
}

// The frames shown beside the keypad, the input fields filled, the open input
// ("-": none) and the error shown.
std::string Shown(const Form& f) {
  std::string shown;
  for (const Control* c : f.AllControls())
    if (c->kind == ControlKind::Frame && c->visible && c != &f.fraKey) shown += c->name + " ";
  for (const Control* c : f.AllControls())
    if (c->border && c->visible && c->parent->visible && !c->caption.empty())
      shown += c->name + "=" + c->caption + " ";
  shown += f.InputActive && f.InputLabel ? f.InputLabel->name : "-";
  return f.lblError.visible ? shown + " " + f.lblError.caption : shown;
}
std::string Error(int number) { return " エラー：" + ErrorText(number) + "（[Esc]：解除）"; }

TEST(Screens, EachStepShowsItsFramesItsFilledFieldsAndItsInput) {
  const std::string bib7 = "fraEdit(0) lblEditInp(1)=1 lblEditInp(2)=007 ";
  const std::pair<std::vector<int>, std::string> steps[] = {
      {{}, "fraMenu(0) -"}, {{Up}, "fraMenu(1) -"}, {{1, E}, "fraMenu(2) -"}, {{1, E, 4, E}, "fraMenu(4) -"},
      {{5, Keys::Right}, "fraMenu(0) fraCalc lblCalc(0)=0.0000 lblCalc(0)"},
      {{1, E, 4, E, E}, "fraMenu(4) fraYomikomi lblBlk=  -"},  // the rest of the fields: in the limits below
      {{1, E, 1, E}, "fraEdit(0) lblEditInp(1)"}, {{1, E, 1, E, 1, E, 7, E}, bib7 + "-"},
      {{1, E, 2, E, 1, E, 7, E}, bib7 + "lblEditInp(4)=0.0000 lblEditInp(4)"},
      {{1, E, 2, E, 1, E, 7, E, 5, E}, bib7 + "lblEditInp(4)=5      lblEditInp(5)=00:00:05.0000 -"},
      {{2, E, 2, E, 1, E, 7, E}, bib7 + "-"},  // a DNF entry has no time
      {{1, E, 5, E, 3, E, Esc}, "fraEdit(0) lblEditInp(0)"},  // after an error: the field again
      {{1, E, 2, E, 1, E, 0, E, Esc}, "fraEdit(0) lblEditInp(1)"},  // the entry starts over
      {{1, E, 2, E, 1, E, 7, E, 2, 4, 0, 0, 0, 0, E, Esc}, bib7 + "lblEditInp(4)=0.0000 lblEditInp(4)"},
      {{1, E, 2, E, 1, E, 7, E, 2, 4, 0, 0, 0, 0, E, Esc, 1, Keys::Point, 1, 2, 3, 4, 5},  // four decimals
       bib7 + "lblEditInp(4)=1.1234 lblEditInp(4)"},
      {{5, E, 1, E}, "fraEdit(0) lblEditInp(1)"}, {{6, E, 1, E, 1, E, 7, E}, "fraEdit(1) lblEditR(0)=1 lblEditR(1)=007 -"},
      {{7, E}, "fraMenu(3) -"}, {{7, E, E}, "fraFile -"}, {{7, E, Down, E}, "fraFile -"}, {{8, E}, "fraMenu(4) -"},
      {{8, E, E}, "fraMenu(4) fraFile -"}, {{8, E, E, E}, "fraMenu(4) fraSend -"},
      {{Up, Up, Up, E}, "fraMenu(1) fraSettings -"}, {{Up, Up, E}, "fraFile -"},
      {{Up, Up, E, E}, "fraHunter lblDateTime"},
      // Esc, back a step
      {{1, E, 4, E, 2, E, Esc}, "fraMenu(4) -"}, {{8, E, Down, E, E, Esc}, "fraMenu(4) -"}, {{7, E, E, Esc}, "fraMenu(3) -"},
      {{8, E, E, Esc}, "fraMenu(4) -"}, {{Up, Up, E, Esc}, "fraMenu(1) -"}, {{7, E, Down, E, Esc}, "fraMenu(3) -"},
      {{7, E, Esc}, "fraMenu(0) -"}, {{8, E, Esc}, "fraMenu(0) -"}, {{1, E, 4, E, Esc}, "fraMenu(2) -"},
      {{Up, Up, E, E, 1, Esc}, "fraHunter lblDateTime=1 lblDateTime"},  // an entry typed keeps the screen
      {{1, E, 1, E, Esc}, "fraMenu(2) -"}, {{1, E, 2, E, 1, E, 7, E, Esc}, "fraEdit(0) lblEditInp(1)"},
      {{1, E, 5, E, 1, E, Esc}, "fraEdit(0) lblEditInp(0)"}, {{6, E, 1, E, Esc}, "fraMenu(2) -"},
      {{6, E, 1, E, 1, E, Esc}, "fraEdit(1) lblEditR(0)"}};
  for (const auto& [keys, shown] : steps) EXPECT_EQ(Shown(After(keys)->form()), shown) << keys.size();
}

// Enter after a field's limits from both sides, a digit too many (the first
// falls out) and nothing typed, which neither moves on nor beeps.
TEST(Screens, FieldsTakeTheirLimitsAndRefuseOneStepPast) {
  const std::vector<int> block = {1, E, 2, E}, bib = {1, E, 2, E, 1, E}, relay = {6, E, 1, E},
                         relayBib = {6, E, 1, E, 1, E}, time = {1, E, 2, E, 1, E, 7, E},
                         course = {1, E, 5, E}, range = {1, E, 4, E, 2, E};
  const std::string in = "fraEdit(0) lblEditInp(", r = "fraEdit(1) lblEditR(0)=", t = in + "1)=1 lblEditInp(2)=007 ";
  const std::tuple<std::vector<int>, const char*, std::string> cases[] = {
      {block, "", in + "1)"}, {block, "28", in + "1)=28 lblEditInp(2)"}, {block, "128", in + "1)=28 lblEditInp(2)"},
      {block, "0", in + "1)=0 lblEditInp(2)"}, {block, "29", in + "1)=29 lblEditInp(1)"},
      {bib, "", in + "1)=1 lblEditInp(2)"}, {bib, "1", in + "1)=1 lblEditInp(2)=001 lblEditInp(4)=0.0000 lblEditInp(4)"},
      {bib, "1999", in + "1)=1 lblEditInp(2)=999 lblEditInp(4)=0.0000 lblEditInp(4)"},
      {bib, "1000", in + "1)=1 lblEditInp(2)=000 -" + Error(Errors::BibZero)},
      {course, "", in + "0)"}, {course, "12", in + "0)=2 lblEditInp(1)"},
      {course, "3", in + "0)=3 -" + Error(Errors::CourseNumber)}, {course, "0", in + "0)=0 -" + Error(Errors::CourseNumber)},
      {relay, "", "fraEdit(1) lblEditR(0)"}, {relay, "18", r + "18 lblEditR(1)"}, {relay, "19", r + "19 lblEditR(0)"},
      {relayBib, "", r + "1 lblEditR(1)"}, {relayBib, "0", r + "1 lblEditR(1)=0 -" + Error(Errors::BibZero)},
      {range, "", "fraMenu(4) lblBlk"}, {range, "28", "fraMenu(4) fraYomikomi lblBlk=28 -"},
      {range, "29", "fraMenu(4) lblBlk=29 lblBlk"},
      {time, "", t + "lblEditInp(4)=0.0000 lblEditInp(5)=00:00:00.0000 -"},  // the field's own value
      {time, "1235959.99999", t + "lblEditInp(4)=235959.9999 lblEditInp(5)=23:59:59.9999 -"},
      {time, "235960", t + "lblEditInp(4)=235960      -" + Error(Errors::InvalidTime)},
      {time, "236000", t + "lblEditInp(4)=236000      -" + Error(Errors::InvalidTime)},
      {time, "240000", t + "lblEditInp(4)=240000      -" + Error(Errors::InvalidTime)}};
  for (const auto& [keys, typed, shown] : cases) {
    auto tt = After(keys);
    testing::Type(*tt, typed);
    testing::Press(*tt, E);
    EXPECT_EQ(Shown(tt->form()), shown) << typed;
    EXPECT_EQ(tt->fakes.beeper.beeps, shown.find("エラー") != std::string::npos) << typed;  // errors' own
    EXPECT_EQ(tt->fakes.port.written, "") << typed;
  }
  auto tt = After(bib);  // more than three digits: a beep
  tt->form().lblEditInp[2].caption = "1000";
  EXPECT_FALSE(AcceptBib(tt->terminal, tt->form().lblEditInp[2]));
  EXPECT_EQ(tt->fakes.beeper.beeps, 1);
}

using Edges = testing::ConsoleTest;

// Arrows move only in an untouched input, never before the first leg or past
// the end marker; a deleted leg leaves no text in its columns.
TEST_F(Edges, RelayRowsEndAtTheFirstLegAndTheEndMarker) {
  Press({6, E, 1, E, 1, E, 7, E});
  for (const char* reply : {"CR", "CO4B10070010000000", "CO4C10070020000000", "CO4S10070030000000", "CF"}) Reply(reply);
  const std::pair<std::vector<int>, int> moves[] = {
      {{Up}, 0}, {{Down}, 1}, {{Down}, 2}, {{Down}, 2}, {{Up}, 1}, {{1, Up}, 1}, {{1, Down}, 1}};
  for (const auto& [keys, row] : moves) {
    Press(Keys::Clear);
    for (int key : keys) Press(key);
    EXPECT_EQ(f.InputLabel, &f.lblRelayInp[row]) << keys.back() << " to " << row;
  }
  Press({Keys::Clear, Keys::Delete});
  EXPECT_EQ(Shown(f), "fraEdit(1) lblEditR(0)=1 lblEditR(1)=007 lblRelayInp(0)=1000.0000 lblRelayInp(1)");
  EXPECT_EQ(f.lblRelayTime[1].caption, "");
  EXPECT_EQ(f.lblRelayTime[10].caption, "00:10:00.0   ");
}

TEST(Limits, TimesClocksAndDatesFromBothSides) {
  using Check = bool (*)(std::string_view);
  const Check time = [](std::string_view s) { return TimeToSeconds(s).seconds > 0; };
  const Check clock = [](std::string_view s) { return ClockToSeconds(s).seconds >= 0; }, date = IsValidDate;
  const std::tuple<Check, const char*, const char*> cases[] = {  // taken, refused
      {time, "23:00:00.0000", "24:00:00.0000"}, {time, "00:59:00.0000", "00:60:00.0000"},
      {time, "00:00:59.0000", "00:00:60.0000"}, {clock, "230000", "240000"}, {clock, "005900", "006000"},
      {clock, "000059", "000060"}, {date, "20080101", "20071231"}, {date, "21001231", "21010101"},
      {date, "20081201", "20081301"}, {date, "20080131", "20080132"}, {date, "20080229", "20080230"},
      {date, "20080430", "20080431"}, {date, "20090229", "2008011"}, {date, "20081231", "20080631"},
      {date, "20080930", "20080931"}, {date, "20081130", "20081131"}, {date, "20080201", "20080200"}};
  for (const auto& [check, taken, refused] : cases) {
    EXPECT_TRUE(check(taken)) << taken;
    EXPECT_FALSE(check(refused)) << refused;
    if (check == clock) EXPECT_TRUE(IsValidClock(taken) && !IsValidClock(refused)) << refused;
  }
}

}  // namespace
}  // namespace rx
