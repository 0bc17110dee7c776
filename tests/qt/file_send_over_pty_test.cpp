// Sending data files to the simulated device and to a "printer", over a
// real pseudo-terminal.
#include "support/pty_terminal.h"

namespace rx {
namespace {

using sim::MemoryKind;

class SendOverPty : public testing::OverPty {
 protected:
  void WaitIdle() { ASSERT_SOON(Idle(), 15000); }
  void File(const std::string& name, const std::vector<std::string>& lines) {
    std::ofstream out(terminal->dataDirectory / name, std::ios::binary);
    for (const std::string& line : lines) out << line << "\r\n";
  }
};

TEST_F(SendOverPty, AFileReadThenSentBackIntoAnEmptyMemoryReadsTheSame) {
  ASSERT_TRUE(StartDevice(testing::Fast()));
  Read(3, 1);
  WaitIdle();
  const std::string name = form().lblFileName.caption;
  std::vector<std::string> first = FileLines();
  ASSERT_FALSE(first.empty());
  device->EditMemory([](sim::DeviceMemory& memory) {
    for (const std::string& line : memory.Lines(MemoryKind::FirstRun))
      memory.Erase(MemoryKind::FirstRun, line[0], line.substr(1, 3));
  });
  ASSERT_TRUE(device->Lines(MemoryKind::FirstRun).empty());
  Press({Keys::Esc, Keys::Esc, Keys::Esc, 8, Keys::Enter, Keys::Enter, Keys::Enter});
  ASSERT_EQ(form().lblSendName.caption, name);
  Press({Keys::Enter});
  WaitIdle();
  EXPECT_EQ(form().KeyMode, Mode::Normal) << form().lblError.caption;
  EXPECT_EQ(form().Screen, ScreenId::SendRange);
  EXPECT_EQ(device->Lines(MemoryKind::FirstRun), first);
}

TEST_F(SendOverPty, SerialSendReachesThePrinterWithHeaderAndTrailer) {
  ASSERT_TRUE(StartDevice(testing::Fast()));
  form().SerialSend = true;
  form().lblMenu[12].enabled = true;
  File("FN241433.C08", {"10010000481234", "10020000491234"});
  Press({Keys::Clear, 3, Keys::Enter, Keys::Enter, Keys::Enter, Keys::Enter});
  WaitIdle();
  EXPECT_EQ(form().Screen, ScreenId::SubMenu) << form().lblError.caption;
  EXPECT_EQ(port->AppliedSettings(), "9600,N,8,1");
  ASSERT_SOON(device->TextLines().size() == std::size_t{7}, 5000);
  EXPECT_EQ(device->TextLines(),
            std::vector<std::string>({"RX-710KP DATA", "FILE NAME  : ", "FN241433.C08 ", "10010000481234",
                                      "10020000491234", "FILE END   : ", "FN241433.C08 "}));
}

}  // namespace
}  // namespace rx
