// Data file names, block letters, the open-file slot and the file list.
#include <gtest/gtest.h>

#include <fstream>

#include "console/row_selection.h"
#include "data/block_letters.h"
#include "data/data_file.h"
#include "data/file_list.h"
#include "data/file_names.h"
#include "data/line_splitter.h"
#include "support/fake_platform.h"

namespace rx {
namespace {

namespace fs = std::filesystem;

TEST(BlockLetters, BothTablesAndTheirEdges) {
  const char* numbers[] = {"0", "9", "10", "19", "20", "29", "30", "", " ", "-1", "x", "05", "28"};
  const char* plain[] = {"0", "9", "A", "J", "K", "T", " ", " ", " ", " ", " ", "5", "S"};
  const char* shifted[] = {"0", "9", "D", "M", "N", "W", " ", " ", " ", " ", " ", "5", "V"};
  for (std::size_t i = 0; i < std::size(numbers); ++i) {
    EXPECT_EQ(BlockLetter(numbers[i]), plain[i]) << "'" << numbers[i] << "'";
    EXPECT_EQ(BlockLetterShifted(numbers[i]), shifted[i]) << "'" << numbers[i] << "'";
  }
}

TEST(DataFileNames, FromOneReadingOfTheClock) {
  using M = MenuItemId;
  EXPECT_EQ(DataFileName(M::CourseMemory, {2008, 11, 24, 14, 33, 0}, "C"), "CN241433.C08");
  EXPECT_EQ(DataFileName(M::CourseMemory, {2008, 11, 20, 8, 50, 0}, BlockLetterShifted("5")), "CN200850.508");
  EXPECT_EQ(DataFileName(M::RelayResult, {2008, 10, 3, 9, 5, 0}, "C"), "YO030905.C08");
  EXPECT_EQ(DataFileName(M::DnfMemory, {2026, 1, 2, 0, 0, 0}, "C"), "D1020000.C26");
  EXPECT_EQ(DataFileName(M::SecondRunResult, {2026, 12, 31, 23, 59, 0}, BlockLetterShifted("28")), "SD312359.V26");
  EXPECT_EQ(DataFileName(M::FileOperations, {2026, 12, 31, 23, 59, 0}, "C"), "");
}

class DataDirectory : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override {
    CloseDataFile(tt.terminal);
    fs::remove_all(dir);
  }
  void Touch(const std::string& name) { std::ofstream(dir / name) << "C0010000000000\r\n"; }
  std::vector<std::string> Listed() const {
    std::vector<std::string> names;
    for (int i = 0; i < 51; ++i)
      if (f.lblFileList[i].visible) names.push_back(f.lblFileList[i].caption);
    return names;
  }

