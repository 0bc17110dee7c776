// Results files: lines read as records, ranked alone and as two runs, laid out
// as pages (their length from the first byte) and written as CSV.
#include "data/csv.h"
#include "data/results_sheet.h"
#include "fuzz_support.h"

namespace rx::fuzz {
namespace {

void Ranked(const std::vector<RankedBlock>& blocks, std::size_t records, std::string_view text) {
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
  RX_CHECK(runs == records, text);  // every record's time is listed once
}

void Sheet(const std::vector<RankedBlock>& blocks, int runs, int linesPerPage, std::string_view text) {
  const std::vector<std::string> lines = SheetLines(blocks, runs, linesPerPage);
  const std::size_t page = std::max(linesPerPage, 4);
  for (std::size_t at = 0; at < lines.size(); ++at) {
    RX_CHECK(lines[at].empty() || lines[at].back() != ' ', lines[at]);
    if (at % page == 0) RX_CHECK(lines[at].starts_with("ブロック "), lines[at]);
  }
  std::size_t rows = 0;
  for (const RankedBlock& block : blocks) rows += block.rows.size();
  const std::string csv = ResultsCsv(blocks, runs);
  std::size_t ends = 0;
  for (std::size_t at = csv.find("\r\n"); at != std::string::npos; at = csv.find("\r\n", at + 2)) ++ends;
  RX_CHECK(csv.starts_with(kUtf8Mark) && ends == rows + 1, text);
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
      RX_CHECK(record->block >= 0 && record->block <= 29 && record->bib.size() == 3, line);
      // The device text holds the line's digits, padded with zeros where blanks followed them.
      std::string digits = line.substr(4, line.find(' ', 4) - 4);
      digits.resize(10, '0');
      std::string shown = DeviceTimeText(record->time);
      std::erase_if(shown, [](char c) { return c == ':' || c == '.'; });
      RX_CHECK(record->timeless ? record->time == 0 && digits == "0000000000" : shown == digits, line);
      all.push_back(*record);
      runs[all.size() % 2].push_back(*record);
    }
    Ranked(RankRun(all), all.size(), text);
    const std::vector<RankedBlock> combined = RankCombined(runs[1], runs[0]);
    Ranked(combined, all.size(), text);
    Sheet(RankRun(all), 1, linesPerPage, text);
    Sheet(combined, 2, linesPerPage, text);
    const std::string file = DataFileCsv("１本目リザルト", all);
    RX_CHECK(file.starts_with(kUtf8Mark) && std::count(file.begin(), file.end(), '\n') == std::ssize(all) + 1, text);
    // A field read back the way a spreadsheet reads it is the text it was made of.
    std::string field = CsvField(text), read;
    if (field.starts_with('"'))
      for (std::size_t at = 1; at + 1 < field.size(); ++at) read += field[at], at += field[at] == '"';
    RX_CHECK((field.starts_with('"') ? read : field) == text, text);
  } catch (...) {
    Violated("results threw", text);
  }
  return 0;
}
