// The edges the walks through the screens do not reach: a bib the keys cannot
// type, the limits of times, clocks and dates.
#include "data/alpine_edit.h"
#include "data/time_values.h"
#include "shell/input.h"
#include "support/console_fixture.h"

namespace rx {
namespace {

using Screens = testing::ConsoleTest;

// A bib of four digits, which the keys cannot type, is refused too.
TEST_F(Screens, ABibOfFourDigitsIsRefused) {
  Press({1, Keys::Enter, 2, Keys::Enter, 1, Keys::Enter});
  SetField(f, f.lblEditInp[EditField::Bib], "1000");
  EXPECT_TRUE(!AcceptBib(tt.terminal, f.lblEditInp[EditField::Bib]) && tt.fakes.beeper.beeps == 1);
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
    EXPECT_TRUE(check != clock || (IsValidClock(taken) && !IsValidClock(refused))) << refused;
  }
}

}  // namespace
}  // namespace rx
