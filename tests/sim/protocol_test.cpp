// The device's side of the protocol: commands in, reply bodies out, and what
// each leaves in the memories.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "sim/fields.h"
#include "sim/protocol.h"
#include "sim/replies.h"

namespace rx::sim {
namespace {

using enum MemoryKind;

DeviceMemory Seeded() {
  DeviceMemory m;
  // Put out of order on purpose: reads come back by block, then bib.
  m.Put(Course, 'A', "002", "1000000000");
  m.Put(Course, '3', "045", "1001023400");
  m.Put(Course, '3', "007", "0959591234");
  m.Put(Dnf, '1', "007", "");
  m.Put(FirstRun, '5', "010", "0000555000");
  m.Put(RelayCourse, '2', "", "1015000000");
  m.PutTeam('1', "101", {{"0025000000", "0026100000"}, "0051100000"});
  return m;
}

struct Case {
  bool relay = false;
  std::vector<const char*> commands;  // all received before any reply is taken
  std::vector<std::string> replies;   // bodies without their trailing blanks
  MemoryKind memory = Course;
  std::optional<std::vector<std::string>> after = std::nullopt;  // none: every memory as seeded
};

class Protocol : public ::testing::TestWithParam<Case> {};

TEST_P(Protocol, RepliesAndTheMemoryAfter) {
  const Case& c = GetParam();
  DeviceProtocol device(Seeded(), c.relay);
  for (const char* command : c.commands) device.Receive(Frame(command));
  std::vector<std::string> replies;
  for (std::string f = device.NextFrame(); !f.empty(); f = device.NextFrame()) {
    ASSERT_EQ(f.size(), kFrameSize);
    std::string body = f.substr(1, kBodySize);
    replies.push_back(body.substr(0, body.find_last_not_of(' ') + 1));
  }
  EXPECT_EQ(replies, c.replies);
  for (MemoryKind kind : kAllMemories) {
    if (c.after && kind != c.memory) continue;
    EXPECT_EQ(device.Memory().Lines(kind), c.after ? *c.after : Seeded().Lines(kind)) << static_cast<int>(kind);
  }
}

// A refusal: the command answered with its error number, every memory kept.
Case No(const char* command, const char* number, bool relay = false) {
  return {.relay = relay, .commands = {command}, .replies = {std::string("CE   ") + number}};
}
// An edit taken, and the lines of its memory after it.
Case Ok(const char* command, MemoryKind memory, std::vector<std::string> after, bool relay = false) {
  return {.relay = relay, .commands = {command}, .replies = {"CR"}, .memory = memory, .after = std::move(after)};
}

// Named by the first command, how many follow and the refusal: one case can be picked by name.
std::string NameOf(const ::testing::TestParamInfo<Case>& info) {
  const Case& c = info.param;
  std::string name = c.commands.front() + (c.commands.size() > 1 ? "_and_" + std::to_string(c.commands.size() - 1) : "");
  if (c.replies.size() == 1 && c.replies[0].starts_with("CE")) name += "_refused_" + c.replies[0].substr(5);
  std::replace(name.begin(), name.end(), ' ', '_');  // the commands' only other character
  return name;
}

INSTANTIATE_TEST_SUITE_P(Reads, Protocol, ::testing::Values(
    Case{.commands = {"CO0A"}, .replies = {"CR", "CO0A30070959591234", "CO0A30451001023400",
                                           "CO0AA0021000000000", "CF"}},
    // No times in the DNF memory: zeros in their place.
    Case{.commands = {"CO2"}, .replies = {"CR", "CO2 10070000000000", "CF"}},
    Case{.commands = {"CO0A3045"}, .replies = {"CR", "CO0A30451001023400", "CF"}},
    Case{.commands = {"CO12"}, .replies = {"CR", "CF"}}, No("CO121005", "703"),  // nothing at all in that memory
    No("CO0A3046", "702"), No("CO111006", "704"), No("CO0AZ045", "888"), No("CO0A3000", "803")), NameOf);

INSTANTIATE_TEST_SUITE_P(Edits, Protocol, ::testing::Values(
    Ok("CM0A30450001029900", Course, {"30070959591234", "30450001029900", "A0021000000000"}),
    Ok("CC0A40070958000000", Course, {"30070959591234", "30451001023400", "40070958000000", "A0021000000000"}),
    // The dual course's add.
    Ok("CC0240070958000000", Course, {"30070959591234", "30451001023400", "40070958000000", "A0021000000000"}),
    Ok("CK0A3045", Course, {"30070959591234", "A0021000000000"}),
    No("CC0A30451001023400", "101"), No("CM0A30460001023400", "501"), No("CC0A30000001023400", "803"),
    No("CC0A30x50001023400", "800"), No("CC0A3   0001023400", "802"), No("CC0A30460001x23400", "801"),
    No("CC0A30462400000000", "804"), No("CC0AU0460001023400", "888"), No("CC0330460001023400", "830"),
    Ok("CC2 2020", Dnf, {"10070000000000", "20200000000000"}), Ok("CK2 1007", Dnf, {}),
    No("CC2 1007", "102"), No("CK2 1008", "706"), No("CM2 1007", "830"),
    Ok("CM115010000059", FirstRun, {"50100000590000"}),
    Ok("CC115011000100123", FirstRun, {"50100000555000", "50110001001230"}), Ok("CK115010", FirstRun, {}),
    No("CC1150100000555000", "103"), No("CM1150110000555000", "704"), No("CC1150120000", "801"),
    No("CM3A2   1016000000", "001")), NameOf);  // the last: a relay selector in alpine/nordic mode

INSTANTIATE_TEST_SUITE_P(Relay, Protocol, ::testing::Values(
    Ok("CM3A2   1016000000", RelayCourse, {"20001016000000"}, true),
    Ok("CC3A3   1100000000", RelayCourse, {"20001015000000", "30001100000000"}, true),
    Ok("CK3A2", RelayCourse, {}, true), No("CC3A2   1100000000", "151", true), No("CM3A4   1100000000", "501", true),
    No("CK2 1007", "002", true),  // an alpine/nordic selector in relay mode
    // A team's write: legs and total without waiting, each answered; "CF" stores the team.
    Case{.relay = true,
         .commands = {"CM4B11010024000", "CM4C11010025000", "CM4D11010020300", "CM4S11011009300", "CF"},
         .replies = {"CR", "CR", "CR", "CR", "CR"}, .memory = RelayResults,
         .after = {{"11010024000000", "11010025000000", "11010020300000", "11011009300000"}}},
    // Loads come leg by leg; the total stores the team.
    Case{.relay = true, .commands = {"CL4B10070025000000", "CL4C10070026000000", "CL4S10070051000000"},
         .replies = {"CR", "CR", "CR"}, .memory = RelayResults,
         .after = {{"10070025000000", "10070026000000", "10070051000000", "11010025000000",
                    "11010026100000", "11010051100000"}}},
    Case{.relay = true, .commands = {"CL4B10200025000000", "CL4D10200025000000"},  // leg C skipped
         .replies = {"CR", "CE   805"}},
    No("CL4B11010025000000", "103", true), No("CL3A2000101500", "151", true),
    No("CL0AC0451234567890", "002", true)), NameOf);

}  // namespace
}  // namespace rx::sim
