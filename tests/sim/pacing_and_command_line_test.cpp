#include <gtest/gtest.h>

#include "sim/command_line.h"
#include "sim/line_pacer.h"

namespace rx::sim {
namespace {

using namespace std::chrono_literals;

TEST(LinePacer, KeepsToTheLineRateWithoutDrift) {
  LinePacer pacer;
  const auto t0 = LinePacer::Clock::now();
  pacer.Restart(t0);
  EXPECT_EQ(pacer.Allowance(t0), 1u);
  pacer.Sent(1);
  EXPECT_EQ(pacer.Allowance(t0), 0u);
  // A late wake-up catches up: 22 characters take 25.2 ms from the start.
  EXPECT_EQ(pacer.Allowance(t0 + 25ms), 21u);
  pacer.Sent(21);
  EXPECT_EQ(pacer.NextDue(), t0 + 22 * kCharTime);
  // After an idle line nothing is owed from the past.
  pacer.Restart(t0 + 1s);
  EXPECT_EQ(pacer.Allowance(t0 + 1s), 1u);
  EXPECT_GT(LinePacer(0ns).Allowance(t0), 1000000u);
}

}  // namespace
}  // namespace rx::sim
