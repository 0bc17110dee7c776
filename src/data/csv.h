// Comma-separated values as spreadsheets read them (RFC 4180): fields quoted
// when they hold a comma, a quote or a line end, quotes doubled, rows ended
// by CR LF; the text UTF-8, opened by a byte-order mark so that a spreadsheet
// does not take Japanese for its own code page.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "data/results.h"

namespace rx {

inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

std::string CsvField(std::string_view text);
// The fields joined, with CR LF.
std::string CsvRow(const std::vector<std::string>& fields);

// A data file's records as CSV, the mark and the head row first: memory
// (memoryTitle), block number, block letter, Bib No., the time as the device
// writes it and in seconds (both empty for a timeless record).
std::string DataFileCsv(const std::string& memoryTitle, const std::vector<RunRecord>& records);

}  // namespace rx
