// What every SerialPort keeps, run against the fake and the real port. A Rig
// owns a port whose number 1 leads to a line whose far end it plays and whose
// number 2 to no device; Send (into the port's input, landed on return),
// Received (at the far end), Hold and LetGo (XOFF and reading no more, XON),
// Vanish, and Until (lets the port's events run until a condition holds).
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/serial_port.h"

namespace rx {

template <class Rig>
struct SerialPortContract : ::testing::Test {
  void SetUp() override {
    port.SetReceiveHandler([this](PortEvent event) { ++heard[event]; });
    port.SetSettings({9600, Parity::None, 8, 1});
    port.SetPortNumber(1);
    ASSERT_TRUE(port.Open(nullptr));
  }
  std::string ReadUntil(std::size_t size) {
    std::string got;
    rig.Until([&] { return (got += port.ReadAll()).size() >= size; });
    return got;
  }
  // A write into a held line longer than the line takes: some stays queued.
  std::string HeldWrite() {
    rig.Hold();
    const std::string bytes(Rig::kMoreThanTheLineTakes, 'x');
    EXPECT_TRUE(port.Write(bytes));
    EXPECT_GT(port.OutputQueueCount(), 0);
    return bytes;
  }
  Rig rig;
  SerialPort& port = rig.Port();
  std::map<PortEvent, int> heard;
};

TYPED_TEST_SUITE_P(SerialPortContract);

// Bytes both ways, input dropped, closed; a missing device says so.
TYPED_TEST_P(SerialPortContract, CarriesBytesBothWaysUntilClosed) {
  SerialPort& line = this->port;
  EXPECT_TRUE(line.IsOpen() && line.Write("to the device\r\n"));
  EXPECT_TRUE(this->rig.Until([&] { return this->rig.Received() == "to the device\r\n" && !line.OutputQueueCount(); }));
  this->rig.Send("\x02" "from it\x03");
  EXPECT_EQ(this->ReadUntil(9), "\x02" "from it\x03");
  EXPECT_GE(this->heard[PortEvent::Received], 1);
  this->rig.Send("stale");
  line.DiscardInput();
  this->rig.Send("fresh");
  EXPECT_EQ(this->ReadUntil(5), "fresh");
  line.Close();
  EXPECT_FALSE(line.IsOpen() || line.Write("late"));
  EXPECT_TRUE(line.OutputQueueCount() == -1 && line.ReadAll().empty());
  line.SetPortNumber(2);
  OpenFailure failure;
  EXPECT_FALSE(line.Open(&failure));
  EXPECT_FALSE(failure.fault != OpenFault::Missing || failure.device.empty() || failure.reason.empty() ||
               this->heard[PortEvent::LineLost]);
}

// A held line keeps what is written until XON, which lets all of it go and
// says so; discarded while held, it is never sent, and what follows is.
TYPED_TEST_P(SerialPortContract, AHeldLineQueuesUntilXonAndDiscardedOutputIsNeverSent) {
  SerialPort& line = this->port;
  const std::string bytes = this->HeldWrite();
  this->rig.LetGo();
  EXPECT_TRUE(this->rig.Until([&] { return !line.OutputQueueCount() && this->heard[PortEvent::Written]; }));
  EXPECT_TRUE(this->rig.Until([&] { return this->rig.Received() == bytes; }));
  this->HeldWrite();
  line.DiscardOutput();
  EXPECT_EQ(line.OutputQueueCount(), 0);
  this->rig.LetGo();
  EXPECT_TRUE(line.Write("END") && this->rig.Until([&] { return this->rig.Received().ends_with("END"); }));
  EXPECT_LT(this->rig.Received().size(), 2 * bytes.size());
}

// A device gone: a write fails and leaves the port closed; the loss is told
// at most once (by the event, when no write said so first).
TYPED_TEST_P(SerialPortContract, AGoneDeviceFailsTheWriteAndClosesThePort) {
  this->HeldWrite();
  this->rig.Vanish();
  EXPECT_TRUE(this->rig.Until([&] { return !this->port.Write("x"); }));
  EXPECT_TRUE(!this->port.IsOpen() && this->port.OutputQueueCount() == -1);
  EXPECT_LE(this->heard[PortEvent::LineLost], 1);
}

REGISTER_TYPED_TEST_SUITE_P(SerialPortContract, CarriesBytesBothWaysUntilClosed,
                            AHeldLineQueuesUntilXonAndDiscardedOutputIsNeverSent,
                            AGoneDeviceFailsTheWriteAndClosesThePort);

}  // namespace rx
