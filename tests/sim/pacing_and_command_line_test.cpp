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

TEST(CommandLine, OptionsAndRefusals) {
  CommandLine cmd;
  std::string error;
  ASSERT_TRUE(ParseCommandLine({"--fast", "--mode", "relay", "--empty", "--load", "CA.C25", "--load",
                                "YB.C25", "--print-file", "out.txt", "--link", "/tmp/rx", "--quiet"},
                               cmd, &error));
  EXPECT_TRUE(cmd.options.fast && cmd.options.relayMode && cmd.quiet);
  EXPECT_FALSE(cmd.options.demoData);
  EXPECT_EQ(cmd.options.loadFiles, (std::vector<std::string>{"CA.C25", "YB.C25"}));
  EXPECT_EQ(cmd.options.printFile, "out.txt");
  EXPECT_EQ(cmd.link, "/tmp/rx");

  CommandLine other;
  EXPECT_FALSE(ParseCommandLine({"--bogus"}, other, &error));
  EXPECT_NE(error.find("--bogus"), std::string::npos);
  EXPECT_FALSE(ParseCommandLine({"--mode", "sprint"}, other, &error));
  EXPECT_FALSE(ParseCommandLine({"--load"}, other, &error));
}

}  // namespace
}  // namespace rx::sim
