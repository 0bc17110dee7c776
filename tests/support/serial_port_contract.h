// What every SerialPort keeps, run against the fake and the real port.
//
// A Rig owns a port whose number 1 leads to a line with a far end it plays,
// and whose number 2 leads to no device. It offers:
//   SerialPort& Port();
//   void Send(const std::string&);     bytes from the far end, into the port's input
//   std::string Received();            what reached the far end
//   void Hold(); void LetGo();         the far end's XOFF (reading no more) and XON
//   void Vanish();                     the device goes away
//   bool Until(std::function<bool()>); lets the port's events run until it holds
//   static constexpr std::size_t kMoreThanTheLineTakes;  bytes that outlast a hold
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/serial_port.h"

namespace rx {

template <class Rig>
class SerialPortContract : public ::testing::Test {
 protected:
  void SetUp() override {
    rig.Port().SetReceiveHandler([this](PortEvent event) { ++heard[event]; });
    rig.Port().SetSettings({9600, Parity::None, 8, 1});
    rig.Port().SetPortNumber(1);
    OpenFailure failure;
    ASSERT_TRUE(rig.Port().Open(&failure)) << failure.reason;
  }
  // Everything the port hands over until want has come.
  std::string ReadUntil(const std::string& want) {
    std::string got;
    rig.Until([&] { return (got += rig.Port().ReadAll()).size() >= want.size(); });
    return got;
  }
  // A long write into a held line: some of it stays queued.
  std::string HeldWrite() {
    rig.Hold();
    const std::string bytes(Rig::kMoreThanTheLineTakes, 'x');
    EXPECT_TRUE(rig.Port().Write(bytes));
    EXPECT_GT(rig.Port().OutputQueueCount(), 0);
    return bytes;
  }

  Rig rig;
  std::map<PortEvent, int> heard;
};

TYPED_TEST_SUITE_P(SerialPortContract);

// Open, bytes both ways, input dropped, closed; a missing device says so.
TYPED_TEST_P(SerialPortContract, CarriesBytesBothWaysUntilClosed) {
  SerialPort& port = this->rig.Port();
  EXPECT_TRUE(port.IsOpen());
  EXPECT_TRUE(port.Write("to the device\r\n"));
  EXPECT_TRUE(this->rig.Until([&] { return this->rig.Received() == "to the device\r\n"; }));
  EXPECT_TRUE(this->rig.Until([&] { return port.OutputQueueCount() == 0; }));
  this->rig.Send("\x02" "from it\x03");
  EXPECT_EQ(this->ReadUntil("\x02" "from it\x03"), "\x02" "from it\x03");
  EXPECT_GE(this->heard[PortEvent::Received], 1);

  this->rig.Send("stale");
  port.DiscardInput();
  this->rig.Send("fresh");
  EXPECT_EQ(this->ReadUntil("fresh"), "fresh");

  port.Close();
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(port.OutputQueueCount(), -1);
  EXPECT_FALSE(port.Write("late"));
  EXPECT_EQ(port.ReadAll(), "");
  port.SetPortNumber(2);
  OpenFailure failure;
  EXPECT_FALSE(port.Open(&failure));
  EXPECT_EQ(failure.fault, OpenFault::Missing);
  EXPECT_FALSE(failure.device.empty() || failure.reason.empty());
  EXPECT_EQ(this->heard[PortEvent::LineLost], 0);
}

// A held line keeps what is written queued; XON lets all of it go, and says
// so. Discarded while held, it is never sent; what follows is.
TYPED_TEST_P(SerialPortContract, AHeldLineQueuesUntilXonAndDiscardedOutputIsNeverSent) {
  SerialPort& port = this->rig.Port();
  const std::string bytes = this->HeldWrite();
  this->rig.LetGo();
  EXPECT_TRUE(this->rig.Until([&] { return this->rig.Received().size() == bytes.size(); }));
  EXPECT_TRUE(this->rig.Until([&] { return port.OutputQueueCount() == 0 && this->heard[PortEvent::Written] > 0; }));
  EXPECT_EQ(this->rig.Received(), bytes);

  this->HeldWrite();
  port.DiscardOutput();
  EXPECT_EQ(port.OutputQueueCount(), 0);
  this->rig.LetGo();
  EXPECT_TRUE(port.Write("END"));
  EXPECT_TRUE(this->rig.Until([&] { return this->rig.Received().ends_with("END"); }));
  EXPECT_LT(this->rig.Received().size(), 2 * bytes.size() + 3);
  EXPECT_TRUE(port.IsOpen());
}

// A device gone: a write fails and finds the port closed; the loss is told
// at most once, and only a write that did not say so leaves it to the event.
TYPED_TEST_P(SerialPortContract, AGoneDeviceFailsTheWriteAndClosesThePort) {
  SerialPort& port = this->rig.Port();
  this->HeldWrite();
  this->rig.Vanish();
  EXPECT_TRUE(this->rig.Until([&] { return !port.Write("x"); }));
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(port.OutputQueueCount(), -1);
  EXPECT_LE(this->heard[PortEvent::LineLost], 1);
}

REGISTER_TYPED_TEST_SUITE_P(SerialPortContract, CarriesBytesBothWaysUntilClosed,
                            AHeldLineQueuesUntilXonAndDiscardedOutputIsNeverSent,
                            AGoneDeviceFailsTheWriteAndClosesThePort);

}  // namespace rx
