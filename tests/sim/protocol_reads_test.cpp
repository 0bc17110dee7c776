#include <gtest/gtest.h>

#include "sim/demo_race.h"
#include "sim_test_support.h"

namespace rx::sim {
namespace {

using testing::Cmd;
using testing::Exchange;
using testing::RefusedWith;

DeviceMemory SmallRace() {
  DeviceMemory m;
  // Put out of order on purpose: reads come back by block, then bib.
  m.Put(MemoryKind::Course, 'A', "002", "1000000000");
  m.Put(MemoryKind::Course, '3', "045", "1001023400");
  m.Put(MemoryKind::Course, '3', "007", "0959591234");
  m.Put(MemoryKind::Dnf, '2', "011", "");
  m.Put(MemoryKind::FirstRun, '1', "005", "0000512345");
  m.PutTeam('1', "101", {{"0025000000", "0026100000"}, "0051100000"});
  m.PutTeam('2', "201", {{"0030000000"}, "0030000000"});
  m.Put(MemoryKind::RelayCourse, '2', "", "1015000000");
  return m;
}

TEST(ProtocolReads, WholeMemoryComesInDeviceOrderBetweenCrAndCf) {
  DeviceProtocol device(SmallRace());
  EXPECT_EQ(Exchange(device, "CO0A"),
            (std::vector<std::string>{Cmd("CR"), Cmd("CO0A30070959591234"), Cmd("CO0A30451001023400"),
                                      Cmd("CO0AA0021000000000"), Cmd("CF")}));
  // The DNF memory has no times: zeros in their place. Its read is "CO2" + 17 blanks.
  EXPECT_EQ(Exchange(device, "CO2"),
            (std::vector<std::string>{Cmd("CR"), Cmd("CO2 20110000000000"), Cmd("CF")}));
  EXPECT_EQ(Exchange(device, "CO12"), (std::vector<std::string>{Cmd("CR"), Cmd("CF")}));
}

TEST(ProtocolReads, RecordFramesCarryTheDataFileLineAtFramePositions6To19) {
  DeviceProtocol device(SmallRace());
  device.Receive(Frame(Cmd("CO0A")));
  device.NextFrame();
  const std::string frame = device.NextFrame();
  ASSERT_EQ(frame.size(), kFrameSize);
  EXPECT_EQ(frame.substr(5, 14), device.Memory().Lines(MemoryKind::Course).front());
}

TEST(ProtocolReads, RelayReadsGiveLegsThenTotalAndOneTimePerBlock) {
  DeviceProtocol device(SmallRace(), /*relayMode=*/true);
  EXPECT_EQ(Exchange(device, "CO4A"),
            (std::vector<std::string>{Cmd("CR"), Cmd("CO4B11010025000000"), Cmd("CO4C11010026100000"),
                                      Cmd("CO4S11010051100000"), Cmd("CO4B22010030000000"),
                                      Cmd("CO4S22010030000000"), Cmd("CF")}));
  EXPECT_EQ(Exchange(device, "CO4A2201"),
            (std::vector<std::string>{Cmd("CR"), Cmd("CO4B22010030000000"), Cmd("CO4S22010030000000"),
                                      Cmd("CF")}));
  EXPECT_EQ(Exchange(device, "CO3A2"), (std::vector<std::string>{Cmd("CR"), Cmd("CO3A20001015000000"), Cmd("CF")}));
  EXPECT_EQ(Exchange(device, "CO3A5"), RefusedWith(702));
  EXPECT_EQ(Exchange(device, "CO4A1999"), RefusedWith(704));
}

TEST(ProtocolReads, OneRecordOrTheMemorysRefusal) {
  DeviceProtocol device(SmallRace());
  EXPECT_EQ(Exchange(device, "CO0A3045"),
            (std::vector<std::string>{Cmd("CR"), Cmd("CO0A30451001023400"), Cmd("CF")}));
  EXPECT_EQ(Exchange(device, "CO0A3046"), RefusedWith(702));
  EXPECT_EQ(Exchange(device, "CO111006"), RefusedWith(704));
  EXPECT_EQ(Exchange(device, "CO121005"), RefusedWith(703));  // nothing at all in that memory
  EXPECT_EQ(Exchange(device, "CO0AZ045"), RefusedWith(888));
  EXPECT_EQ(Exchange(device, "CO0A3000"), RefusedWith(803));
}

TEST(ProtocolReads, StopDuringAReadEndsItWithCf) {
  DeviceMemory m;
  FillDemoRace(m);
  DeviceProtocol device(std::move(m));
  device.Receive(Frame(Cmd("CO11")));
  EXPECT_EQ(device.NextFrame(), Frame(Cmd("CR")));
  device.NextFrame();
  device.NextFrame();
  // XOFF, then XON just before the stop, as the terminal's abort does.
  device.Receive(std::string(1, kXoff));
  EXPECT_TRUE(device.Paused());
  device.Receive(std::string(1, kXon) + Frame(Cmd("CS")));
  EXPECT_FALSE(device.Paused());
  EXPECT_EQ(testing::Drain(device), (std::vector<std::string>{Cmd("CF")}));
  // Stop with no read running is answered too.
  EXPECT_EQ(Exchange(device, "CS"), (std::vector<std::string>{Cmd("CF")}));
}

TEST(ProtocolReads, CommandsDuringAReadAreAnsweredAfterItsEnd) {
  DeviceProtocol device(SmallRace());
  device.Receive(Frame(Cmd("CO0A")));
  device.NextFrame();  // CR
  device.Receive(Frame(Cmd("CK0A3007")));
  EXPECT_EQ(testing::Drain(device),
            (std::vector<std::string>{Cmd("CO0A30070959591234"), Cmd("CO0A30451001023400"),
                                      Cmd("CO0AA0021000000000"), Cmd("CF"), Cmd("CR")}));
  EXPECT_EQ(device.Memory().Lines(MemoryKind::Course).size(), 2u);
}

}  // namespace
}  // namespace rx::sim
