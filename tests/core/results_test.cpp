// Results files read, ranked per block (single and two runs combined), laid
// out as a sheet's pages and written as CSV.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <tuple>

#include "data/csv.h"
#include "data/results_sheet.h"

namespace rx {
namespace {

std::vector<RunRecord> Records(const std::vector<std::string>& lines) {
  std::vector<RunRecord> records;
  for (const std::string& line : lines) records.push_back(ParseRunRecord(line).value());
  return records;
}

// "block: rank bib gap" per row, "-why" for the unranked, "*" after a duplicate's Bib No.
std::string Summary(const std::vector<RankedBlock>& blocks) {
  const char* why[] = {"", "-none", "-one", "-dup"};  // by Unranked
  std::string text;
  for (const RankedBlock& block : blocks) {
    text += std::to_string(block.block) + "/" + block.blockLetter + ":";
    for (const RankedRow& row : block.rows)
      text += " " + std::to_string(row.rank) + row.bib + (row.duplicate ? "*" : "") +
              (row.gap ? "+" + std::to_string(row.gap) : "") + why[static_cast<int>(row.unranked)];
    text += "; ";
  }
  return text;
}

TEST(Results, RecordLinesTakenAndRefused) {
  const struct { const char* line; int block; TimeValue time; bool timeless; } taken[] = {
      {"10010000481271", 1, 481271, false},   {"A0070102030405", 10, 37230405, false},
      {"J9999959599999", 19, 3599999999, false}, {"K1231000007   ", 20, 360007000, false},
      {"T0001234560  ", 29, 452960000, false},  // as the hunter start writes it
      {"3005          ", 3, 0, true},           {"4006000000    ", 4, 0, false}};
  for (const auto& c : taken) {
    const std::optional<RunRecord> r = ParseRunRecord(c.line);
    ASSERT_TRUE(r) << c.line;
    EXPECT_TRUE(r->block == c.block && r->blockLetter == c.line[0] && r->bib == std::string(c.line + 1, 3) &&
                r->time == c.time && r->timeless == c.timeless) << c.line;
  }
  for (const char* line : {"", "100100004812711", "100100004812", "U0010000481271", "a0010000481271",
                           " 0010000481271", "10A10000481271", "1001000048 271", "100100004812x1", "10010060000000",
                           "10010000600000", "1001   0000000", "1001 000481271", "100112        ", "100100010     "})
    EXPECT_FALSE(ParseRunRecord(line)) << '"' << line << '"';
}

TEST(Results, TimesAsShownCutNeverRounded) {
  const std::tuple<long long, const char*, const char*> cases[] = {  // hundredths, time, gap
      {Hundredths(2527199), "4:12.71", "+4:12.71"}, {4805, "0:48.05", "+48.05"}, {0, "0:00.00", ""},
      {34, "0:00.34", "+0.34"}, {5999, "0:59.99", "+59.99"}, {6000, "1:00.00", "+1:00.00"},
      {359999, "59:59.99", "+59:59.99"}, {372340, "1:02:03.40", "+1:02:03.40"}, {9720000, "27:00:00.00", "+27:00:00.00"}};
  for (const auto& [hundredths, time, gap] : cases) EXPECT_EQ(ShownTime(hundredths) + ShownGap(hundredths), std::string(time) + gap);
  EXPECT_EQ(DeviceTimeText(2527105) + " " + DeviceTimeText(3600000000), "00:04:12.7105 100:00:00.0000");
  EXPECT_EQ(SecondsText(2527100) + " " + SecondsText(5), "252.7100 0.0005");
}

TEST(Results, ARunRankedPerBlockTiesSharingZeroTimesLast) {
  const std::vector<RunRecord> run = Records({
      "20010000500000", "1001000000    ", "10020000481279", "10030000481200", "1004          ",
      "10050000481271", "10060000500000", "10030000490000", "10070000481100", "B0090000100000"});
  EXPECT_EQ(Summary(RankRun(run)), "1/1: 1007 2002+1 2003*+1 2005+1 5003*+89 6006+189 0001-none 0004-none; "
                                   "2/2: 1001; 11/B: 1009; ");
  EXPECT_EQ(Summary(RankRun({})), "");
}

TEST(Results, TwoRunsSummedFromTheirFullTimesTheUnpairedLast) {
  const std::vector<RunRecord> first = Records({"10010001000050", "10020001000000", "10030001000100",
      "10040000000000", "10050001010000", "10050001020000", "10060001010000", "20010001000000"});
  const std::vector<RunRecord> second = Records({"10070001000000", "10020001000099", "10010001000050",
      "10030001000000", "1004000100    ", "10050001030000", "30080001000000", "20010001000000"});
  const std::vector<RankedBlock> blocks = RankCombined(first, second);
  EXPECT_EQ(Summary(blocks), "1/1: 1002 2001+1 2003+1 0004-none 0005*-dup 0005*-dup 0005*-dup 0006-one 0007-one; "
                             "2/2: 1001; 3/3: 0008-one; ");
  const std::vector<RankedRow>& rows = blocks[0].rows;
  EXPECT_EQ(rows[1].total, 1200100);  // 1:00.0050 twice: 2:00.01, not 2:00.00
  using Runs = std::vector<std::optional<TimeValue>>;
  EXPECT_EQ((std::vector<Runs>{rows[0].runs, rows[5].runs, rows[6].runs, rows[8].runs}),
            (std::vector<Runs>{{600000, 600099}, {620000, std::nullopt}, {std::nullopt, 630000}, {std::nullopt, 600000}}));
}

TEST(Results, SheetColumnsLinedUpUnderTheirHeads) {
  const std::vector<RunRecord> run = Records({"10010000481271", "10020000484600", "1003          ",
                                              "10020001000000", "C0040100000000"});
  EXPECT_EQ(SheetLines(RankRun(run), 1, 60), (std::vector<std::string>{
      "ブロック 1",                            "順位  Bib No.      タイム    トップ差",
      "   1      001     0:48.12",              "   2     002*     0:48.46       +0.34",
      "   3     002*     1:00.00      +11.88",  "          003          －  タイムなし",
      "* 同じ Bib No. が２回以上あります", "",  "ブロック 12",
      "順位  Bib No.      タイム    トップ差",  "   1      004  1:00:00.00"}));
  const std::vector<std::string> lines = SheetLines(RankCombined(run, Records({"10010000500000", "10040000500000"})), 2, 60);
  EXPECT_EQ(lines[1], "順位  Bib No.      １本目   ２本目     合計  トップ差");
  EXPECT_EQ(lines[2], "   1      001     0:48.12  0:50.00  1:38.12");
  EXPECT_EQ(lines[3], "         002*     0:48.46       －       －      二重");
  EXPECT_EQ(lines[6], "          004          －  0:50.00       －  １本のみ");
}

// H heading, C continued heading, h column heads, r a row, * the duplicate note, - blank, | a page break.
TEST(Results, SheetPagesFullContinuedAndNoBlockOpeningAtAPageFoot) {
  const struct { int linesPerPage; std::vector<std::string> blocks; const char* shape; } cases[] = {
      {5, {"123", "1234"}, "Hhrrr|Hhrrr|Chr"}, {7, {"123", "1234"}, "Hhrrr--|Hhrrrr"},
      {8, {"123", "1"}, "Hhrrr---|Hhr"},       {9, {"123", "1"}, "Hhrrr-Hhr"},
      {2, {"123"}, "Hhrr|Chr"},                {-1, {"1", "1"}, "Hhr-|Hhr"},
      {6, {"11", "1"}, "Hhrr*-|Hhr"},          {6, {"112"}, "Hhrrr*"}, {6, {"1123"}, "Hhrrrr|Ch*"}};
  for (const auto& c : cases) {  // each block's Bib Nos. 00n, all with the same time
    std::vector<RunRecord> run;
    for (std::size_t b = 0; b < c.blocks.size(); ++b)
      for (char bib : c.blocks[b]) run.push_back(*ParseRunRecord(std::to_string(b) + "00" + bib + "0000480000"));
    const std::vector<std::string> lines = SheetLines(RankRun(run), 1, c.linesPerPage);
    std::string shape;
    for (std::size_t i = 0; const std::string& line : lines) {
      if (i++ % std::max(c.linesPerPage, 4) == 0 && i > 1) shape += '|';
      shape += line.empty() ? '-' : line.starts_with("順位") ? 'h' : line.ends_with("（続き）") ? 'C'
             : line.starts_with("ブロック") ? 'H' : line.starts_with("* ") ? '*' : 'r';
    }
    EXPECT_EQ(shape, c.shape) << c.linesPerPage;
  }
  std::vector<RunRecord> crowd;  // 999 in each of the 30 blocks
  for (int n = 0; n < 30 * 999; ++n) {
    char line[32];
    const int bib = n % 999 + 1;  // times rising with the Bib No.
    std::snprintf(line, sizeof line, "%c%03d00%02d%02d0000", "0123456789ABCDEFGHIJKLMNOPQRST"[n / 999], bib, bib / 60, bib % 60);
    crowd.push_back(*ParseRunRecord(line));
  }
  const std::vector<RankedBlock> blocks = RankRun(crowd);
  ASSERT_EQ(blocks.size(), 30u);
  const std::vector<std::string> lines = SheetLines({blocks[1]}, 1, 60);
  EXPECT_EQ(lines.size(), 17 * 60 + 2 + 13u);  // 58 rows a page: 18 pages
  EXPECT_EQ(lines[60], "ブロック 1（続き）");
  EXPECT_EQ(lines.back().substr(0, 4), " 999");
  EXPECT_GT(SheetLines(blocks, 1, 60).size(), 30 * 999u);
}

TEST(Results, CsvQuotedOnlyWhereNeeded) {
  const std::pair<const char*, const char*> fields[] = {
      {"", ""}, {"1:02.50", "1:02.50"}, {"a,b", "\"a,b\""}, {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"a\nb", "\"a\nb\""}, {"a\rb", "\"a\rb\""}, {"１本目", "１本目"}};
  for (const auto& [text, field] : fields) EXPECT_EQ(CsvField(text), field);
  const std::vector<RunRecord> run = Records({"A0070102030405", "1003          ", "10070000000000"});
  EXPECT_EQ(DataFileCsv("１本目,リザルト", run),
            "\xEF\xBB\xBFmemory,block,block letter,Bib No.,time,seconds\r\n"
            "\"１本目,リザルト\",10,A,007,01:02:03.0405,3723.0405\r\n"
            "\"１本目,リザルト\",1,1,003,,\r\n\"１本目,リザルト\",1,1,007,00:00:00.0000,0.0000\r\n");
  const std::vector<RunRecord> dup = Records({"10010000481271", "10020000484600", "1003          ", "10030000500000"});
  EXPECT_EQ(ResultsCsv(RankRun(dup), 1),
            "\xEF\xBB\xBFrank,block,Bib No.,time,gap,note\r\n1,1,001,0:48.12,,\r\n"
            "2,1,002,0:48.46,+0.34,\r\n3,1,003,0:50.00,+1.88,二重\r\n,1,003,,,タイムなし 二重\r\n");
  EXPECT_EQ(ResultsCsv(RankCombined(dup, Records({"10010000500000", "10020000000000"})), 2),
            "\xEF\xBB\xBFrank,block,Bib No.,1st run,2nd run,total,gap,note\r\n"
            "1,1,001,0:48.12,0:50.00,1:38.12,,\r\n,1,002,0:48.46,,,,タイムなし\r\n"
            ",1,003,,,,,二重\r\n,1,003,0:50.00,,,,二重\r\n");
}

}  // namespace
}  // namespace rx
