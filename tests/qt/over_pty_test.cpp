// The terminal over a real pseudo-terminal: the Qt port, clock and event loop
// on one side; on the other the simulated device, or a device or printer
// played by the test; the rest are fakes.
#include <fcntl.h>
#include <sys/stat.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>

#include "console/dispatcher.h"
#include "platform/qt/qt_serial_port.h"
#include "platform/qt/qt_services.h"
#include "shell/startup.h"
#include "shell/tick.h"
#include "sim/demo_race.h"
#include "sim/pty_device.h"
#include "sim/replies.h"
#include "support/event_wait.h"
#include "support/fake_platform.h"
#include "support/far_end.h"
#include "support/serial_port_contract.h"

namespace rx {
namespace {

using sim::MemoryKind;

struct OverPty : ::testing::Test {
  // A terminal as the program starts it, whose every port number leads to path.
  void Connect(const std::string& path) {
    port = std::make_unique<QtSerialPort>([path](int) { return path; });
    Platform services{fakes.settings, clock, fakes.messages, fakes.beeper, events, fakes.desktop, fakes.instance,
                      *port, fakes.printer, fakes.launcher, fakes.power};
    terminal = std::make_unique<Terminal>(services, data.path().toStdString() + "/RX-710");
    ASSERT_TRUE(Form_Load(*terminal));
    QObject::connect(&tick, &QTimer::timeout, [this] { Timer1_Timer(*terminal); });
    tick.start(100);
  }
  // The simulated device, fast, on a pty of its own.
  bool StartDevice() {
    sim::Options options;
    device = std::make_unique<sim::PtyDevice>((options.fast = true, options));
    std::string error;
    if (!device->Start(&error)) return false;
    Connect(device->SlavePath());
    return true;
  }
  void Press(std::initializer_list<int> keys) { for (int key : keys) lblKey_Click(*terminal, key); }
  // Entries of digits and points, each followed by Enter ("" for Enter alone);
  // then the exchange they start is waited for.
  void Type(std::initializer_list<std::string> entries) {
    for (const std::string& entry : entries)
      for (char c : entry + "\n") Press({c == '.' ? Keys::Point : c == '\n' ? Keys::Enter : c - '0'});
    WaitIdle();
  }
  // Back to the main menu from wherever an exchange ended.
  void ToMainMenu() {
    for (int i = 0; i < 5 && form().Screen != ScreenId::MainMenu; ++i) Press({Keys::Esc});
    ASSERT_EQ(form().Screen, ScreenId::MainMenu);
  }
  bool Idle() { return form().KeyMode != Mode::Busy && form().KeyMode != Mode::AbortConfirm; }
  void WaitIdle() { ASSERT_SOON(Idle(), 20000); }
  void ExpectDone() { EXPECT_EQ(form().KeyMode, Mode::Normal) << form().lblError.caption; }
  // A read (main item, 読込, all blocks, confirmed) ends well and its file holds these lines.
  void ReadAll(int item, const std::vector<std::string>& lines) {
    Press({item, Keys::Enter, 4, Keys::Enter, 1, Keys::Enter, Keys::Enter});
    WaitIdle();
    ExpectDone();
    EXPECT_EQ(FileLines(), lines);
  }
  std::vector<std::string> FileLines() {
    std::string rest;
    const auto lines = testing::CrLfLines(testing::ContentOf(terminal->dataDirectory / form().lblFileName.caption), &rest);
    EXPECT_EQ(rest, "");
    return lines;
  }
  Form& form() { return terminal->form; }

  QTemporaryDir data;
  testing::FakePlatform fakes;
  QtClock clock;
  QtEventLoop events;
  std::unique_ptr<sim::PtyDevice> device;
  std::unique_ptr<QtSerialPort> port;
  std::unique_ptr<Terminal> terminal;
  QTimer tick;  // first to go: it calls into the terminal
};

// The real port on a pty whose far end the test plays; number 2 leads to no file.
struct PtyLine {
  PtyLine() { far.Start([this](testing::FarEnd& end, const std::string&) { while (held && !end.Stopping()) usleep(2000); }); }
  SerialPort& Port() { return port; }
  // Bytes from the far end, waiting in the port's input before this returns.
  void Send(const std::string& bytes) { far.Send(bytes), far.Landed(bytes.size()); }
  std::string Received() const { return far.Received(); }
  void Hold() { held = true, far.Send(std::string(1, sim::kXoff)); }
  void LetGo() { held = false, far.Send(std::string(1, sim::kXon)); }
  void Vanish() { far.Vanish(); }
  bool Until(const std::function<bool()>& ready) { return testing::Eventually(ready, 20000); }
  static constexpr std::size_t kMoreThanTheLineTakes = 256 * 1024;  // a pty takes about 22 KB

