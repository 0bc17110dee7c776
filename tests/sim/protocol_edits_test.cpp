#include <gtest/gtest.h>

#include "sim_test_support.h"

namespace rx::sim {
namespace {

using testing::Cmd;
using testing::Exchange;
using testing::kAccepted;
using testing::RefusedWith;

DeviceMemory Seeded() {
  DeviceMemory m;
  m.Put(MemoryKind::Course, 'C', "045", "0001023400");
  m.Put(MemoryKind::Dnf, '1', "007", "");
  m.Put(MemoryKind::FirstRun, '5', "010", "0000555000");
  m.Put(MemoryKind::SecondRun, '5', "010", "0000565000");
  m.Put(MemoryKind::RelayCourse, '2', "", "1015000000");
  m.PutTeam('1', "101", {{"0025000000", "0026100000"}, "0051100000"});
  return m;
}

struct EditCase {
  const char* command;
  int error;  // 0: accepted
  MemoryKind memory;
  std::vector<std::string> linesAfter;  // the whole memory after the command
};

class ProtocolEdits : public ::testing::TestWithParam<EditCase> {};

TEST_P(ProtocolEdits, AcceptsAndChangesOrRefusesAndKeeps) {
  const EditCase& c = GetParam();
  DeviceProtocol device(Seeded(), IsRelayMemory(c.memory));
  EXPECT_EQ(Exchange(device, c.command), c.error ? RefusedWith(c.error) : kAccepted);
  EXPECT_EQ(device.Memory().Lines(c.memory), c.linesAfter);
}

const std::vector<std::string> kCourse = {"C0450001023400"};
const std::vector<std::string> kDnf = {"10070000000000"};
const std::vector<std::string> kFirst = {"50100000555000"};

INSTANTIATE_TEST_SUITE_P(
    Course, ProtocolEdits,
    ::testing::Values(
        EditCase{"CM0AC0450001029900  ", 0, MemoryKind::Course, {"C0450001029900"}},
        EditCase{"CC0A30070958000000  ", 0, MemoryKind::Course, {"30070958000000", "C0450001023400"}},
        EditCase{"CC0230070958000000  ", 0, MemoryKind::Course, {"30070958000000", "C0450001023400"}},
        EditCase{"CK0AC045", 0, MemoryKind::Course, {}},
        EditCase{"CC0AC0450001023400  ", 101, MemoryKind::Course, kCourse},
        EditCase{"CM0AC0460001023400  ", 501, MemoryKind::Course, kCourse},
        EditCase{"CK0AC046", 501, MemoryKind::Course, kCourse},
        EditCase{"CC0AC0000001023400  ", 803, MemoryKind::Course, kCourse},
        EditCase{"CC0AC0x50001023400  ", 800, MemoryKind::Course, kCourse},
        EditCase{"CC0AC   0001023400  ", 802, MemoryKind::Course, kCourse},
        EditCase{"CC0AC0460001x23400  ", 801, MemoryKind::Course, kCourse},
        EditCase{"CC0AC0462400000000  ", 804, MemoryKind::Course, kCourse},
        EditCase{"CC0AC0460060000000  ", 804, MemoryKind::Course, kCourse},
        EditCase{"CC0AU0460001023400  ", 888, MemoryKind::Course, kCourse},
        EditCase{"CC03C0460001023400  ", 830, MemoryKind::Course, kCourse}));

INSTANTIATE_TEST_SUITE_P(
    DnfAndResults, ProtocolEdits,
    ::testing::Values(
        EditCase{"CC2 2020", 0, MemoryKind::Dnf, {"10070000000000", "20200000000000"}},
        EditCase{"CK2 1007", 0, MemoryKind::Dnf, {}},
        EditCase{"CC2 1007", 102, MemoryKind::Dnf, kDnf},
        EditCase{"CK2 1008", 706, MemoryKind::Dnf, kDnf},
        EditCase{"CM2 1007", 830, MemoryKind::Dnf, kDnf},
        EditCase{"CM115010000059  ", 0, MemoryKind::FirstRun, {"50100000590000"}},
        EditCase{"CC115011000100123   ", 0, MemoryKind::FirstRun, {"50100000555000", "50110001001230"}},
        EditCase{"CK115010", 0, MemoryKind::FirstRun, {}},
        EditCase{"CC1150100000555000  ", 103, MemoryKind::FirstRun, kFirst},
        EditCase{"CM1150110000555000  ", 704, MemoryKind::FirstRun, kFirst},
        EditCase{"CK125011", 704, MemoryKind::SecondRun, {"50100000565000"}},
        EditCase{"CC1150120000  ", 801, MemoryKind::FirstRun, kFirst},
        // Relay selectors in alpine/nordic mode are refused with 1.
        EditCase{"CM3A2   1016000000  ", 1, MemoryKind::Course, kCourse}));

INSTANTIATE_TEST_SUITE_P(
    RelayCourse, ProtocolEdits,
    ::testing::Values(
        EditCase{"CM3A2   1016000000  ", 0, MemoryKind::RelayCourse, {"20001016000000"}},
        EditCase{"CC3A3   1100000000  ", 0, MemoryKind::RelayCourse, {"20001015000000", "30001100000000"}},
        EditCase{"CK3A2", 0, MemoryKind::RelayCourse, {}},
        EditCase{"CC3A2   1100000000  ", 151, MemoryKind::RelayCourse, {"20001015000000"}},
        EditCase{"CM3A4   1100000000  ", 501, MemoryKind::RelayCourse, {"20001015000000"}},
        // Alpine/nordic selectors in relay mode are refused with 2.
        EditCase{"CK2 1007", 2, MemoryKind::RelayCourse, {"20001015000000"}}));

// The relay result write: legs and total without waiting, one answer at "CF".
class RelayBurstWrite : public ::testing::Test {
 protected:
  std::vector<std::string> Burst(const std::vector<const char*>& commands) {
    for (const char* c : commands) device.Receive(Frame(Cmd(c)));
    return testing::Drain(device);
  }
  std::vector<std::string> Team() { return device.Memory().Lines(MemoryKind::RelayResults); }

  DeviceProtocol device{Seeded(), true};
  const std::vector<std::string> before = {"11010025000000", "11010026100000", "11010051100000"};
};

TEST_F(RelayBurstWrite, ReplacesTheTeamAndAnswersOnceAtCf) {
  EXPECT_TRUE(Burst({"CM4B11010024000", "CM4C11010025000", "CM4D11010020300"}).empty());
  EXPECT_EQ(Burst({"CM4S11011009300", "CF"}), kAccepted);
  EXPECT_EQ(Team(), (std::vector<std::string>{"11010024000000", "11010025000000", "11010020300000",
                                               "11011009300000"}));
}

}  // namespace
}  // namespace rx::sim
