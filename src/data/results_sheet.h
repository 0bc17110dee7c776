// A ranked results file laid out as the lines of a sheet's pages, and as CSV.
#pragma once

#include <string>
#include <vector>

#include "data/results.h"

namespace rx {

// The sheet's lines for pages of linesPerPage lines each (every page but the
// last filled to exactly that many, with blank lines where a page ends
// early). Each block opens with its heading and the column heads; a block
// never opens in the last lines of a page with none of its rows below, and a
// block that runs onto the next page repeats its heading (marked as
// continued) and the column heads there. runs: 1 for a single run, 2 for
// two combined.
std::vector<std::string> SheetLines(const std::vector<RankedBlock>& blocks, int runs, int linesPerPage);

// The same table as CSV: a head row, then a row per competitor with rank
// (empty when unranked), block, Bib No., the shown times, the gap and a note.
std::string ResultsCsv(const std::vector<RankedBlock>& blocks, int runs);

}  // namespace rx
