// Reading the device's memories over a real pseudo-terminal: the Qt port on
// one side, the simulated device on the other.
#include "support/pty_terminal.h"

namespace rx {
namespace {

using testing::OverPty;
using sim::MemoryKind;
namespace fs = std::filesystem;

TEST_F(OverPty, WholeCourseMemoryArrivesLineForLine) {
  ASSERT_TRUE(StartDevice(testing::Fast()));
  Read(1, 1);
  QTRY_VERIFY_WITH_TIMEOUT(Idle(), 10000);
  EXPECT_EQ(form().KeyMode, Mode::Normal) << form().lblError.caption;
  EXPECT_EQ(FileLines(), device->Lines(MemoryKind::Course));
  EXPECT_EQ(form().lblYomiG[3].caption, std::to_string(device->Lines(MemoryKind::Course).size()) + "件");
}

TEST_F(OverPty, OneBlockOfTheFirstRun) {
  ASSERT_TRUE(StartDevice(testing::Fast()));
  Read(3, 2, "2");
  QTRY_VERIFY_WITH_TIMEOUT(Idle(), 10000);
  std::vector<std::string> expected;
  for (const std::string& line : device->Lines(MemoryKind::FirstRun))
    if (line[0] == '2') expected.push_back(line);
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(FileLines(), expected);
}

TEST_F(OverPty, ABlockWithoutRecordsLeavesNoFile) {
  ASSERT_TRUE(StartDevice(testing::Fast()));
  Read(1, 2, "28");
  QTRY_VERIFY_WITH_TIMEOUT(Idle(), 10000);
  EXPECT_EQ(form().lblError.caption, "エラー：指定したブロックのデータがありません（[Esc]：解除）");
  EXPECT_FALSE(fs::exists(terminal->dataDirectory / form().lblFileName.caption));
}

TEST_F(OverPty, AbortMidReadKeepsTheRecordsSoFar) {
  ASSERT_TRUE(StartDevice({}));  // at the line's own pace
  Read(1, 1);
  QTRY_VERIFY_WITH_TIMEOUT(form().RecordCount >= 3, 10000);
  Press({Keys::Esc});
  EXPECT_EQ(form().KeyMode, Mode::AbortConfirm);
  Press({Keys::Enter});
  QTRY_VERIFY_WITH_TIMEOUT(Idle(), 10000);
  EXPECT_EQ(form().KeyMode, Mode::Normal) << form().lblError.caption;
  std::vector<std::string> lines = FileLines();
  EXPECT_EQ(static_cast<int>(lines.size()), form().RecordCount);
  EXPECT_LT(lines.size(), device->Lines(MemoryKind::Course).size());
  std::vector<std::string> all = device->Lines(MemoryKind::Course);
  EXPECT_TRUE(std::equal(lines.begin(), lines.end(), all.begin()));
}

TEST_F(OverPty, AFileThatCannotBeWrittenEndsTheRead) {
  ASSERT_TRUE(StartDevice({}));
  Press({1, Keys::Enter, 4, Keys::Enter, Keys::Enter});
  fs::create_symlink("/dev/full", terminal->dataDirectory / form().lblFileName.caption);
  Press({Keys::Enter});
  QTRY_VERIFY_WITH_TIMEOUT(Idle(), 10000);
  EXPECT_EQ(form().lblError.caption, "エラー：ファイルに書き込めません（[Esc]：解除）");
  // The device was told to stop sending.
  QTRY_VERIFY_WITH_TIMEOUT(device->FramesReceived() >= 2, 5000);
}

TEST_F(OverPty, ASilentDeviceTimesOut) {
  int master = posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(master, 0);
  ASSERT_EQ(grantpt(master), 0);
  ASSERT_EQ(unlockpt(master), 0);
  std::string path = ptsname(master);
  int slave = open(path.c_str(), O_RDWR | O_NOCTTY);  // keeps the pty alive between opens
  Connect(path);
  Read(1, 1);
  QTRY_VERIFY_WITH_TIMEOUT(Idle(), 5000);
  EXPECT_EQ(form().lblError.caption, "エラー：受信できません（[Esc]：解除）");
  EXPECT_FALSE(fs::exists(terminal->dataDirectory / form().lblFileName.caption));
  close(slave);
  close(master);
}

TEST_F(OverPty, ADeviceThatGoesAwayEndsTheExchangeWithAnError) {
  ASSERT_TRUE(StartDevice({}));
  Read(1, 1);
  QTRY_VERIFY_WITH_TIMEOUT(form().RecordCount >= 2, 10000);
  device->Stop();
  QTRY_VERIFY_WITH_TIMEOUT(Idle(), 5000);
  EXPECT_EQ(form().KeyMode, Mode::ErrorShown);
  EXPECT_TRUE(form().lblError.caption == "エラー：送信できません（[Esc]：解除）" ||
              form().lblError.caption == "エラー：受信できません（[Esc]：解除）")
      << form().lblError.caption;
  Press({Keys::Esc});  // acknowledged: the file keeps what came
  EXPECT_EQ(static_cast<int>(FileLines().size()), form().RecordCount);
}

// The port takes its line settings as the text the exchanges give.
TEST(LineSettings, TheTextsOfTheExchangesAndWhatIsNoSuchText) {
  LineSettings line;
  ASSERT_TRUE(ParseLineSettings("9600,E,7,2", &line));
  EXPECT_EQ(line.baud, 9600);
  EXPECT_EQ(line.parity, 'E');
  EXPECT_EQ(line.dataBits, 7);
  EXPECT_EQ(line.stopBits, 2);
  ASSERT_TRUE(ParseLineSettings("9600,N,8,1", &line));
  EXPECT_EQ(line.parity, 'N');
  EXPECT_EQ(line.dataBits, 8);
  for (const char* bad : {"", "9600", "9600,E,7", "9600,X,7,2", "9600,EE,7,2", "9600,E,9,2",
                          "9600,E,4,2", "9600,E,7,3", "fast,E,7,2", "9600,E,seven,2"})
    EXPECT_FALSE(ParseLineSettings(bad, &line)) << bad;
}

}  // namespace
}  // namespace rx