  QTemporaryDir dir;
  std::atomic<bool> held{false};  // before far: its thread reads it to its end
  testing::FarEnd far;
  QtSerialPort port{[this](int n) { return n == 1 ? far.Path() : dir.filePath("none").toStdString(); }};
};
INSTANTIATE_TYPED_TEST_SUITE_P(Pty, SerialPortContract, PtyLine);

// Only a character device is a port: anything else is named for what it is
// (never a want of permission); a name that is not UTF-8 is found too.
TEST(QtSerialPortOpen, AnythingButACharacterDeviceIsNamedForWhatItIs) {
  QTemporaryDir dir;
  const std::string at = dir.path().toStdString() + "/";
  ASSERT_EQ(mkfifo((at + "fifo").c_str(), 0600) | symlink("/dev/null", (at + "\xfe").c_str()), 0);
  const std::tuple<std::string, OpenFault, std::string> cases[] = {  // each kind's name: program_start
      {"fifo", OpenFault::Other, "not a serial device but a named pipe (FIFO)"},
      {"none", OpenFault::Missing, "No such file or directory"},
      {"\xfe", OpenFault::Other, ""}};  // /dev/null: found, and no terminal
  for (const auto& [name, fault, reason] : cases) {
    QtSerialPort port([&](int) { return at + name; });
    port.SetSettings(kFramedLine);
    OpenFailure failure;
    EXPECT_FALSE(port.Open(&failure));
    EXPECT_EQ(failure.fault, fault) << name << ": " << failure.reason;
    if (!reason.empty()) { EXPECT_EQ(failure.reason, at + name + ": " + reason); }
  }
}

// The simulated device at the line's own pace holds its replies while XOFF
// holds the line, and loses none of them at XON.
TEST(PtyDevice, XoffHoldsTheRepliesUntilXon) {
  sim::PtyDevice device(sim::Options{.demoData = false});
  sim::DeviceMemory memory;
  for (int bib = 100; bib < 150; ++bib) memory.Put(MemoryKind::Course, '1', std::to_string(bib), "1000000000");
  device.EditMemory([&](sim::DeviceMemory& m) { m = memory; });
  sim::DeviceProtocol protocol(memory);  // what it has to say to the read, about 1.3 s at the line's pace
  protocol.Receive(sim::Frame("CO0A"));
  std::string all, got, error;
  for (std::string f = protocol.NextFrame(); !f.empty(); f = protocol.NextFrame()) all += f;
  ASSERT_TRUE(device.Start(&error)) << error;
  QtSerialPort line([&](int) { return device.SlavePath(); });
  line.SetSettings({9600, Parity::None, 8, 1});
  ASSERT_TRUE(line.Open(nullptr));
  auto read = [&](std::size_t size, int ms) {
    return testing::Eventually([&] { return (got += line.ReadAll()).size() >= size; }, ms);
  };
  ASSERT_TRUE(line.Write(std::string(1, sim::kXon) + sim::Frame("CO0A")) && read(sim::kFrameSize, 20000));
  ASSERT_TRUE(line.Write(std::string(1, sim::kXoff)));
  for (std::size_t seen = 0; seen != got.size();) seen = got.size(), read(SIZE_MAX, 300);  // what was on its way
  EXPECT_LT(got.size(), all.size() / 2);
  ASSERT_TRUE(line.Write(std::string(1, sim::kXon)));
  read(all.size(), 20000);
  EXPECT_EQ(sim::Visible(got), sim::Visible(all));
}

// Frames the device sent before the port opened, or while the terminal sat
// idle: each would end a read at once if taken for its reply.
TEST_F(OverPty, FramesSentOutOfTurnAreNeverTakenForReplies) {
  testing::FarEnd far;
  sim::DeviceMemory memory;
  sim::FillDemoRace(memory);
  const std::string stale = sim::Refused(101) + sim::EndOfData();
  far.Send(stale);
  ASSERT_TRUE(far.Landed(stale.size()));  // before the port opens
  Connect(far.Path());
  far.Start(testing::AsDevice(std::make_shared<sim::DeviceProtocol>(memory)));
  ReadAll(1, memory.Lines(MemoryKind::Course));

  far.Send(stale);
  ASSERT_TRUE(far.Landed(stale.size()));
  ASSERT_SOON(far.Unread() == 0, 10000);  // taken by the idle terminal
  ExpectDone();
  ToMainMenu();
  ReadAll(3, memory.Lines(MemoryKind::FirstRun));
  EXPECT_EQ(fakes.beeper.beeps, 0);
}

// An edit goes over the line framed and reads back as the operator sees it.
// Settings a killed program left on the tty (the terminal's own framed ones,
// or a line editor's) are no hindrance and come back at the close.
TEST_F(OverPty, EditsOverTheLineAndSettingsLeftOnTheTtyComeBack) {
  ASSERT_TRUE(StartDevice());
  Press({1, Keys::Enter, 1, Keys::Enter});  // modify a course record
  Type({"1", "5"});
  EXPECT_EQ(form().EditStep, EditStage::NewTime) << form().lblError.caption;
  Type({"110405.5", ""});
  ExpectDone();
  EXPECT_EQ(testing::LineText(port->AppliedSettings()), "9600,N,8,2");  // framed: two stop bits (a pty keeps 8N)
  const std::vector<std::string> course = device->Lines(MemoryKind::Course);
  EXPECT_EQ(std::count(course.begin(), course.end(), "10051104055000"), 1);
  Type({"1", "5"});
  EXPECT_EQ(form().lblEditInp[EditField::DeviceTime].caption, "11:04:05.5000");

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
    port->Close();
    const auto left = settings([editor](termios* tio) {
      if (editor)
        tio->c_iflag |= ICRNL | ISTRIP | IXON | IXANY, tio->c_oflag |= OPOST | ONLCR,
            tio->c_lflag |= ICANON | ECHO | ISIG | IEXTEN;
      else
        cfmakeraw(tio), tio->c_cflag |= CLOCAL | CREAD | CSTOPB, tio->c_iflag |= IGNPAR | IXON | IXOFF | IXANY;
      cfsetspeed(tio, editor ? B1200 : B9600);
    });
    ToMainMenu();
    ReadAll(1, course);
    port->Close();
    EXPECT_EQ(settings([](termios*) {}), left);
  }
}

// The serial text output into a printer holding the line with XOFF; more than
// the pty takes unread (about 22 KB), so the output cannot end before the hold.
constexpr const char* kFileName = "FN241433.C08";
constexpr int kRecords = 3000;

struct HeldOutput : OverPty {
  void SetUp() override {
    Connect(far.Path());
    form().SerialSend = true;
    form().lblMenu[Index(MenuItemId::SerialSend)].enabled = true;
    expected = testing::WriteRecordFile(terminal->dataDirectory / kFileName, kRecords);
    expected.insert(expected.begin(), {"RX-710KP DATA", "FILE NAME  : ", std::string(kFileName) + " "});
    expected.insert(expected.end(), {"FILE END   : ", std::string(kFileName) + " "});
    far.Start(testing::Holding(released));
    Press({Keys::Clear, 3, Keys::Enter, Keys::Enter, 1, Keys::Enter, Keys::Enter});
    ASSERT_SOON(port->OutputQueueCount() > 100, 10000);
    EXPECT_EQ(testing::LineText(port->AppliedSettings()), "9600,N,8,1");
    EXPECT_TRUE(form().lblSendG[SendLine::Count].visible);  // the remaining count shows
  }
  // The printer reads again until nothing more arrives for 300 ms.
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
    EXPECT_TRUE(form().Records.empty());
    const std::vector<std::string> lines = far.Lines();
    ASSERT_LT(lines.size(), expected.size() - 2);
    EXPECT_TRUE(std::equal(lines.begin(), lines.end(), expected.begin()));
  }

