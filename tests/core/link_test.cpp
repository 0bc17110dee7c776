// The serial link: opening the port, cutting frames, and the reply rows of
// the reads.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "shell/input.h"
#include "data/data_file.h"
#include "link/commands.h"
#include "link/device_port.h"
#include "link/error_line.h"
#include "link/port_access.h"
#include "link/port_paths.h"
#include "link/replies.h"
#include "shell/exit.h"
#include "shell/tick.h"
#include "support/console_fixture.h"

namespace rx {
namespace {

namespace fs = std::filesystem;

using testing::Frame;

class Link : public testing::ConsoleTest {
 protected:
  testing::FakeSerialPort& port = tt.fakes.port;
  // What arrives from the device, through the port's notification.
  void Receive(const std::string& bytes) {
    port.input += bytes;
    port.handler(PortEvents::Received);
  }
};

TEST_F(Link, PortSearchTriesTheConfiguredPortThenThreeToSixteen) {
  f.PortNo = 5;
  port.present = {4};
  ASSERT_TRUE(OpenDevicePort(tt.terminal, false));
  EXPECT_EQ(port.attempts, std::vector<int>({5, 3, 4}));
  EXPECT_EQ(f.PortNo, 5);  // found for this exchange only
  port.attempts.clear();
  ASSERT_TRUE(OpenDevicePort(tt.terminal, false));
  EXPECT_EQ(port.attempts.front(), 5);

  port.present.clear();
  port.attempts.clear();
  EXPECT_FALSE(OpenDevicePort(tt.terminal, false));
  EXPECT_EQ(port.attempts.size(), 15u);
  EXPECT_EQ(port.attempts.back(), 16);
  EXPECT_EQ(f.lblError.caption, "エラー：通信できません。USBケーブルの接続を確認してください（[Esc]：解除）");
  EXPECT_TRUE(tt.fakes.messages.shown.empty());  // a missing device: the error alone
}

TEST_F(Link, ADeviceFileThisUserMayNotOpenIsExplainedOncePerRunBeside1002) {
  f.PortNo = 5;
  port.present.clear();
  port.faults[4] = OpenFault::NoPermission;  // refused during the search
  for (int open = 0; open < 2; ++open) {
    EXPECT_FALSE(OpenDevicePort(tt.terminal, false));
    EXPECT_EQ(f.lblError.caption, "エラー：通信できません。USBケーブルの接続を確認してください（[Esc]：解除）");
    ShowError(tt.terminal, -1);
  }
  ASSERT_EQ(tt.fakes.messages.shown.size(), 1u);
  const std::string& told = tt.fakes.messages.shown[0].text;
  EXPECT_NE(told.find(port.DeviceOf(4)), std::string::npos) << told;
  EXPECT_NE(told.find("sudo adduser " + LoginName() + " dialout"), std::string::npos) << told;
}

TEST_F(Link, FramedOpenWritesOneXonTextOpenNothing) {
  port.input = "stale";
  ASSERT_TRUE(OpenDevicePort(tt.terminal, false));
  EXPECT_EQ(port.openedWith.back(), "9600,E,7,2");
  EXPECT_EQ(port.written, "\x11");
  EXPECT_TRUE(port.input.empty());  // pending input is discarded, never dispatched
  port.written.clear();
  ASSERT_TRUE(OpenDevicePort(tt.terminal, true));
  EXPECT_EQ(port.openedWith.back(), "9600,N,8,1");
  EXPECT_EQ(port.written, "");
  EXPECT_EQ(port.closes, 1);  // every open closes the previous one first
}

TEST_F(Link, FailedOpensAreListedWithTheirReasonInDebugMode) {
  f.DebugMode = true;
  f.PortNo = 3;
  port.present = {4};
  ASSERT_TRUE(OpenDevicePort(tt.terminal, false));
  // The configured port is tried again in the search.
  ASSERT_EQ(f.lstDebug.items.size(), 2u);
  EXPECT_EQ(f.lstDebug.items[0], "× COM3 No such file or directory");
  SendCommand(tt.terminal, Body("CO0A"));
  EXPECT_EQ(f.lstDebug.items.back(), "→ " + Frame("CO0A"));
}

TEST(DevicePathForPort, TemplateFixedPathAndTheUsbFallbacks) {
  auto none = [](const std::string&) { return false; };
  EXPECT_EQ(DevicePathForPort(7, "/tmp/ports/COM{n}", none), "/tmp/ports/COM7");
  EXPECT_EQ(DevicePathForPort(12, "/x/{n}/{n}", none), "/x/12/12");
  EXPECT_EQ(DevicePathForPort(4, "/dev/serial/by-id/usb-adapter", none),
            "/dev/serial/by-id/usb-adapter");
  EXPECT_EQ(DevicePathForPort(1, "", none), "/dev/ttyS0");
  EXPECT_EQ(DevicePathForPort(2, "", none), "/dev/ttyS1");
  EXPECT_EQ(DevicePathForPort(0, "", none), "");
  // COM3 is the first USB adapter: a ttyUSB when there is one, else a ttyACM.
  EXPECT_EQ(DevicePathForPort(3, "", none), "/dev/ttyUSB0");
  auto acmOnly = [](const std::string& path) { return path == "/dev/ttyACM1"; };
  EXPECT_EQ(DevicePathForPort(4, "", acmOnly), "/dev/ttyACM1");
  auto both = [](const std::string&) { return true; };
  EXPECT_EQ(DevicePathForPort(4, "", both), "/dev/ttyUSB1");
}

// The frame cutter, watched through the one-record read it feeds.
class FrameCutter : public Link {
 protected:
  void SetUp() override {
    Link::SetUp();
    // Course memory, modify, block 1, bib 1: the record is being read.
    Press({1, Keys::Enter, 1, Keys::Enter, 1, Keys::Enter, 1, Keys::Enter});
    ASSERT_EQ(f.KeyMode, Mode::Busy);
    ASSERT_EQ(f.ExpectReply, ReplyFamily::OneRecord);
  }
  std::string Shown() { return f.lblEditInp[3].caption; }
  std::string Record(const char* time) { return Frame(std::string("CO0A1001") + time); }
};

// Frames in pieces, several in one read, junk around them and tails too long
// for a frame: only whole frames are dispatched, in order.
TEST_F(FrameCutter, OnlyWholeFramesAreDispatchedInOrder) {
  std::string frame = Record("0102034567");
  ReadPortInput(tt.terminal, frame.substr(0, 10));
  EXPECT_EQ(Shown(), "");
  ReadPortInput(tt.terminal, frame.substr(10));
  EXPECT_EQ(Shown(), "01:02:03.4567");
  EXPECT_EQ(f.lblEditInp[4].caption, "10203.4567");

  ReadPortInput(tt.terminal, "xx" + Record("0000000003"));  // junk before STX
  EXPECT_EQ(Shown(), "00:00:00.0003");
  ReadPortInput(tt.terminal, "CO0A1001000000000499  \x03");  // no STX
  ReadPortInput(tt.terminal, "\x02" "CO0A10010000000005\x03");  // too short
  EXPECT_EQ(Shown(), "00:00:00.0003");
  EXPECT_TRUE(f.RxBuffer.empty());

  ReadPortInput(tt.terminal, std::string(30, 'x'));
  EXPECT_EQ(f.RxBuffer.size(), 30u);
  ReadPortInput(tt.terminal, "x");
  EXPECT_TRUE(f.RxBuffer.empty());

  ReadPortInput(tt.terminal, Record("0000000001") + Record("0000000002") + Frame("CF"));
  EXPECT_EQ(Shown(), "00:00:00.0002");
  EXPECT_EQ(f.KeyMode, Mode::Normal);  // the CF came after both records
}

TEST_F(FrameCutter, DeviceRefusalsShowTheirTextAndBlanksClear) {
  ReadPortInput(tt.terminal, Frame("CE   105"));
  EXPECT_EQ(f.lblError.caption, "エラー：１本目がありません（[Esc]：解除）");
  EXPECT_EQ(f.KeyMode, Mode::ErrorShown);
  f.KeyMode = Mode::Busy;
  ReadPortInput(tt.terminal, Frame("CE      "));
  EXPECT_EQ(f.KeyMode, Mode::Normal);
  EXPECT_FALSE(f.lblError.visible);
}

// Rows the screens' tests do not send: the rest of the table.
TEST(Commands, BodiesOfTheTable) {
  RecordFields r{"3", "007", "2", "1234567890  ", ""};
  auto read = [&r](Memory memory) {
    ReadRequest request;
    request.memory = memory;
    request.record = r;
    return BuildReadCommand(request);
  };
  auto edit = [&r](Memory memory, Change change) {
    EditRequest request;
    request.memory = memory;
    request.change = change;
    request.record = r;
    return BuildEditCommand(request);
  };
  EXPECT_EQ(read(Memory::RelayCourse), "CO3A3" + std::string(15, ' '));
  EXPECT_FALSE(read(Memory::Dnf));
  EXPECT_EQ(edit(Memory::SecondRun, Change::Delete), "CK123007" + std::string(12, ' '));
  EXPECT_EQ(edit(Memory::RelayCourse, Change::Modify), "CM3A3   1234567890  ");
  EXPECT_FALSE(edit(Memory::Dnf, Change::Modify));
}

// Reading a whole memory into a file, through the keys and the port.
class ReadIntoFile : public Link {
 protected:
  // Main item, 読込, range item, and for one block its number.
  void Confirm(int item, int range, const std::string& block = "") {
    Press({item, Keys::Enter, 4, Keys::Enter, range, Keys::Enter});
    if (!block.empty()) {
      Type(block);
      Press(Keys::Enter);
    }
  }
  fs::path dir = tt.terminal.dataDirectory;
};

TEST_F(ReadIntoFile, WholeCourseMemory) {
  Confirm(1, 1);
  EXPECT_EQ(f.lblFileName.caption, "CN241433.C08");
  EXPECT_TRUE(f.fraYomikomi.visible);
  EXPECT_EQ(f.KeyMode, Mode::ConfirmPending);
  Press(Keys::Enter);
  EXPECT_EQ(port.written, std::string("\x11") + Frame("CO0A"));
  EXPECT_EQ(f.KeyMode, Mode::Busy);
  EXPECT_EQ(f.lblGuide.caption, "※[Esc]:読込中断");
  EXPECT_EQ(f.lblYomiG[3].caption, "0件");
  Receive(Frame("CR") + Frame("CO0A10010000123400"));
  EXPECT_EQ(f.lblYomiG[3].caption, "1件");
  Receive(Frame("CO0AA0020000123500") + Frame("CF"));
  EXPECT_EQ(Lines("CN241433.C08"), std::vector<std::string>({"10010000123400", "A0020000123500"}));
  EXPECT_EQ(f.KeyMode, Mode::Normal);
  EXPECT_EQ(f.Screen, ScreenId::ReadRange);
  EXPECT_FALSE(f.fraYomikomi.visible);
  EXPECT_FALSE(tt.terminal.dataFile.IsOpen());
  EXPECT_EQ(f.FuncCode, Scope::AllBlocks);  // the range menu keeps the choice
}

TEST_F(ReadIntoFile, BlockNumbersOutsideZeroTo28AreRefusedSilently) {
  Press({1, Keys::Enter, 4, Keys::Enter, 2, Keys::Enter});
  Press(Keys::Enter);  // nothing typed
  EXPECT_EQ(f.Screen, ScreenId::BlockEntry);
  Type("29");
  Press(Keys::Enter);
  EXPECT_EQ(f.Screen, ScreenId::BlockEntry);
  EXPECT_TRUE(f.InputActive);
  Press(Keys::Clear);
  Type("05");
  Press(Keys::Enter);
  EXPECT_EQ(f.lblFileName.caption, "CN241433.508");
  Press({Keys::Esc});
  EXPECT_EQ(f.Screen, ScreenId::ReadRange);
  EXPECT_FALSE(f.fraYomikomi.visible);
  EXPECT_EQ(f.FuncCode, Scope::OneBlock);
  EXPECT_FALSE(fs::exists(dir / "CN241433.508"));
  Press(Keys::Esc);
  EXPECT_EQ(f.Screen, ScreenId::FunctionMenu);
}

TEST_F(ReadIntoFile, AbortKeepsTheRecordsSoFar) {
  Confirm(1, 1);
  Press(Keys::Enter);
  Receive(Frame("CR") + Frame("CO0A10010000123400"));
  port.written.clear();
  Press(Keys::Esc);
  EXPECT_EQ(port.written, "\x13");
  Receive(Frame("CO0A10020000123500"));  // still stored while we ask
  Press(Keys::Enter);
  EXPECT_EQ(port.written, "\x13\x11" + Frame("CS"));
  EXPECT_EQ(f.KeyMode, Mode::Busy);
  Receive(Frame("CF"));
  EXPECT_EQ(Lines("CN241433.C08").size(), 2u);
  EXPECT_EQ(f.KeyMode, Mode::Normal);
}

// A disk that is full, or a data directory gone before the file is made.
TEST_F(ReadIntoFile, AFileThatCannotBeWrittenOrCreatedIsNoSuccess) {
  for (bool full : {true, false}) {
    SCOPED_TRACE(full ? "disk full" : "directory gone");
    fs::create_directories(dir);
    port.written.clear();
    Press({1, Keys::Enter, 4, Keys::Enter, 1, Keys::Enter, Keys::Enter});
    ASSERT_EQ(f.KeyMode, Mode::Busy);
    if (full)
      fs::create_symlink("/dev/full", dir / "CN241433.C08");
    else
      fs::remove_all(dir);
    Receive(Frame("CR") + Frame("CO0A10010000123400"));
    EXPECT_EQ(f.lblError.caption, "エラー：ファイルに書き込めません（[Esc]：解除）");
    EXPECT_EQ(f.RecordCount, 0);
    EXPECT_NE(port.written.find(Frame("CS")), std::string::npos);  // the device is told to stop
    Receive(Frame("CO0A10020000123500") + Frame("CF"));  // late replies change nothing
    EXPECT_EQ(f.KeyMode, Mode::ErrorShown);
    EXPECT_FALSE(fs::exists(fs::symlink_status(dir / "CN241433.C08")));  // no empty file left
    Press({Keys::Esc, Keys::Esc, Keys::Esc});  // back to the main menu
  }
}

// Records that may not be on the disk are no success, whether the read ends
// with the device's end reply or with an error the operator acknowledges. A
// FIFO in the file's place takes the lines and refuses the sync.
TEST_F(ReadIntoFile, AFileWhoseSyncFailsIsNoSuccess) {
  const fs::path file = dir / "CN241433.C08";
  Press({1, Keys::Enter, 4, Keys::Enter});
  for (bool endReply : {true, false}) {
    SCOPED_TRACE(endReply ? "end reply" : "error acknowledged");
    ASSERT_EQ(mkfifo(file.c_str(), 0600), 0);
    const int reader = open(file.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    Press({1, Keys::Enter, Keys::Enter});
    Receive(Frame("CR") + Frame("CO0A10010000123400"));
    if (endReply) {
      Receive(Frame("CF"));
    } else {
      Receive(Frame("CE   830"));
      Press(Keys::Esc);
    }
    EXPECT_EQ(f.lblError.caption, "エラー：ファイルに書き込めません（[Esc]：解除）");
    EXPECT_EQ(f.KeyMode, Mode::ErrorShown);
    Press(Keys::Esc);
    EXPECT_EQ(f.KeyMode, Mode::Normal);
    EXPECT_EQ(f.Screen, ScreenId::ReadRange);
    EXPECT_EQ(f.lblGuide.caption, "※テンキーまたは↑↓で選択して[Enter] （[Esc]:戻り）");
    close(reader);
    fs::remove(file);
  }
}

TEST_F(ReadIntoFile, AnExchangeWaitsForTheOldQueueBusyAndDeafMeanwhile) {
  Confirm(1, 1);
  port.open = true;
  port.outputQueue = 40;  // the last exchange's bytes are still going out
  Press(Keys::Enter);
  EXPECT_EQ(f.KeyMode, Mode::Busy);
  EXPECT_TRUE(port.written.empty());
  Press(Keys::Esc);  // nothing has started that Esc could stop
  Press(2);
  EXPECT_EQ(f.KeyMode, Mode::Busy);
  Receive(Frame("CE   102"));  // a late reply of the exchange before
  EXPECT_FALSE(f.lblError.visible);
  port.outputQueue = 0;
  tt.fakes.events.Advance(10);
  EXPECT_EQ(port.written, std::string("\x11") + Frame("CO0A"));
  Receive(Frame("CR") + Frame("CO0A10010000123400") + Frame("CF"));
  EXPECT_EQ(Lines("CN241433.C08").size(), 1u);
  EXPECT_EQ(f.KeyMode, Mode::Normal);
}

TEST_F(ReadIntoFile, AQueueThatNeverDrainsDelaysTheExchangeOnlyBriefly) {
  Confirm(1, 1);
  port.open = true;
  port.outputQueue = 40;
  Press(Keys::Enter);
  Timer1_Timer(tt.terminal);
  Timer1_Timer(tt.terminal);  // past 100 ms of busy time
  EXPECT_EQ(port.written, std::string("\x11") + Frame("CO0A"));
  EXPECT_FALSE(f.lblError.visible);
}

TEST_F(ReadIntoFile, ClosingMidReadKeepsTheRecordsAndClosesTheFile) {
  Confirm(1, 1);
  Press(Keys::Enter);
  Receive(Frame("CR") + Frame("CO0A10010000123400"));
  Form_Unload(tt.terminal);
  EXPECT_FALSE(tt.terminal.dataFile.IsOpen());
  EXPECT_FALSE(port.open);
  // The device is let go and told to stop, so nothing of this read waits for the next start.
  EXPECT_EQ(port.written.substr(port.written.size() - 23), "\x11" + Frame("CS"));
  EXPECT_EQ(Lines("CN241433.C08"), std::vector<std::string>({"10010000123400"}));
}

}  // namespace
}  // namespace rx
