#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "sim/data_file.h"
#include "sim/demo_race.h"
#include "sim_test_support.h"

namespace rx::sim {
namespace {

using testing::Exchange;
using testing::kAccepted;
using testing::RefusedWith;

TEST(ProtocolLoads, RelayTeamsComeLegByLegAndTheTotalStoresThem) {
  DeviceProtocol device({}, true);
  EXPECT_EQ(Exchange(device, "CL3A2000101500"), kAccepted);
  EXPECT_EQ(Exchange(device, "CL3A2000101500"), RefusedWith(151));
  for (const char* leg : {"CL4B10070025000000", "CL4C10070026000000", "CL4S10070051000000",
                          "CL4S10120030000000"}) {
    EXPECT_EQ(Exchange(device, leg), kAccepted) << leg;
  }
  EXPECT_EQ(Exchange(device, "CL4B10070025000000"), RefusedWith(103));
  EXPECT_EQ(Exchange(device, "CL4B10200025000000"), kAccepted);
  EXPECT_EQ(Exchange(device, "CL4D10200025000000"), RefusedWith(805));  // leg "C" skipped
  EXPECT_EQ(Exchange(device, "CL0AC0451234567890  "), RefusedWith(2));
  EXPECT_EQ(device.Memory().Lines(MemoryKind::RelayCourse), (std::vector<std::string>{"20001015000000"}));
  EXPECT_EQ(device.Memory().Lines(MemoryKind::RelayResults),
            (std::vector<std::string>{"10070025000000", "10070026000000", "10070051000000",
                                      "10120030000000"}));
}

TEST(DataFiles, LinesLoadIntoTheMemoryTheyWereReadFrom) {
  DeviceMemory m;
  std::string error;
  // 14- and 13-character lines (the hunter start writes the latter); others skipped.
  ASSERT_TRUE(LoadLines(m, MemoryKind::FirstRun,
                        {"30450001023400\r", "10071200000  ", "2003", "not a record"}, &error))
      << error;
  EXPECT_EQ(m.Lines(MemoryKind::FirstRun), (std::vector<std::string>{"10071200000000", "30450001023400"}));

  ASSERT_TRUE(LoadLines(m, MemoryKind::RelayResults,
                        {"10070025000000", "10070026000000", "10070051000000", "10120030000000"}, &error));
  const RelayTeam* team = m.FindTeam('1', "007");
  ASSERT_NE(team, nullptr);
  EXPECT_EQ(team->legs, (std::vector<std::string>{"0025000000", "0026000000"}));
  EXPECT_EQ(team->total, "0051000000");
  EXPECT_EQ(m.FindTeam('1', "012")->legs.size(), 0u);

  EXPECT_FALSE(LoadLines(m, MemoryKind::Course, {"30450001023400", "30462500000000"}, &error));
  EXPECT_NE(error.find("line 2"), std::string::npos);
}

}  // namespace
}  // namespace rx::sim
