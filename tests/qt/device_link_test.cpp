// Reading, editing and sending over a real pseudo-terminal: the Qt port on
// one side, the simulated device (or a far end of the test's) on the other.
#include "shell/exit.h"
#include "sim/demo_race.h"
#include "sim/replies.h"
#include "support/far_end.h"
#include "support/pty_terminal.h"

namespace rx {
namespace {

using sim::MemoryKind;
using testing::OverPty;

// A device that goes away mid-read ends it once with 1009 and the records
// that came are kept; plugged in again under the same port, it is read.
TEST_F(OverPty, ADeviceGoneMidReadLeavesItsRecordsAndIsReadWhenBack) {
  ASSERT_TRUE(StartDevice({}));  // at the line's own pace
  const std::vector<std::string> course = device->Lines(MemoryKind::Course);
  Read(1, 1);
  ASSERT_SOON(form().RecordCount >= 3, 20000);
  device->Stop();
  WaitIdle();
  EXPECT_EQ(form().lblError.caption, "エラー：送信できません（[Esc]：解除）");
  testing::RunFor(300);  // the port's other notifier and the tick have had their say
  EXPECT_EQ(fakes.beeper.beeps, 1);
  Press({Keys::Esc});
  const std::vector<std::string> kept = FileLines();
  EXPECT_EQ(static_cast<int>(kept.size()), form().RecordCount);
  EXPECT_LT(kept.size(), course.size());
  EXPECT_TRUE(std::equal(kept.begin(), kept.end(), course.begin()));

  device = std::make_unique<sim::PtyDevice>(testing::Fast());
  std::string error;
  ASSERT_TRUE(device->Start(&error)) << error;
  portPath = device->SlavePath();
  ToMainMenu();
  Read(3, 1);
  WaitIdle();
  ExpectDone();
  EXPECT_EQ(FileLines(), device->Lines(MemoryKind::FirstRun));
  EXPECT_EQ(fakes.beeper.beeps, 1);
}

// Frames the device sent out of turn: before the terminal's first exchange
// (the port not yet open), and while it sat idle between two. Each would end
// a read at once if taken for its reply.
TEST_F(OverPty, FramesSentOutOfTurnAreNeverTakenForReplies) {
  testing::FarEnd far;
  sim::DeviceMemory memory;
  sim::FillDemoRace(memory);
  const std::string stale = sim::Refused(101) + sim::EndOfData();
  far.Send(stale);
  testing::RunFor(20);
  Connect(far.Path());
  far.Start(testing::AsDevice(std::make_shared<sim::DeviceProtocol>(memory)));
  Read(1, 1);
  WaitIdle();
  ExpectDone();
  EXPECT_EQ(FileLines(), memory.Lines(MemoryKind::Course));

  far.Send(stale);
  testing::RunFor(50);
  ExpectDone();
  ToMainMenu();
  Read(3, 1);
  WaitIdle();
  ExpectDone();
  EXPECT_EQ(FileLines(), memory.Lines(MemoryKind::FirstRun));
  EXPECT_EQ(fakes.beeper.beeps, 0);
}

// Closed while asked whether to stop a read, the terminal lets the device go
// and stops its read: the next start's first reply is its own.
TEST_F(OverPty, AReadAskedAboutAtCloseDoesNotLeakIntoTheNextStart) {
  ASSERT_TRUE(StartDevice({}));  // at the line's own pace
  Read(1, 1);
  ASSERT_SOON(form().RecordCount >= 3, 20000);
  Press({Keys::Esc});
  ASSERT_EQ(form().KeyMode, Mode::AbortConfirm);
  bool unloaded = false;
  Form_Unload(*terminal, [&] { unloaded = true; });
  ASSERT_SOON(unloaded, 20000);
  testing::RunFor(500);  // a start takes longer than the device needs to end a read
  Connect(device->SlavePath());  // the program started again
  Read(3, 1);
  WaitIdle();
  ExpectDone();
  EXPECT_EQ(FileLines(), device->Lines(MemoryKind::FirstRun));
}

// Settings a program killed without its close leaves on the tty are no
// hindrance and come back at the close: the terminal's own framed ones (9600,
// two stop bits, XON/XOFF; a pty keeps 8 data bits and no parity), or a line
// editor's at another speed.
TEST_F(OverPty, SettingsLeftByAKilledProgramAreNoHindranceAndComeBack) {
  ASSERT_TRUE(StartDevice(testing::Fast()));
  auto settings = [&](const std::function<void(termios*)>& change) {
    termios tio{};
    const int fd = open(device->SlavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    EXPECT_EQ(tcgetattr(fd, &tio), 0);
    change(&tio);
    EXPECT_EQ(tcsetattr(fd, TCSANOW, &tio), 0);
    EXPECT_EQ(tcgetattr(fd, &tio), 0);  // as the pty took them
    close(fd);
    return std::tuple(tio.c_iflag, tio.c_oflag, tio.c_cflag, tio.c_lflag);
  };
  for (bool editor : {false, true}) {
    SCOPED_TRACE(editor ? "a line editor's" : "the terminal's own");
    const auto left = settings([editor](termios* tio) {
      if (editor) {
        tio->c_iflag |= ICRNL | ISTRIP | IXON | IXANY;
        tio->c_oflag |= OPOST | ONLCR;
        tio->c_lflag |= ICANON | ECHO | ISIG | IEXTEN;
      } else {
        cfmakeraw(tio);
        tio->c_cflag |= CLOCAL | CREAD | CSTOPB;
        tio->c_iflag |= IGNPAR | IXON | IXOFF | IXANY;
      }
      cfsetspeed(tio, editor ? B1200 : B9600);
    });
    ToMainMenu();
    Read(1, 1);
    WaitIdle();
    ExpectDone();
    EXPECT_EQ(FileLines(), device->Lines(MemoryKind::Course));
    port->Close();
    EXPECT_EQ(settings([](termios*) {}), left);
  }
}

// An edit goes over the line and reads back as the operator sees it; a
// refusal midway through a chain is shown and nothing more is sent.
TEST_F(OverPty, EditsOverTheLine) {
  ASSERT_TRUE(StartDevice(testing::Fast()));
  Press({1, Keys::Enter, 1, Keys::Enter});  // modify a course record
  Type({"1", "5"});
  WaitIdle();
  EXPECT_EQ(form().EditStep, EditStage::NewTime) << form().lblError.caption;
  Type({"110405.5", ""});
  WaitIdle();
  ExpectDone();
  EXPECT_EQ(DeviceLine(MemoryKind::Course, "1005"), "10051104055000");
  Type({"1", "5"});
  WaitIdle();
  EXPECT_EQ(form().lblEditInp[3].caption, "11:04:05.5000");
  EXPECT_EQ(port->AppliedSettings(), "9600,N,8,2");  // framed: two stop bits (a pty keeps 8N)

  ToMainMenu();
  Press({1, Keys::Enter, 2, Keys::Enter});  // add one that is already there
  Type({"1", "5", "1", ""});
  WaitIdle();
  EXPECT_EQ(form().lblError.caption, "エラー：コース内にすでにあります（[Esc]：解除）");
  const std::size_t frames = device->FramesReceived();
  testing::RunFor(100);
  EXPECT_EQ(device->FramesReceived(), frames);
}

}  // namespace
}  // namespace rx
