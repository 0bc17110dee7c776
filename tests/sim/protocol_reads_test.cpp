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

}  // namespace
}  // namespace rx::sim
