// Data file names, block letters, the line reader and the file list.
#include <fstream>

#include "data/block_letters.h"
#include "data/data_file.h"
#include "data/file_list.h"
#include "data/file_names.h"
#include "data/line_splitter.h"
#include "support/console_fixture.h"

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
  EXPECT_EQ(DataFileName(M::CourseMemory, {2008, 11, 20, 8, 50, 0}, BlockLetterShifted("5")), "CN200850.508");
  EXPECT_EQ(DataFileName(M::RelayResult, {2008, 10, 3, 9, 5, 0}, "C"), "YO030905.C08");
  EXPECT_EQ(DataFileName(M::DnfMemory, {2026, 1, 2, 0, 0, 0}, "C"), "D1020000.C26");
  EXPECT_EQ(DataFileName(M::SecondRunResult, {2026, 12, 31, 23, 59, 0}, "V"), "SD312359.V26");
  EXPECT_EQ(DataFileName(M::FileOperations, {2026, 12, 31, 23, 59, 0}, "C"), "");
}

class DataFiles : public testing::ConsoleTest {
 protected:
  std::vector<std::string> Listed(FileListing kind) {
    ListDataFiles(tt.terminal, kind);
    std::vector<std::string> names;
    for (const Control& cell : f.lblFileList)
      if (cell.visible) names.push_back(cell.caption);
    return names;
  }
  fs::path dir = tt.terminal.dataDirectory;
};

// Written lines end in CR LF. Hand-edited files end theirs with CR LF, LF or
// a lone CR: each is one line end, for the line reader and for the
// block-wise splitter of the queue loads wherever its blocks are cut.
TEST_F(DataFiles, CrLfLfAndCrAreEachOneLineEnd) {
  ASSERT_TRUE(OpenDataFile(tt.terminal, true, "written.txt"));
  EXPECT_TRUE(WriteDataLine(tt.terminal, "C0450102034567"));
  EXPECT_TRUE(WriteDataLine(tt.terminal, "C0460102034568"));
  EXPECT_TRUE(CloseDataFile(tt.terminal));
  std::ifstream written(dir / "written.txt", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(written), {}), "C0450102034567\r\nC0460102034568\r\n");
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {"C0450102034567\r\nC0460102034568\r\n", {"C0450102034567", "C0460102034568"}},
      {"C0450102034567\nC0460102034568\n", {"C0450102034567", "C0460102034568"}},
      {"C0450102034567\rC0460102034568\r", {"C0450102034567", "C0460102034568"}},
      {"a\rb\nc\r\nd", {"a", "b", "c", "d"}},        // mixed, the last line without an end
      {"a\r\n\r\nb\n\rc", {"a", "", "b", "", "c"}},  // empty lines: CR LF twice, LF then CR
      {"a\r\r\n", {"a", ""}},
      {"", {}},
  };
  for (const auto& [content, lines] : cases) {
    SCOPED_TRACE(::testing::PrintToString(content));
    std::ofstream(dir / "hand.txt", std::ios::binary) << content;
    ASSERT_TRUE(OpenDataFile(tt.terminal, false, "hand.txt"));
    std::vector<std::string> read;
    for (std::string line; ReadDataLine(tt.terminal, &line);) read.push_back(line);
    EXPECT_FALSE(WriteDataLine(tt.terminal, "x"));  // opened for reading
    CloseDataFile(tt.terminal);
    EXPECT_EQ(read, lines);
    for (std::size_t cut = 0; cut <= content.size(); ++cut) {
      std::vector<std::string> split;
      auto take = [&](const std::string& line) { split.push_back(line); };
      LineSplitter splitter;
      splitter.Feed(content.data(), cut, take);
      splitter.Feed(content.data() + cut, content.size() - cut, take);
      splitter.Finish(take);
      EXPECT_EQ(split, lines) << "cut at " << cut;
    }
  }
}

TEST_F(DataFiles, TheListShowsDataFileNamesInNameOrder) {
  for (const char* name : {"SN241433.C08", "cn241433.c08", "CN241433.508", "FN241433.C08", "README",
                           "LONGNAME1.C08", "FN24143.C08"})
    File(name, {"C0010000000000"});
  fs::create_directories(dir / "DN241433.C08");  // a directory is no data file
  EXPECT_EQ(Listed(FileListing::EveryFile),
            std::vector<std::string>({"CN241433.508", "cn241433.c08", "FN241433.C08", "SN241433.C08"}));
  EXPECT_EQ(f.lblFileG.caption, "ファイルが4個あります");
  EXPECT_EQ(Listed(FileListing::AllBlocks),
            std::vector<std::string>({"cn241433.c08", "FN241433.C08", "SN241433.C08"}));
  EXPECT_EQ(Listed(FileListing::OneBlock), std::vector<std::string>({"CN241433.508"}));
  EXPECT_EQ(Listed(FileListing::FirstRunResults), std::vector<std::string>({"FN241433.C08"}));
}

TEST_F(DataFiles, AFullListCountsWhatItCannotShow) {
  for (int i = 0; i < 60; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "CN%06d.C08", i);
    File(name, {"C0010000000000"});
  }
  File("ZZZ.C08", {});  // after the list is full even a short name counts
  EXPECT_EQ(Listed(FileListing::EveryFile).size(), 51u);
  EXPECT_EQ(f.lblFileG.caption, "ファイルが61個あります");
  EXPECT_EQ(Listed(FileListing::AllBlocks).size(), 33u);
  EXPECT_EQ(f.lblFileList[40].caption, "");  // nothing left over from the longer list
  EXPECT_EQ(f.FileCount, 61);
}

}  // namespace
}  // namespace rx
