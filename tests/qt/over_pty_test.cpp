// The terminal over a real pseudo-terminal: the Qt port on one side; on the
// other the simulated device, or a device or printer played by the test.
#include <algorithm>

#include "shell/exit.h"
#include "sim/demo_race.h"
#include "sim/replies.h"
#include "support/far_end.h"
#include "support/pty_terminal.h"

namespace rx {
namespace {

using sim::MemoryKind;
using testing::OverPty;

constexpr const char* kCannotSend = "エラー：送信できません（[Esc]：解除）";

// Frames the device sent out of turn: before the terminal's first exchange
// (the port not yet open), and while it sat idle between two. Each would end
// a read at once if taken for its reply.
TEST_F(OverPty, FramesSentOutOfTurnAreNeverTakenForReplies) {
  testing::FarEnd far;
  sim::DeviceMemory memory;
  sim::FillDemoRace(memory);
  const std::string stale = sim::Refused(101) + sim::EndOfData();
  far.Send(stale);
  testing::RunFor(200);
  Connect(far.Path());
  far.Start(testing::AsDevice(std::make_shared<sim::DeviceProtocol>(memory)));
  Read(1, 1);
  WaitIdle();
  ExpectDone();
  EXPECT_EQ(FileLines(), memory.Lines(MemoryKind::Course));

  far.Send(stale);
  testing::RunFor(300);
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
  testing::RunFor(1000);  // a start takes longer than the device needs to end a read
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
  EXPECT_EQ(port->AppliedSettings(), "9600,N,8,2");  // framed: two stop bits (a pty keeps 8N)
  EXPECT_EQ(DeviceLine(MemoryKind::Course, "1005"), "10051104055000");
  Type({"1", "5"});
  WaitIdle();
  EXPECT_EQ(form().lblEditInp[3].caption, "11:04:05.5000");

  ToMainMenu();
  Press({1, Keys::Enter, 2, Keys::Enter});  // add one that is already there
  Type({"1", "5", "1", ""});
  WaitIdle();
  EXPECT_EQ(form().lblError.caption, "エラー：コース内にすでにあります（[Esc]：解除）");
  const std::size_t frames = device->FramesReceived();
  testing::RunFor(100);
  EXPECT_EQ(device->FramesReceived(), frames);
}

// The serial text output into a printer that holds the line with XOFF.
constexpr const char* kFileName = "FN241433.C08";
// More than the pty takes unread (about 22 KB): the output cannot end before
// the hold takes effect.
constexpr int kRecords = 3000;

class HeldOutput : public testing::OverPty {
 protected:
  void SetUp() override {
    Connect(far.Path());
    form().SerialSend = true;
    form().lblMenu[12].enabled = true;
    std::ofstream out(terminal->dataDirectory / kFileName, std::ios::binary);
    expected = {"RX-710KP DATA", "FILE NAME  : ", std::string(kFileName) + " "};
    for (int i = 0; i < kRecords; ++i) {
      expected.push_back(std::to_string((1 + i / 1000) * 1000 + i % 1000) + std::to_string(1000481234 + i));
      out << expected.back() << "\r\n";
    }
    out.close();
    expected.insert(expected.end(), {"FILE END   : ", std::string(kFileName) + " "});
    far.Start(testing::Holding(released));
    // Sub-menu item 3, the first file, all blocks, confirmed.
    Press({Keys::Clear, 3, Keys::Enter, Keys::Enter, 1, Keys::Enter, Keys::Enter});
    // The output waits for room: more than a line is queued.
    ASSERT_SOON(port->OutputQueueCount() > 100, 10000);
    EXPECT_EQ(port->AppliedSettings(), "9600,N,8,1");
    EXPECT_TRUE(form().lblSendG[4].visible);  // the remaining count shows
  }
  // The printer reads again; everything the line let through arrives: nothing
  // more for 300 ms.
  void Release() {
    released = true;
    for (std::size_t seen = SIZE_MAX, turns = 0; seen != far.Received().size() && turns < 60; ++turns) {
      seen = far.Received().size();
      testing::RunFor(300);
    }
  }
  // The output is over and what arrived is its beginning, without its trailer.
  void ExpectCutShort(Mode mode) {
    EXPECT_EQ(form().KeyMode, mode) << form().lblError.caption;
    EXPECT_EQ(form().RecordCount, 0);
    EXPECT_TRUE(form().Records.empty());
    const std::vector<std::string> lines = far.Lines();
    ASSERT_LT(lines.size(), expected.size() - 2);
    EXPECT_TRUE(std::equal(lines.begin(), lines.end(), expected.begin()));
  }