  std::atomic<bool> released{false};  // before far: its thread reads it to its end
  testing::FarEnd far;
  std::vector<std::string> expected;
};

// While the stop question is open a held line is no error; only XON lets it go.
class AskedDuringAHold : public HeldOutput, public ::testing::WithParamInterface<int> {};

TEST_P(AskedDuringAHold, OnlyXonLetsTheLineGoAndTheAnswerIsFollowed) {
  Press({Keys::Esc});
  ASSERT_EQ(form().KeyMode, Mode::AbortConfirm);
  ASSERT_NO_FATAL_FAILURE(Release());
  far.Send("\x06");  // the printer's status byte
  EXPECT_TRUE(far.Landed(1) && far.Held()) << "let go by a byte other than XON";
  for (int n = 0; n < 5; ++n) Timer1_Timer(*terminal);  // past the wait a held line may take
  EXPECT_EQ(form().KeyMode, Mode::AbortConfirm);
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
    EXPECT_TRUE(form().Records.empty());
  }
  EXPECT_EQ(fakes.beeper.beeps, 0);
}

INSTANTIATE_TEST_SUITE_P(StopOrGoOn, AskedDuringAHold, ::testing::Values(Keys::Enter, Keys::Esc),
                         [](const auto& p) { return p.param == Keys::Enter ? "Enter" : "Esc"; });

// A line held too long, or a printer vanishing while it holds the line (asked
// to stop or not), ends the output with one 1009.
enum class End { HeldTooLong, Vanished, VanishedWhileAsking };
class EndedBy1009 : public HeldOutput, public ::testing::WithParamInterface<End> {};

TEST_P(EndedBy1009, OnceAndWithTheRemainingCount) {
  if (GetParam() == End::VanishedWhileAsking) Press({Keys::Esc});
  if (GetParam() != End::HeldTooLong) far.Vanish();
  ASSERT_SOON(form().KeyMode == Mode::ErrorShown, 20000);
  EXPECT_EQ(form().lblError.caption, "エラー：送信できません（[Esc]：解除）");
  for (int n = 0; n < 5; ++n) Timer1_Timer(*terminal);
  QCoreApplication::processEvents();  // whatever else the port had ready
  EXPECT_EQ(fakes.beeper.beeps, 1);
  if (GetParam() != End::HeldTooLong) { EXPECT_FALSE(port->IsOpen()); return; }
  // Let go: what waited went with the error; the remaining count never arrived.
  far.Send(std::string(1, sim::kXon));
  released = true;
  const int sent = kRecords - std::stoi(form().lblSendG[SendLine::Count].caption);
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
