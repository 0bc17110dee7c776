// Results files: lines read as records, ranked alone and as two runs, laid out
// as pages (their length from the first byte) and written as CSV.
#include "data/csv.h"
#include "data/results_sheet.h"
#include "data/time_values.h"
#include "fuzz_support.h"

namespace rx::fuzz {
namespace {

// Ranks shared by equal shown times, the unranked last, each time listed once; pages open with a heading.
void Checked(const std::vector<RankedBlock>& blocks, int runCount, std::size_t records, int linesPerPage,
             std::string_view text) {
  std::size_t runs = 0;
  for (std::size_t b = 0; b < blocks.size(); ++b) {
    RX_CHECK(b == 0 || blocks[b - 1].block < blocks[b].block, text);
    const std::vector<RankedRow>& rows = blocks[b].rows;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      const RankedRow& row = rows[i];
      for (const auto& run : row.runs) runs += run.has_value();
      if (row.unranked != Unranked::No) {
        RX_CHECK(row.rank == 0 && (i + 1 == rows.size() || rows[i + 1].unranked != Unranked::No), text);
        continue;
      }
      const long long shown = Hundredths(row.total), before = i ? Hundredths(rows[i - 1].total) : shown;
      RX_CHECK(row.gap == shown - Hundredths(rows[0].total) && shown >= before, text);
      RX_CHECK(row.rank == (i && shown == before ? rows[i - 1].rank : static_cast<int>(i) + 1), text);
    }
  }
  RX_CHECK(runs == records, text);
  const std::vector<std::string> lines = SheetLines(blocks, runCount, linesPerPage);
  for (std::size_t at = 0; at < lines.size(); at += std::max(linesPerPage, 4)) RX_CHECK(lines[at].starts_with("ブロック "), lines[at]);
  std::ptrdiff_t rows = 1;  // the head row
  for (const RankedBlock& block : blocks) rows += std::ssize(block.rows);
  const std::string csv = ResultsCsv(blocks, runCount);
  RX_CHECK(csv.starts_with(kUtf8Mark) && std::count(csv.begin(), csv.end(), '\n') == rows, text);
}

}  // namespace
}  // namespace rx::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace rx;
  using namespace rx::fuzz;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  Bytes in{data, size};
  const int linesPerPage = static_cast<std::int8_t>(in.Byte());
  std::vector<RunRecord> all, runs[2];
  try {
    while (!in.Empty()) {
      std::string line = in.Line();
      if (line.ends_with('\r')) line.pop_back();
      const std::optional<RunRecord> record = ParseRunRecord(line);
      if (!record) continue;
      // The device text holds the line's digits, padded with zeros where blanks followed them.
      std::string digits = line.substr(4, line.find(' ', 4) - 4);
      digits.resize(10, '0');
      RX_CHECK(record->timeless ? record->time == 0 && digits == "0000000000"
                                : StripTime(DeviceTimeText(record->time), 0) == digits, line);
      all.push_back(*record);
      runs[all.size() % 2].push_back(*record);
    }
    Checked(RankRun(all), 1, all.size(), linesPerPage, text);
    Checked(RankCombined(runs[1], runs[0]), 2, all.size(), linesPerPage, text);
    const std::string file = DataFileCsv("１本目リザルト", all);
    RX_CHECK(file.starts_with(kUtf8Mark) && std::count(file.begin(), file.end(), '\n') == std::ssize(all) + 1, text);
    // A field read back the way a spreadsheet reads it is the text it was made of.
    const std::string field = CsvField(text);
    const bool quoted = field.starts_with('"');
    std::string read = quoted ? "" : field;
    for (std::size_t at = 1; quoted && at + 1 < field.size(); ++at) read += field[at], at += field[at] == '"';
    RX_CHECK(read == text, text);
  } catch (...) { Violated("results threw", text); }
  return 0;
}
