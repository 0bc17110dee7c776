// Results files (1st and 2nd run) as a crew posts them: each block's
// competitors ranked by their times as shown, cut (never rounded) to
// hundredths, equal shown times sharing a rank (1, 2, 2, 4); a record without
// a time listed after the ranked ones. Two runs combine per block and Bib No.
// into the sum of the full times.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rx {

// Ten-thousandths of a second: the device's resolution.
using TimeValue = long long;

// One record line of a data file.
struct RunRecord {
  int block = 0;         // 0-29
  char blockLetter = '0';  // the code as the line has it
  std::string bib;       // three digits, as the line has them ("007")
  TimeValue time = 0;    // 0: no time
  bool timeless = false; // the line carries blanks where the time goes
};

// The record a line (without its end) holds: 14 characters, or 13 as the
// hunter start writes them; a block code of block 0-29; a three-digit Bib
// No.; the time HHMMSS then up to four decimal digits, blanks after them
// counting as nothing (or the whole time part blank: a timeless record);
// minutes and seconds below 60. Nothing for any other line.
std::optional<RunRecord> ParseRunRecord(std::string_view line);

// The time cut to hundredths.
constexpr long long Hundredths(TimeValue time) { return time / 100; }
// "M:SS.hh", or "H:MM:SS.hh" when there are hours: 4:12.71, 0:48.05, 1:02:03.40.
std::string ShownTime(long long hundredths);
// Behind the leader: "+0.34", "+12.00", "+1:02.50", "+1:00:00.00"; "" for 0.
std::string ShownGap(long long hundredths);
// "HH:MM:SS.dddd", the hours in as many digits as they take (at least two).
std::string DeviceTimeText(TimeValue time);
// Seconds with four decimals: "252.7100".
std::string SecondsText(TimeValue time);

// Why a row is listed after the ranked ones.
enum class Unranked {
  No,          // ranked
  NoTime,      // a zero or blank time (in either run, combined)
  OneRun,      // combined: the Bib No. has no record in the other run's block
  Duplicate,   // combined: the Bib No. is twice in a run's block, so its runs cannot be paired
};

struct RankedRow {
  int rank = 0;  // 1, 2, 2, 4 ...; 0 when unranked
  Unranked unranked = Unranked::No;
  std::string bib;
  // Each run's full time as the file has it (one run, or the 1st and the
  // 2nd); nothing where that run has no record.
  std::vector<std::optional<TimeValue>> runs;
  TimeValue total = 0;     // the sum of the runs (one run: its time)
  long long gap = 0;       // hundredths behind the block's leader; ranked rows only
  bool duplicate = false;  // the Bib No. is in this block of a file more than once
};

struct RankedBlock {
  int block = 0;
  char blockLetter = '0';
  std::vector<RankedRow> rows;  // the ranked by rank (ties in file order), then the unranked in file order
};

// The blocks in block order. A Bib No. twice in a block of a single run is
// ranked with each of its times and marked as a duplicate.
std::vector<RankedBlock> RankRun(const std::vector<RunRecord>& records);
// first's and second's runs summed per block and Bib No.
std::vector<RankedBlock> RankCombined(const std::vector<RunRecord>& first, const std::vector<RunRecord>& second);

}  // namespace rx
