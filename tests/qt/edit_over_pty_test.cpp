// Editing the simulated device's memories over a real pseudo-terminal and
// reading the change back.
#include "support/pty_terminal.h"

namespace rx {
namespace {

using sim::MemoryKind;

class EditOverPty : public testing::OverPty {
 protected:
  void Type(const std::string& digits) {
    for (char c : digits) Press({c == '.' ? Keys::Point : c - '0'});
  }
  void Enter(const std::string& digits) {
    Type(digits);
    Press({Keys::Enter});
  }
  void WaitIdle() { ASSERT_SOON(Idle(), 10000); }
  // The device's line for a record, "" when it has none.
  std::string DeviceLine(MemoryKind kind, const std::string& key) {
    for (const std::string& line : device->Lines(kind))
      if (line.compare(0, key.size(), key) == 0) return line;
    return "";
  }
};

TEST_F(EditOverPty, ModifiedCourseTimeReadsBack) {
  ASSERT_TRUE(StartDevice(testing::Fast()));
  Press({1, Keys::Enter, 1, Keys::Enter});
  Enter("1");
  Enter("5");
  WaitIdle();
  EXPECT_EQ(form().EditStep, EditStage::NewTime) << form().lblError.caption;
  EXPECT_EQ(form().lblEditInp[3].caption.substr(0, 2), "11");
  Enter("110405.5");
  Press({Keys::Enter});
  WaitIdle();
  EXPECT_EQ(form().KeyMode, Mode::Normal) << form().lblError.caption;
  EXPECT_EQ(DeviceLine(MemoryKind::Course, "1005"), "10051104055000");
  // Read it back on the screen, as the operator would.
  Enter("1");
  Enter("5");
  WaitIdle();
  EXPECT_EQ(form().lblEditInp[3].caption, "11:04:05.5000");
}

TEST_F(EditOverPty, DnfEntryAddedAndDeleted) {
  ASSERT_TRUE(StartDevice(testing::Fast()));
  Press({2, Keys::Enter, 2, Keys::Enter});
  Enter("2");
  Enter("30");
  Press({Keys::Enter});
  WaitIdle();
  EXPECT_EQ(form().KeyMode, Mode::Normal) << form().lblError.caption;
  EXPECT_NE(DeviceLine(MemoryKind::Dnf, "2030"), "");
  Press({Keys::Esc, 3, Keys::Enter});
  Enter("2");
  Enter("30");
  Press({Keys::Enter});
  WaitIdle();
  EXPECT_EQ(DeviceLine(MemoryKind::Dnf, "2030"), "");
}

TEST_F(EditOverPty, RelayTeamsSecondLegAndTotalReadBack) {
  ASSERT_TRUE(StartDevice(testing::Fast()));
  device->SetRelayMode(true);
  Press({6, Keys::Enter, 1, Keys::Enter});
  Enter("1");
  Enter("102");
  WaitIdle();
  ASSERT_EQ(form().EditRow, 3) << form().lblError.caption;
  Press({Keys::Down});
  Enter("2500.5");
  std::string total = form().lblRelayTime[10].caption;
  Press({Keys::Enter, Keys::Enter, Keys::Enter});  // keep leg 3, pass the end marker, send
  WaitIdle();
  EXPECT_EQ(form().KeyMode, Mode::Normal) << form().lblError.caption;
  Enter("1");
  Enter("102");
  WaitIdle();
  EXPECT_EQ(form().lblRelayTime[1].caption, "00:25:00.5000");
  EXPECT_EQ(form().lblRelayTime[10].caption.substr(0, 10), total.substr(0, 10));
}

TEST_F(EditOverPty, RefusalMidChainIsShownAndNothingMoreIsSent) {
  ASSERT_TRUE(StartDevice(testing::Fast()));
  Press({1, Keys::Enter, 2, Keys::Enter});  // add a course record that is already there
  Enter("1");
  Enter("5");
  Enter("1");
  Press({Keys::Enter});
  WaitIdle();
  EXPECT_EQ(form().lblError.caption, "エラー：コース内にすでにあります（[Esc]：解除）");
  std::size_t frames = device->FramesReceived();
  testing::RunFor(100);
  EXPECT_EQ(device->FramesReceived(), frames);
}

}  // namespace
}  // namespace rx