  fs::path dir = fs::temp_directory_path() /
                 ("rx710kp-files-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
  testing::TestTerminal tt{dir};
  Form& f = tt.form();
};

TEST_F(DataDirectory, WrittenLinesEndInCrLf) {
  ASSERT_TRUE(OpenDataFile(tt.terminal, true, "CN241433.C08"));
  EXPECT_TRUE(tt.terminal.dataFile.IsOpen());
  EXPECT_TRUE(WriteDataLine(tt.terminal, "C0450102034567"));
  EXPECT_TRUE(WriteDataLine(tt.terminal, "C0460102034568"));
  CloseDataFile(tt.terminal);
  EXPECT_FALSE(tt.terminal.dataFile.IsOpen());
  std::ifstream in(dir / "CN241433.C08", std::ios::binary);
  std::string content((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(content, "C0450102034567\r\nC0460102034568\r\n");
}

// Hand-edited files end their lines with CR LF, LF or a lone CR; each is one
// line end, for the line reader and for the block-wise splitter of the
// queue loads wherever its blocks are cut.
TEST_F(DataDirectory, CrLfLfAndCrAreEachOneLineEnd) {
  struct Case {
    std::string content;
    std::vector<std::string> lines;
  } cases[] = {
      {"C0450102034567\r\nC0460102034568\r\n", {"C0450102034567", "C0460102034568"}},
      {"C0450102034567\nC0460102034568\n", {"C0450102034567", "C0460102034568"}},
      {"C0450102034567\rC0460102034568\r", {"C0450102034567", "C0460102034568"}},
      {"a\rb\nc\r\nd", {"a", "b", "c", "d"}},    // mixed, the last line without an end
      {"a\r\n\r\nb\n\rc", {"a", "", "b", "", "c"}},  // empty lines: CR LF twice, LF then CR
      {"a\r\r\n", {"a", ""}},
      {"", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.content));
    std::ofstream(dir / "hand.txt", std::ios::binary) << c.content;
    ASSERT_TRUE(OpenDataFile(tt.terminal, false, "hand.txt"));
    std::vector<std::string> read;
    for (std::string line; ReadDataLine(tt.terminal, &line);) read.push_back(line);
    EXPECT_FALSE(WriteDataLine(tt.terminal, "x"));  // opened for reading
    CloseDataFile(tt.terminal);
    EXPECT_EQ(read, c.lines);
    // Two blocks cut at every place: a CR at the end of a block, a CR LF across two.
    for (std::size_t cut = 0; cut <= c.content.size(); ++cut) {
      std::vector<std::string> split;
      auto take = [&](const std::string& line) { split.push_back(line); };
      LineSplitter splitter;
      splitter.Feed(c.content.data(), cut, take);
      splitter.Feed(c.content.data() + cut, c.content.size() - cut, take);
      splitter.Finish(take);
      EXPECT_EQ(split, c.lines) << "cut at " << cut;
    }
  }
}

TEST_F(DataDirectory, ListShowsDataFileNamesInNameOrder) {
  for (const char* name : {"SN241433.C08", "cn241433.c08", "CN241433.508", "FN241433.C08", "README",
                           "LONGNAME1.C08", "FN24143.C08"})
    Touch(name);
  fs::create_directories(dir / "DN241433.C08");  // a directory is no data file
  ListDataFiles(tt.terminal, FileListing::EveryFile);
  EXPECT_EQ(Listed(), std::vector<std::string>({"CN241433.508", "cn241433.c08", "FN241433.C08",
                                                "SN241433.C08"}));
  EXPECT_EQ(f.FileCount, 4);
  EXPECT_EQ(f.FileListMax, 51);
  EXPECT_EQ(f.lblFileG.caption, "ファイルが4個あります");

  ListDataFiles(tt.terminal, FileListing::AllBlocks);
  EXPECT_EQ(Listed(), std::vector<std::string>({"cn241433.c08", "FN241433.C08", "SN241433.C08"}));
  EXPECT_EQ(f.FileListMax, 33);
  ListDataFiles(tt.terminal, FileListing::OneBlock);
  EXPECT_EQ(Listed(), std::vector<std::string>({"CN241433.508"}));
  ListDataFiles(tt.terminal, FileListing::FirstRunResults);
  EXPECT_EQ(Listed(), std::vector<std::string>({"FN241433.C08"}));
}

TEST_F(DataDirectory, AFullListCountsWhatItCannotShow) {
  for (int i = 0; i < 60; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "CN%06d.C08", i);
    Touch(name);
  }
  Touch("ZZZ.C08");  // after the list is full even a short name counts
  ListDataFiles(tt.terminal, FileListing::EveryFile);
  EXPECT_EQ(Listed().size(), 51u);
  EXPECT_EQ(f.FileCount, 61);
  EXPECT_EQ(f.lblFileG.caption, "ファイルが61個あります");
  ListDataFiles(tt.terminal, FileListing::AllBlocks);
  EXPECT_EQ(Listed().size(), 33u);  // nothing left over from the longer list
  EXPECT_EQ(f.FileCount, 61);
  EXPECT_EQ(f.FileSel, -1);
}

}  // namespace
}  // namespace rx
