#include "data/results.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <unordered_map>
#include <utility>

namespace rx {

namespace {

int BlockOfCode(char code) {
  if (code >= '0' && code <= '9') return code - '0';
  if (code >= 'A' && code <= 'T') return code - 'A' + 10;  // A-J 10-19, K-T 20-29
  return -1;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int TwoDigits(std::string_view text, std::size_t at) {
  return (text[at] - '0') * 10 + (text[at + 1] - '0');
}

std::string Printed(const char* format, long long a, long long b, long long c = 0,
                    long long d = 0) {
  char text[64];
  std::snprintf(text, sizeof text, format, a, b, c, d);
  return text;
}

}  // namespace

std::optional<RunRecord> ParseRunRecord(std::string_view line) {
  if (line.size() != 14 && line.size() != 13) return std::nullopt;
  RunRecord record;
  record.block = BlockOfCode(line[0]);
  record.blockLetter = line[0];
  record.bib = std::string(line.substr(1, 3));
  if (record.block < 0 || !std::all_of(record.bib.begin(), record.bib.end(), IsDigit))
    return std::nullopt;

  const std::string_view time = line.substr(4);
  const std::size_t digits = std::min(time.find(' '), time.size());
  if (time.find_first_not_of(' ', digits) != std::string_view::npos) return std::nullopt;
  if (digits == 0) {
    record.timeless = true;
    return record;
  }
  if (digits < 6 || !std::all_of(time.begin(), time.begin() + digits, IsDigit)) return std::nullopt;
  const int minutes = TwoDigits(time, 2), seconds = TwoDigits(time, 4);
  if (minutes >= 60 || seconds >= 60) return std::nullopt;
  long long fraction = 0;
  for (std::size_t at = 6; at < 10; ++at)
    fraction = fraction * 10 + (at < digits ? time[at] - '0' : 0);
  record.time = ((TwoDigits(time, 0) * 60LL + minutes) * 60 + seconds) * 10000 + fraction;
  return record;
}

std::string ShownTime(long long hundredths) {
  const long long seconds = hundredths / 100, hours = seconds / 3600;
  if (hours > 0)
    return Printed("%lld:%02lld:%02lld.%02lld", hours, seconds / 60 % 60, seconds % 60,
                   hundredths % 100);
  return Printed("%lld:%02lld.%02lld", seconds / 60, seconds % 60, hundredths % 100);
}

std::string ShownGap(long long hundredths) {
  if (hundredths == 0) return "";
  if (hundredths < 6000) return Printed("+%lld.%02lld", hundredths / 100, hundredths % 100);
  return "+" + ShownTime(hundredths);
}

std::string DeviceTimeText(TimeValue time) {
  const long long seconds = time / 10000;
  return Printed("%02lld:%02lld:%02lld.%04lld", seconds / 3600, seconds / 60 % 60, seconds % 60,
                 time % 10000);
}

std::string SecondsText(TimeValue time) { return Printed("%lld.%04lld", time / 10000, time % 10000); }

namespace {

// Each block's records in file order, the blocks in block order.
std::map<int, std::vector<const RunRecord*>> ByBlock(const std::vector<RunRecord>& records) {
  std::map<int, std::vector<const RunRecord*>> blocks;
  for (const RunRecord& record : records) blocks[record.block].push_back(&record);
  return blocks;
}

std::unordered_map<std::string, int> BibCounts(const std::vector<const RunRecord*>& records) {
  std::unordered_map<std::string, int> counts;
  for (const RunRecord* record : records) ++counts[record->bib];
  return counts;
}

// The rows with a total, sorted by their shown totals (ties keep their order)
// and numbered 1, 2, 2, 4; then the rest as they came.
void Rank(RankedBlock& block, std::vector<RankedRow> ranked, std::vector<RankedRow> unranked) {
  std::stable_sort(ranked.begin(), ranked.end(), [](const RankedRow& a, const RankedRow& b) {
    return Hundredths(a.total) < Hundredths(b.total);
  });
  for (std::size_t i = 0; i < ranked.size(); ++i) {
    RankedRow& row = ranked[i];
    const bool tied = i > 0 && Hundredths(row.total) == Hundredths(ranked[i - 1].total);
    row.rank = tied ? ranked[i - 1].rank : static_cast<int>(i) + 1;
    row.gap = Hundredths(row.total) - Hundredths(ranked.front().total);
  }
  block.rows = std::move(ranked);
  block.rows.insert(block.rows.end(), std::make_move_iterator(unranked.begin()),
                    std::make_move_iterator(unranked.end()));
}

}  // namespace

std::vector<RankedBlock> RankRun(const std::vector<RunRecord>& records) {
  std::vector<RankedBlock> blocks;
  for (const auto& [number, members] : ByBlock(records)) {
    const std::unordered_map<std::string, int> counts = BibCounts(members);
    std::vector<RankedRow> ranked, unranked;
    for (const RunRecord* record : members) {
      RankedRow row;
      row.bib = record->bib;
      row.runs = {record->time};
      row.total = record->time;
      row.duplicate = counts.at(record->bib) > 1;
      if (record->time == 0) row.unranked = Unranked::NoTime;
      (record->time == 0 ? unranked : ranked).push_back(std::move(row));
    }
    RankedBlock& block = blocks.emplace_back();
    block.block = number;
    block.blockLetter = members.front()->blockLetter;
    Rank(block, std::move(ranked), std::move(unranked));
  }
  return blocks;
}

std::vector<RankedBlock> RankCombined(const std::vector<RunRecord>& first,
                                      const std::vector<RunRecord>& second) {
  std::map<int, std::vector<const RunRecord*>> firsts = ByBlock(first), seconds = ByBlock(second);
  for (const auto& entry : seconds) firsts[entry.first];  // blocks of the 2nd run alone too
  std::vector<RankedBlock> blocks;
  for (const auto& [number, inFirst] : firsts) {
    const std::vector<const RunRecord*>& inSecond = seconds[number];
    // Each Bib No.'s records in either run; the Bib Nos. in the order they first appear.
    std::unordered_map<std::string, std::pair<std::vector<TimeValue>, std::vector<TimeValue>>> runs;
    std::vector<std::string> order;
    for (int run = 0; run < 2; ++run)
      for (const RunRecord* record : run == 0 ? inFirst : inSecond) {
        auto [at, fresh] = runs.try_emplace(record->bib);
        if (fresh) order.push_back(record->bib);
        (run == 0 ? at->second.first : at->second.second).push_back(record->time);
      }

    std::vector<RankedRow> ranked, unranked;
    for (const std::string& bib : order) {
      const auto& [ones, twos] = runs.at(bib);
      RankedRow row;
      row.bib = bib;
      if (ones.size() > 1 || twos.size() > 1) {
        // Nothing to pair: every record is listed with its own run's time.
        row.unranked = Unranked::Duplicate;
        row.duplicate = true;
        for (TimeValue time : ones) {
          row.runs = {time, std::nullopt};
          unranked.push_back(row);
        }
        for (TimeValue time : twos) {
          row.runs = {std::nullopt, time};
          unranked.push_back(row);
        }
        continue;
      }
      row.runs = {std::nullopt, std::nullopt};
      if (!ones.empty()) row.runs[0] = ones.front();
      if (!twos.empty()) row.runs[1] = twos.front();
      if (ones.empty() || twos.empty())
        row.unranked = Unranked::OneRun;
      else if (ones.front() == 0 || twos.front() == 0)
        row.unranked = Unranked::NoTime;
      else
        row.total = ones.front() + twos.front();
      (row.unranked == Unranked::No ? ranked : unranked).push_back(std::move(row));
    }
    RankedBlock& block = blocks.emplace_back();
    block.block = number;
    block.blockLetter = (inFirst.empty() ? inSecond : inFirst).front()->blockLetter;
    Rank(block, std::move(ranked), std::move(unranked));
  }
  return blocks;
}

}  // namespace rx