  std::atomic<bool> released{false};  // before far: its thread reads it to its end
  testing::FarEnd far;
  std::vector<std::string> expected;
};

// While the operator is asked whether to stop, a held line is no error however
// long it lasts; a printer's other bytes do not let it go, only XON does.
class AskedDuringAHold : public HeldOutput, public ::testing::WithParamInterface<int> {};

TEST_P(AskedDuringAHold, OnlyXonLetsTheLineGoAndTheAnswerIsFollowed) {
  Press({Keys::Esc});
  ASSERT_EQ(form().KeyMode, Mode::AbortConfirm);
  ASSERT_NO_FATAL_FAILURE(Release());
  far.Send("\x06");  // the printer's status byte
  testing::RunFor(500);  // far past the 100 ms a held line may take
  EXPECT_EQ(form().KeyMode, Mode::AbortConfirm);
  EXPECT_GT(port->OutputQueueCount(), 100) << "let go by a byte other than XON";
  if (GetParam() == Keys::Enter) {
    Press({Keys::Enter});  // stopped: what waited is dropped
    far.Send(std::string(1, sim::kXon));
    Release();
    ExpectCutShort(Mode::Normal);
  } else {
    // The line takes what waited before the output goes on: a hold still in
    // the pty's hands when the wait counts again could end it with 1009.
    far.Send(std::string(1, sim::kXon));
    ASSERT_SOON(port->OutputQueueCount() == 0, 10000);
    Press({Keys::Esc});
    ASSERT_SOON(Idle() && far.Lines().size() >= expected.size(), 20000);
    EXPECT_EQ(far.Lines(), expected);
    EXPECT_EQ(form().RecordCount, 0);
  }
  EXPECT_EQ(fakes.beeper.beeps, 0);
}

INSTANTIATE_TEST_SUITE_P(StopOrGoOn, AskedDuringAHold, ::testing::Values(Keys::Enter, Keys::Esc),
                         [](const auto& info) { return info.param == Keys::Enter ? "Enter" : "Esc"; });

// A line held too long, or a printer that vanishes while it holds the line
// (with the stop question open or not), ends the output with one 1009.
enum class End { HeldTooLong, Vanished, VanishedWhileAsking };
class EndedBy1009 : public HeldOutput, public ::testing::WithParamInterface<End> {};

TEST_P(EndedBy1009, OnceAndWithTheRemainingCount) {
  if (GetParam() == End::VanishedWhileAsking) Press({Keys::Esc});
  if (GetParam() != End::HeldTooLong) far.Vanish();
  ASSERT_SOON(form().KeyMode == Mode::ErrorShown, 20000);
  EXPECT_EQ(form().lblError.caption, kCannotSend);
  testing::RunFor(300);  // the tick and the port's other notifier have had their say
  EXPECT_EQ(fakes.beeper.beeps, 1);
  if (GetParam() != End::HeldTooLong) {
    EXPECT_FALSE(port->IsOpen());
    return;
  }
  // The printer lets go: what waited behind the hold went with the error,
  // and the remaining count is what never arrived.
  far.Send(std::string(1, sim::kXon));
  released = true;
  const int sent = kRecords - std::stoi(form().lblSendG[4].caption);
  auto arrived = [&] { return std::max(static_cast<int>(far.Lines().size()) - 3, 0); };  // after the header
  ASSERT_SOON(arrived() >= sent, 20000);
  Release();
  ExpectCutShort(Mode::ErrorShown);
  EXPECT_EQ(arrived(), sent);
}

INSTANTIATE_TEST_SUITE_P(Ends, EndedBy1009,
                         ::testing::Values(End::HeldTooLong, End::Vanished, End::VanishedWhileAsking));

}  // namespace
}  // namespace rx
