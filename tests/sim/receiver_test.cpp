#include <gtest/gtest.h>

#include "sim_test_support.h"

namespace rx::sim {
namespace {

using testing::Cmd;

TEST(Receiving, FramesInPiecesAndSeveralAtOnce) {
  DeviceProtocol device;
  const std::string a = Frame(Cmd("CB")), b = Frame(Cmd("CP0A"));
  device.Receive(a.substr(0, 10));
  EXPECT_EQ(device.FramesReceived(), 0u);
  device.Receive(a.substr(10) + b);
  EXPECT_EQ(device.FramesReceived(), 2u);
  EXPECT_EQ(testing::Drain(device), (std::vector<std::string>{Cmd("CR"), Cmd("CR")}));
}

TEST(Receiving, JunkAndMisshapenFramesAreIgnored) {
  DeviceProtocol device;
  const std::string stx(1, kStx), etx(1, kEtx);
  device.Receive(stx + "CO0A" + etx);                        // short
  device.Receive(stx + Cmd("CO0A") + "XX" + etx);            // long
  device.Receive(stx + "CO0A" + Frame(Cmd("CB")));           // cut short by the next STX
  device.Receive("noise" + etx + stx + std::string(80, 'x'));  // never ends
  EXPECT_EQ(device.FramesReceived(), 1u);
  EXPECT_EQ(testing::Drain(device), (std::vector<std::string>{Cmd("CR")}));
  EXPECT_TRUE(device.TextLines().empty());
}

TEST(Receiving, PlainTextBecomesPrintedLines) {
  DeviceProtocol device;
  std::vector<std::string> printed;
  device.SetTextSink([&](const std::string& line) { printed.push_back(line); });
  device.Receive("RX-710KP DATA\r\nFILE NAME  : \r\nCN200850.C08 \r\n3045000102");
  device.Receive("3400\r\nFILE END   : \r\n");
  const std::vector<std::string> expected = {"RX-710KP DATA", "FILE NAME  : ", "CN200850.C08 ",
                                             "30450001023400", "FILE END   : "};
  EXPECT_EQ(device.TextLines(), expected);
  EXPECT_EQ(printed, expected);
  EXPECT_FALSE(device.HasOutput());  // a printer does not answer
}

TEST(Receiving, FlowControlIsOutOfBandAndStrayXonIsHarmless) {
  DeviceProtocol device;
  const std::string frame = Frame(Cmd("CB"));
  device.Receive(std::string(1, kXon) + frame.substr(0, 5) + kXoff + frame.substr(5));
  EXPECT_TRUE(device.Paused());
  EXPECT_EQ(device.FramesReceived(), 1u);
  device.Receive(std::string(2, kXon));
  EXPECT_FALSE(device.Paused());
  EXPECT_TRUE(device.TextLines().empty());
}

}  // namespace
}  // namespace rx::sim
