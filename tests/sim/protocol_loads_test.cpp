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

TEST(ProtocolLoads, EachMemoryTakesItsRecordsAndRefusesDuplicates) {
  DeviceProtocol device;
  EXPECT_EQ(Exchange(device, "CL0AC0451234567890  "), kAccepted);
  EXPECT_EQ(Exchange(device, "CL0AC0451234567890  "), RefusedWith(101));
  EXPECT_EQ(Exchange(device, "CL2 3007"), kAccepted);
  EXPECT_EQ(Exchange(device, "CL2 3007"), RefusedWith(102));
  EXPECT_EQ(Exchange(device, "CL113001000100123"), kAccepted);
  EXPECT_EQ(Exchange(device, "CL113001000100123"), RefusedWith(103));
  EXPECT_EQ(Exchange(device, "CL123001000100123"), kAccepted);
  EXPECT_EQ(Exchange(device, "CL5 3002"), kAccepted);
  EXPECT_EQ(Exchange(device, "CL5 3002"), RefusedWith(107));
  EXPECT_EQ(Exchange(device, "CL0A30000001023400"), RefusedWith(803));
  EXPECT_EQ(Exchange(device, "CL3A2000101500"), RefusedWith(1));
  EXPECT_EQ(device.Memory().Lines(MemoryKind::Course), (std::vector<std::string>{"C0451234567890"}));
  EXPECT_EQ(device.Memory().Lines(MemoryKind::Dnf), (std::vector<std::string>{"30070000000000"}));
  EXPECT_EQ(device.Memory().Lines(MemoryKind::FirstRun), (std::vector<std::string>{"30010001001230"}));
  EXPECT_EQ(device.Memory().Lines(MemoryKind::Untimed), (std::vector<std::string>{"30020000000000"}));
}

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

TEST(DataFiles, TheFileNamesFirstLetterChoosesTheMemory) {
  // Names must begin with the memory letter, so each run gets its own directory.
  const std::filesystem::path dir =
      std::filesystem::path(::testing::TempDir()) / ("sim_files_" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  const std::string dnf = dir / "DN061530.C25", other = dir / "QN061530.C25";
  std::ofstream(dnf) << "10070000000000\r\n2011\r\n";
  std::ofstream(other) << "10070000000000\r\n";
  DeviceMemory m;
  std::string error;
  EXPECT_TRUE(LoadDataFile(m, dnf, &error)) << error;
  EXPECT_EQ(m.Lines(MemoryKind::Dnf), (std::vector<std::string>{"10070000000000"}));
  EXPECT_FALSE(LoadDataFile(m, other, &error));
  EXPECT_FALSE(LoadDataFile(m, dir / "CN_missing.C25", &error));
  std::filesystem::remove_all(dir);
}

TEST(DemoRace, IsAValidRaceOfSixtyInBlocksOneToThree) {
  DeviceMemory demo;
  FillDemoRace(demo);
  EXPECT_EQ(demo.Lines(MemoryKind::Course).size(), 60u);
  EXPECT_FALSE(demo.Empty(MemoryKind::Dnf));
  EXPECT_GT(demo.Lines(MemoryKind::FirstRun).size(), 50u);
  EXPECT_GT(demo.Lines(MemoryKind::SecondRun).size(), 50u);
  EXPECT_FALSE(demo.Empty(MemoryKind::RelayCourse));
  // Every record goes back in through the device's own checks unchanged.
  for (MemoryKind kind : kAllMemories) {
    DeviceMemory copy;
    std::string error;
    ASSERT_TRUE(LoadLines(copy, kind, demo.Lines(kind), &error)) << error;
    EXPECT_EQ(copy.Lines(kind), demo.Lines(kind));
    for (const std::string& line : demo.Lines(kind)) {
      EXPECT_TRUE(line[0] >= '1' && line[0] <= '3') << line;
    }
  }
  DeviceMemory again;
  FillDemoRace(again);
  EXPECT_EQ(again.Lines(MemoryKind::SecondRun), demo.Lines(MemoryKind::SecondRun));
}

}  // namespace
}  // namespace rx::sim
