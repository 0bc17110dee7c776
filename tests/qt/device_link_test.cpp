// Reading, editing and sending over a real pseudo-terminal: the Qt port on
// one side, the simulated device (or a far end of the test's) on the other.
#include "shell/exit.h"
#include "sim/demo_race.h"
#include "sim/replies.h"
#include "support/far_end.h"
#include "support/pty_terminal.h"

namespace rx {
namespace {

namespace fs = std::filesystem;
using sim::MemoryKind;
using testing::OverPty;

TEST_F(OverPty, OneBlockReadsItsRecordsAndAnEmptyOneLeavesNoFile) {
  ASSERT_TRUE(StartDevice(testing::Fast()));
  Read(3, 2, "2");
  WaitIdle();
  std::vector<std::string> expected;
  for (const std::string& line : device->Lines(MemoryKind::FirstRun))
    if (line[0] == '2') expected.push_back(line);
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(FileLines(), expected);
  ToMainMenu();
  Read(1, 2, "28");
  WaitIdle();
  EXPECT_EQ(form().lblError.caption, "エラー：指定したブロックのデータがありません（[Esc]：解除）");
  EXPECT_FALSE(fs::exists(terminal->dataDirectory / form().lblFileName.caption));
}

// A read ended midway, by the operator or by a device that goes away (the
// parameter), keeps the records that came; a device plugged in again is read.
class ReadCutShort : public OverPty, public ::testing::WithParamInterface<bool> {};

TEST_P(ReadCutShort, KeepsTheRecordsSoFar) {
  ASSERT_TRUE(StartDevice({}));  // at the line's own pace
  const std::vector<std::string> course = device->Lines(MemoryKind::Course);
  Read(1, 1);
  ASSERT_SOON(form().RecordCount >= 3, 20000);
  if (GetParam()) {
    device->Stop();
    WaitIdle();
    EXPECT_EQ(form().lblError.caption, "エラー：送信できません（[Esc]：解除）");
    testing::RunFor(300);  // the port's other notifier and the tick have had their say
    EXPECT_EQ(fakes.beeper.beeps, 1);
    Press({Keys::Esc});
  } else {
    Press({Keys::Esc});
    ASSERT_EQ(form().KeyMode, Mode::AbortConfirm);
    Press({Keys::Enter});
    WaitIdle();
    ExpectDone();
  }
  const std::vector<std::string> kept = FileLines();
  EXPECT_EQ(static_cast<int>(kept.size()), form().RecordCount);
  EXPECT_LT(kept.size(), course.size());
  EXPECT_TRUE(std::equal(kept.begin(), kept.end(), course.begin()));
  if (!GetParam()) return;

  // The adapter is plugged in again; the port number now leads to it.
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

INSTANTIATE_TEST_SUITE_P(By, ReadCutShort, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "DeviceGone" : "Operator"; });

// Frames the device sent out of turn: before the terminal's first exchange
// (the port not yet open), and while it sat idle between two. Each would end
// a read at once if taken for its reply.
TEST_F(OverPty, FramesSentOutOfTurnAreNeverTakenForReplies) {
  testing::FarEnd far;
  ASSERT_TRUE(far.Ready());
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

// Settings a program killed without its close leaves on the tty: the
// terminal's own framed ones (9600, two stop bits, XON/XOFF; a pty keeps
// 8 data bits and no parity), or a line editor's at another speed.
void LeftByAKilledTerminal(termios* tio) {
  cfmakeraw(tio);
  cfsetspeed(tio, B9600);
  tio->c_cflag |= CLOCAL | CREAD | CSTOPB;
  tio->c_iflag |= IGNPAR | IXON | IXOFF | IXANY;
}
void LeftByALineEditor(termios* tio) {
  cfsetspeed(tio, B1200);
  tio->c_iflag |= ICRNL | ISTRIP | IXON | IXANY;
  tio->c_oflag |= OPOST | ONLCR;
  tio->c_lflag |= ICANON | ECHO | ISIG | IEXTEN;
}

class LeftSettings : public OverPty, public ::testing::WithParamInterface<void (*)(termios*)> {
 protected:
  termios Settings(void (*change)(termios*) = nullptr) {
    termios tio{};
    const int fd = open(device->SlavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    EXPECT_EQ(tcgetattr(fd, &tio), 0);
    if (change) change(&tio);
    EXPECT_EQ(tcsetattr(fd, TCSANOW, &tio), 0);
    EXPECT_EQ(tcgetattr(fd, &tio), 0);  // as the pty took them
    close(fd);
    return tio;
  }
};

TEST_P(LeftSettings, AreNoHindranceAndComeBackAtTheClose) {
  ASSERT_TRUE(StartDevice(testing::Fast()));
  const termios left = Settings(GetParam());
  Read(1, 1);
  WaitIdle();
  ExpectDone();
  EXPECT_EQ(FileLines(), device->Lines(MemoryKind::Course));
  port->Close();
  const termios after = Settings();
  EXPECT_EQ(after.c_iflag, left.c_iflag);
  EXPECT_EQ(after.c_oflag, left.c_oflag);
  EXPECT_EQ(after.c_cflag, left.c_cflag);
  EXPECT_EQ(after.c_lflag, left.c_lflag);
}

INSTANTIATE_TEST_SUITE_P(Killed, LeftSettings, ::testing::Values(&LeftByAKilledTerminal, &LeftByALineEditor),
                         [](const auto& info) { return info.index == 0 ? "Terminal" : "LineEditor"; });

// Edits go over the line and read back as the operator sees them.
TEST_F(OverPty, ACourseTimeModifiedReadsBack) {
  ASSERT_TRUE(StartDevice(testing::Fast()));
  Press({1, Keys::Enter, 1, Keys::Enter});
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
}

// A relay team's legs and total go as one burst, without waiting in between.
TEST_F(OverPty, ARelayLegAndItsTotalReadBack) {
  ASSERT_TRUE(StartDevice(testing::Fast()));
  device->SetRelayMode(true);
  Press({6, Keys::Enter, 1, Keys::Enter});
  Type({"1", "102"});
  WaitIdle();
  ASSERT_EQ(form().EditRow, 3) << form().lblError.caption;
  Press({Keys::Down});
  Type({"2500.5"});
  const std::string total = form().lblRelayTime[10].caption;
  Press({Keys::Enter, Keys::Enter, Keys::Enter});  // keep leg 3, pass the end marker, send
  WaitIdle();
  ExpectDone();
  Type({"1", "102"});
  WaitIdle();
  EXPECT_EQ(form().lblRelayTime[1].caption, "00:25:00.5000");
  EXPECT_EQ(form().lblRelayTime[10].caption.substr(0, 10), total.substr(0, 10));
}

TEST_F(OverPty, ARefusalMidChainIsShownAndNothingMoreIsSent) {
  ASSERT_TRUE(StartDevice(testing::Fast()));
  Press({1, Keys::Enter, 2, Keys::Enter});  // add a course record that is already there
  Type({"1", "5", "1", ""});
  WaitIdle();
  EXPECT_EQ(form().lblError.caption, "エラー：コース内にすでにあります（[Esc]：解除）");
  const std::size_t frames = device->FramesReceived();
  testing::RunFor(100);
  EXPECT_EQ(device->FramesReceived(), frames);
}

TEST_F(OverPty, AFileReadThenSentBackIntoAnEmptyMemoryReadsTheSame) {
  ASSERT_TRUE(StartDevice(testing::Fast()));
  Read(3, 1);
  WaitIdle();
  const std::string name = form().lblFileName.caption;
  const std::vector<std::string> first = FileLines();
  ASSERT_FALSE(first.empty());
  device->EditMemory([](sim::DeviceMemory& memory) {
    for (const std::string& line : memory.Lines(MemoryKind::FirstRun))
      memory.Erase(MemoryKind::FirstRun, line[0], line.substr(1, 3));
  });
  Press({Keys::Esc, Keys::Esc, Keys::Esc, 8, Keys::Enter, Keys::Enter, Keys::Enter});
  ASSERT_EQ(form().lblSendName.caption, name);
  Press({Keys::Enter});
  WaitIdle();
  ExpectDone();
  EXPECT_EQ(form().Screen, ScreenId::SendRange);
  EXPECT_EQ(device->Lines(MemoryKind::FirstRun), first);
}

}  // namespace
}  // namespace rx
