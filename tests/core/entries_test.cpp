// What the keys may enter and where they land: the keypad's cells, the
// limits of the inputs, and the screens left behind clean.
#include <sys/resource.h>

#include "console/clicks.h"
#include "data/line_file.h"
#include "data/relay_total.h"
#include "data/time_values.h"
#include "support/console_fixture.h"

namespace rx {
namespace {

using Entries = testing::ConsoleTest;

// A key drawn over another is a key the operator cannot reach.
TEST(Keypad, EveryKeyHasACellOfItsOwnInsideThePad) {
  Form f;
  auto inside = [&f](const Control& k) {
    return k.left >= 0 && k.top >= 0 && k.left + k.width <= f.fraKey.width &&
           k.top + k.height <= f.fraKey.height;
  };
  for (int i = 0; i < Keys::Count; ++i) {
    const Control& a = f.lblKey[i];
    EXPECT_TRUE(inside(a)) << i;
    for (int j = i + 1; j < Keys::Count; ++j)  // neighbours share a border, no more
      EXPECT_TRUE(a.left != f.lblKey[j].left || a.top != f.lblKey[j].top) << i << " and " << j;
  }
}

TEST_F(Entries, TheCalculatorTakesFourDecimals) {
  Press(Keys::Right);
  Type("1.23456");
  EXPECT_EQ(f.lblCalc[0].caption, "1.2345");
  Press(Keys::Enter);
  Type("2");
  Press(Keys::Enter);
  EXPECT_EQ(f.lblCalc[2].caption, "00:00:00.7655");
}

TEST_F(Entries, TheRelayScreenIsLeftCleanAndItsExchangesUseTheDevicesLineSettings) {
  tt.fakes.port.present = {3};
  Press({6, Keys::Enter, 1, Keys::Enter});
  EXPECT_TRUE(f.fraEdit[1].visible);
  Type("1");
  Press(Keys::Enter);
  Type("7");
  Press(Keys::Enter);
  Reply("CR");
  Reply("CO4B10070010000000");
  Reply("CO4S10070010000000");
  Reply("CF");
  Press({Keys::Enter, Keys::Enter, Keys::Enter});  // the leg kept, the end marker, send
  ASSERT_EQ(Sent().size(), 4u);  // the read, the leg, the total, the end of the burst
  EXPECT_EQ(tt.fakes.port.openedWith,
            std::vector<std::string>(tt.fakes.port.openedWith.size(), "9600,E,7,2"));
  Reply("CR");
  Press(Keys::Esc);
  EXPECT_EQ(f.Screen, ScreenId::FunctionMenu);
  EXPECT_FALSE(f.fraEdit[0].visible);
  EXPECT_FALSE(f.fraEdit[1].visible);
}

// Rows below the team's last leg may hold what an earlier team left there.
TEST(RelayTotal, CountsOnlyTheTeamsLegs) {
  Form f;
  for (Control& leg : f.lblRelayTime) leg.caption = "00:10:00.0   ";
  f.EditRow = 2;
  ASSERT_TRUE(RelayTotal(f));
  EXPECT_EQ(f.lblRelayTime[10].caption, "00:20:00.0   ");
}

TEST_F(Entries, TheFileListStepsBackByOneAndIgnoresClicksPastItsLastFile) {
  for (const char* name : {"CN241433.C08", "CN241434.C08", "CN241435.C08"}) File(name, {"C0010000000000"});
  Press({7, Keys::Enter, Keys::Enter});
  ASSERT_EQ(f.Screen, ScreenId::FileSelection);
  Press({Keys::Right, Keys::Right, Keys::Left});
  EXPECT_EQ(f.FileSel, 1);
  Press(Keys::Left);
  EXPECT_EQ(f.FileSel, 0);
  Control_Click(tt.terminal, f.lblFileList[3]);
  EXPECT_EQ(f.FileSel, 0);
  Control_Click(tt.terminal, f.lblFileList[2]);
  EXPECT_EQ(f.FileSel, 2);
}

// The last month and the last day of a year are the race days most often
// mistyped at a boundary.
TEST(Dates, TheLastMonthAndDayAreDates) {
  EXPECT_TRUE(IsValidDate("20261231"));
  EXPECT_FALSE(IsValidDate("20261301"));
  EXPECT_FALSE(IsValidDate("20261232"));
}

// A program that opens file after file must not run out of descriptors (a
// low limit makes a leak show at once), and a file only read closes without
// complaint.
TEST(LineFile, EachOpenLetsTheFileBeforeGo) {
  const std::filesystem::path path = std::filesystem::temp_directory_path() / "rx710kp-line-file";
  const std::filesystem::path made = path.string() + ".made";
  rlimit limit{};
  ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &limit), 0);
  rlimit low = limit;
  low.rlim_cur = 64;
  ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &low), 0);
  LineFile writer, reader;
  bool kept = writer.Open(path, true) && writer.WriteLine("C0010000000000") && writer.Close();
  for (int i = 0; kept && i < 200; ++i) {
    kept = reader.Open(path, false) && writer.Create(made);
    std::filesystem::remove(made);
  }
  setrlimit(RLIMIT_NOFILE, &limit);
  EXPECT_TRUE(kept);
  std::string line;
  EXPECT_TRUE(reader.ReadLine(&line));
  EXPECT_EQ(line, "C0010000000000");
  EXPECT_TRUE(reader.Close());
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace rx
