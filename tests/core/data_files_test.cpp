// Data file names, block letters and the line reader.
#include <gtest/gtest.h>

#include <fstream>

#include "data/block_letters.h"
#include "data/data_file.h"
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
  EXPECT_EQ(DataFileName(M::CourseMemory, {2008, 11, 20, 8, 50, 0}, BlockLetterShifted("5")), "CN200850.508");
  EXPECT_EQ(DataFileName(M::RelayResult, {2008, 10, 3, 9, 5, 0}, "C"), "YO030905.C08");
  EXPECT_EQ(DataFileName(M::DnfMemory, {2026, 1, 2, 0, 0, 0}, "C"), "D1020000.C26");
  EXPECT_EQ(DataFileName(M::SecondRunResult, {2026, 12, 31, 23, 59, 0}, "V"), "SD312359.V26");
  EXPECT_EQ(DataFileName(M::FileOperations, {2026, 12, 31, 23, 59, 0}, "C"), "");
}

// Hand-edited files end their lines with CR LF, LF or a lone CR: each is one
// line end, for the line reader and for the block-wise splitter of the queue
// loads wherever its blocks are cut.
TEST(DataFiles, CrLfLfAndCrAreEachOneLineEnd) {
  testing::TestTerminal tt;
  const fs::path dir = tt.owned;
  fs::create_directories(dir);
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

}  // namespace
}  // namespace rx
