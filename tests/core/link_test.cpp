// The serial link: opening the port, cutting frames, reading a memory into
// a file, the error line and the texts of the device's refusals.
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>

#include "link/commands.h"
#include "link/device_port.h"
#include "link/error_line.h"
#include "link/error_text.h"
#include "link/port_access.h"
#include "link/port_paths.h"
#include "shell/input.h"
#include "shell/tick.h"
#include "support/console_fixture.h"
#include "support/serial_port_contract.h"

namespace rx {
namespace {

namespace fs = std::filesystem;

using testing::Frame;

struct Link : testing::ConsoleTest {
  testing::FakeSerialPort& port = tt.fakes.port;
};

// The configured port first, then 3 to 16; a device file this user may not
// open is explained once a run, beside 1002. A framed open writes XON, a text
// open nothing; debug mode lists the traffic.
TEST_F(Link, OpeningThePort) {
  f.DebugMode = true;
  f.PortNo = 5;
  port.present = {4};
  port.input = "stale";
  ASSERT_TRUE(OpenDevicePort(tt.terminal, LineMode::Framed));
  EXPECT_TRUE(port.attempts == std::vector<int>({5, 3, 4}) && f.PortNo == 5);  // PortNo: found for this exchange only
  EXPECT_TRUE(testing::LineText(port.openedWith.back()) == "9600,E,7,2" && port.written == "\x11");
  EXPECT_TRUE(port.input.empty());  // pending input is discarded, never dispatched
  EXPECT_EQ(f.lstDebug.items[0], "× COM5 No such file or directory");  // the traffic: in the walks
  port.written.clear();
  ASSERT_TRUE(OpenDevicePort(tt.terminal, LineMode::Text));
  EXPECT_TRUE(testing::LineText(port.openedWith.back()) == "9600,N,8,1" && port.written.empty());
  EXPECT_EQ(port.closes, 1);  // every open closes the previous one first
  port.present.clear();
  port.faults[4] = OpenFault::NoPermission;
  for (int open = 0; open < 2; ++open) {
    port.attempts.clear();
    EXPECT_FALSE(OpenDevicePort(tt.terminal, LineMode::Framed));
    EXPECT_TRUE(port.attempts.size() == 15u && port.attempts.back() == 16);
    EXPECT_EQ(f.lblError.caption, "エラー：通信できません。USBケーブルの接続を確認してください（[Esc]：解除）");
    ShowError(tt.terminal, -1);
  }
  ASSERT_EQ(tt.fakes.messages.shown.size(), 1u);
  const std::string& told = tt.fakes.messages.shown[0].text;
  EXPECT_NE(told.find(port.DeviceOf(4)), std::string::npos) << told;
  EXPECT_NE(told.find("sudo adduser " + LoginName() + " dialout"), std::string::npos) << told;
}

// COM1, COM2 on the board, COM3 on the first USB adapter (ACM when that is there).
TEST(PortPaths, ByNumberOrTemplate) {
  auto exists = [](const std::string& path) { return path == "/dev/ttyACM1"; };
  for (auto [n, path] : {std::pair<int, std::string>{1, "/dev/ttyS0"}, {2, "/dev/ttyS1"}, {3, "/dev/ttyUSB0"}, {4, "/dev/ttyACM1"}, {0, ""}})
    EXPECT_EQ(DevicePathForPort(n, "", exists), path) << n;
  EXPECT_EQ(DevicePathForPort(7, "/p/COM{n}-{n}", exists), "/p/COM7-7");
}

// --list-ports names what each file is and never advises joining a group of
// the system's powers; paths are bytes, shown safe and quoted in commands;
// the account is the real user id's, whatever USER says.
TEST(ListPorts, NamesWhatEachFileIsAndNeverAdvisesJoiningRoot) {
  const std::string dir = "/p q\x1b\xfe/";
  auto device = [](std::string g, unsigned mode) { return DeviceFile{.exists = true, .owner = "root", .group = g, .mode = mode}; };
  std::map<std::string, DeviceFile> files = {
      {dir + "1", {.exists = true, .kind = FileKind::Directory}}, {dir + "2", device("root", 0660)},
      {dir + "3", device("dialout", 0660)}, {dir + "4", device("wheel", 0600)}, {dir + "5", {.problem = "Permission denied"}}};
  const std::string listing = ListPorts(4, dir + "{n}", "u", [&](const std::string& path) {
    return files.count(path) ? files[path] : DeviceFile{};
  });
  std::string expected =  // @ for the folder as shown
      "Serial ports (* the configured port, PortNo=4):\n"
      "  COM1    @1: present, but a directory, not a serial device\n"
      "  COM2    @2: present, you may NOT read and write it (owner root, group root, mode rw-rw----)\n"
      "          its group root lets no ordinary user in: a udev rule giving it to group dialout, or sudo "
      "chgrp dialout '@2'; then sudo adduser u dialout and log in again\n"
      "  COM3    @3: present, you may NOT read and write it (owner root, group dialout, mode rw-rw----)\n"
      "          group dialout may use it: sudo adduser u dialout, then log in again\n"
      "* COM4    @4: present, you may NOT read and write it (owner root, group wheel, mode rw-------)\n"
      "          only its owner may use it: sudo chgrp dialout '@4' && sudo chmod g+rw '@4', then sudo "
      "adduser u dialout and log in again\n"
      "  COM5    @5: cannot be looked at (Permission denied)\n"
      "  COM6    @6: missing\n";
  for (std::size_t at; (at = expected.find('@')) != std::string::npos;) expected.replace(at, 1, "/p q\\x1b\xfe/");
  EXPECT_EQ(listing.substr(0, expected.size()), expected);
  const passwd* real = getpwuid(getuid());
  const std::string account = real ? real->pw_name : std::to_string(getuid());
  setenv("USER", ("not-" + account).c_str(), 1);
  EXPECT_EQ(LoginName(), account);
}

// Only whole frames are dispatched, in order, whatever pieces and junk they
// come in; watched through the one-record read of course memory, block 1, bib 1.
TEST_F(Link, OnlyWholeFramesAreDispatchedInOrder) {
  Press({1, Keys::Enter, 1, Keys::Enter, 1, Keys::Enter, 1, Keys::Enter});
  auto record = [](const char* time) { return Frame(std::string("CO0A1001") + time); };
  std::string frame = record("0102034567");
  ReadPortInput(tt.terminal, frame.substr(0, 10));
  EXPECT_EQ(f.lblEditInp[EditField::DeviceTime].caption, "");
  ReadPortInput(tt.terminal, frame.substr(10));
  EXPECT_EQ(f.lblEditInp[EditField::DeviceTime].caption, "01:02:03.4567");
  ReadPortInput(tt.terminal, "xx" + record("0000000003"));  // junk before STX
  EXPECT_EQ(f.lblEditInp[EditField::DeviceTime].caption, "00:00:00.0003");
  ReadPortInput(tt.terminal, "CO0A1001000000000499  \x03");  // no STX
  ReadPortInput(tt.terminal, "\x02" "CO0A10010000000005\x03");  // too short
  EXPECT_EQ(f.lblEditInp[EditField::DeviceTime].caption, "00:00:00.0003");
  ReadPortInput(tt.terminal, std::string(30, 'x'));
  EXPECT_EQ(f.RxBuffer.size(), 30u);
  ReadPortInput(tt.terminal, "x");
  EXPECT_TRUE(f.RxBuffer.empty());
  ReadPortInput(tt.terminal, record("0000000001") + record("0000000002") + Frame("CF"));
  // The CF came after both records.
  EXPECT_TRUE(f.lblEditInp[EditField::DeviceTime].caption == "00:00:00.0002" && f.KeyMode == Mode::Normal);
  ReadPortInput(tt.terminal, Frame("CE   105"));
  f.KeyMode = Mode::Busy;
  ReadPortInput(tt.terminal, Frame("CE      "));  // a blank refusal clears
  EXPECT_TRUE(f.KeyMode == Mode::Normal && !f.lblError.visible);
}

struct ReadIntoFile : Link {
  // Course memory, 読込, all blocks: asked to confirm.
  void Confirm() { Press({1, Keys::Enter, 4, Keys::Enter, 1, Keys::Enter}); }
  fs::path dir = tt.terminal.dataDirectory;
};

// Records that may not be on the disk are no success (1010), however the read
// ends. A FIFO in the file's place takes the lines and refuses the final sync.
TEST_F(ReadIntoFile, AFileThatCannotBeWrittenOrSyncedIsNoSuccessAndOneBlockNamesTheFile) {
  const fs::path file = dir / "CN241433.C08";
  for (const std::string how : {"full", "gone", "sync/end", "sync/error"}) {
    SCOPED_TRACE(how);
    fs::create_directories(dir);
    const bool sync = how.starts_with("sync");
    ASSERT_TRUE(!sync || mkfifo(file.c_str(), 0600) == 0);
    const int reader = sync ? open(file.c_str(), O_RDONLY | O_NONBLOCK) : -1;
    Confirm();
    Press(Keys::Enter);
    if (how == "full") fs::create_symlink("/dev/full", file);
    if (how == "gone") fs::remove_all(dir);
    port.written.clear();
    Receive(Frame("CR") + Frame("CO0A10010000123400"));
    EXPECT_EQ(port.written.find(Frame("CS")) != std::string::npos, !sync);  // the device is told to stop
    Receive(Frame(how == "sync/error" ? "CE   830" : "CF"));  // after a failed write, changes nothing
    if (how == "sync/error") Press(Keys::Esc);
    EXPECT_TRUE(f.lblError.caption == "エラー：ファイルに書き込めません（[Esc]：解除）" && f.KeyMode == Mode::ErrorShown);
    if (sync) close(reader);
    EXPECT_EQ(fs::exists(fs::symlink_status(file)), sync);  // no empty file
    fs::remove(file);
    Press(Keys::Esc);
    EXPECT_EQ(f.Screen, ScreenId::ReadRange);
    Press({Keys::Esc, Keys::Esc});  // back to the main menu
  }
  Press({1, Keys::Enter, 4, Keys::Enter, 2, Keys::Enter, 0, 5, Keys::Enter});  // one block names the file
  EXPECT_EQ(f.lblFileName.caption, "CN241433.508");
}

// The last exchange's bytes still going out: the next waits, busy and deaf
// meanwhile, but goes after 100 ms of busy time however full the queue.
TEST_F(ReadIntoFile, AnExchangeWaitsForTheOldQueueButNotForever) {
  Confirm();
  port.open = true;
  port.Hold(40);
  port.written.clear();
  Press({Keys::Enter, Keys::Esc, 2});  // nothing has started that Esc could stop
  Receive(Frame("CE   102"));  // a late reply of the exchange before
  EXPECT_FALSE(f.lblError.visible);
  Timer1_Timer(tt.terminal);
  EXPECT_TRUE(f.KeyMode == Mode::Busy && port.written.empty());
  Timer1_Timer(tt.terminal);
  EXPECT_EQ(port.written, std::string("\x11") + Frame("CO0A"));
  Receive(Frame("CR") + Frame("CO0A10010000123400") + Frame("CF"));
  EXPECT_EQ(Lines("CN241433.C08"), std::vector<std::string>({"10010000123400"}));
  EXPECT_EQ(f.KeyMode, Mode::Normal);  // a read that was kept is no error
}

TEST_F(Link, ShowErrorStopsTheExchangeAndTheInputAndBeepsAndZeroClears) {
  f.ExpectReply = ReplyFamily::IntoFile;
  BeginInput(f, f.lblBlk, kBlockDigits, 0);
  ShowError(tt.terminal, 406);
  EXPECT_TRUE(f.lblError.caption == "エラー：バッファオーバーです（[Esc]：解除）" && f.lblError.visible);
  EXPECT_TRUE(f.lblGuide.caption.empty() && f.KeyMode == Mode::ErrorShown && f.ExpectReply == ReplyFamily::None);
  EXPECT_FALSE(f.InputActive);
  f.SendRecovery = Recovery::Ask;  // a file send offers its recovery keys instead
  ShowError(tt.terminal, 804);
  EXPECT_EQ(f.lblError.caption, "エラー：タイムデータが範囲外です");
  EXPECT_EQ(f.lblGuide.caption, "※回復処理選択（[Esc]:継続、[Clear]:エラー無視継続、[Enter]:中断）");
  f.KeyMode = Mode::Busy;  // zero or less clears, even what was not shown
  f.lblGuide.visible = false;
  ShowError(tt.terminal, -1);
  EXPECT_TRUE(f.KeyMode == Mode::Normal && f.lblGuide.visible && !f.lblError.visible);
  EXPECT_EQ(tt.fakes.beeper.beeps, 2);  // one for each error shown above
}

// Every number with its message, and one the table does not know: a number
// moved to another message gives the operator the wrong advice.
TEST(DeviceErrors, NumbersShowTheirMessage) {
  const std::pair<const char*, std::vector<int>> cases[] = {
      {"現在タイマーはアルペン・ノルディックモードです", {1}}, {"現在タイマーはリレーモードです", {2}},
      {"入力タイムが範囲外です", {11}}, {"入力日付が範囲外です", {12}},
      {"コース内にすでにあります", {101, 151, 204, 304, 404, 412}}, {"ＤＮＦ内にすでにあります", {102, 203, 303, 401}},
      {"リザルトにすでにあります", {103, 104, 201, 211, 301, 403, 413}}, {"１本目がありません", {105, 302, 502, 602}},
      {"バッファオーバーです", {106, 156, 206, 216, 406, 416}}, {"ＤＮＳ内にすでにあります", {107, 207, 305, 411}},
      {"ブロックNo.に「０」を指定しました", {208, 308, 816, 826}}, {"ブロック０は使用できません", {408, 418}},
      {"コース内メモリに指定データがありません", {501, 601, 702, 902}}, {"２本目がありません", {503, 603}},
      {"指定ブロックのリザルトがすでにあります", {511}}, {"ＤＮＦメモリにありません", {604}},
      {"ＤＮＳメモリに指定データがありません", {606, 708}}, {"コース内メモリに何もデータがありません", {701, 901}},
      {"リザルトメモリに何もデータがありません", {703, 903}}, {"リザルトメモリに指定データがありません", {704, 904}},
      {"ＤＮＦメモリに何もデータがありません", {705}}, {"ＤＮＦメモリに指定データがありません", {706}},
      {"ＤＮＳメモリに何もデータがありません", {707}}, {"Bib No.数字エラーです", {800}},
      {"タイムデータ数字エラーです", {801}}, {"Bib No.がありません", {802}}, {"Bib No.が「０」です", {803}},
      {"タイムデータが範囲外です", {804}}, {"タイムNo.指定ミスエラーです", {805}},
      {"Bib No.が指定されていません", {812, 822}}, {"タイムに「０」を指定しました", {813}},
      {"コマンド指定エラーです", {830}}, {"メモリNo.がありません", {831}}, {"接続機種が違います", {833}},
      {"そのブロックNo.は指定できません", {888}}, {"ケーブルが未接続です", {1001}},
      {"通信できません。USBケーブルの接続を確認してください", {1002}}, {"コースNo.エラーです", {1003}},
      {"ブロック「０」は指定できません", {1004}}, {"受信できません", {1005}}, {"スプリットがオーバーします", {1006}},
      {"指定したブロックのデータがありません", {1007}}, {"データがありません", {1008}}, {"送信できません", {1009}},
      {"ファイルに書き込めません", {1010}}, {"印刷できません", {1011}}, {"832", {832}}};
  for (const auto& [text, numbers] : cases)
    for (int number : numbers) EXPECT_EQ(ErrorText(number), text) << number;
}

// The fake keeps the real port's contract, or tests would drive states the program never meets.
struct FakeLine {
  FakeLine() { port.present = {1}; }
  SerialPort& Port() { return port; }
  void Send(const std::string& bytes) { port.Receive(bytes); }
  std::string Received() const { return port.written; }
  void Hold() { port.Hold(); }
  void LetGo() { port.LetGo(); }
  void Vanish() { port.gone = true; }
  bool Until(const std::function<bool()>& ready) { return ready(); }
  static constexpr std::size_t kMoreThanTheLineTakes = 1000;
  testing::FakeSerialPort port;
};
INSTANTIATE_TYPED_TEST_SUITE_P(Fake, SerialPortContract, FakeLine);

}  // namespace
}  // namespace rx
