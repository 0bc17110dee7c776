#include "data/results_sheet.h"

#include <algorithm>

#include "data/csv.h"

namespace rx {

namespace {

constexpr const char* kNoTimeMark = "－";
constexpr const char* kDuplicateNote = "* 同じ Bib No. が２回以上あります";

// Columns a text takes in a monospace font: East Asian wide and full-width
// characters two, the others one.
std::size_t DisplayWidth(std::string_view text) {
  std::size_t width = 0;
  for (std::size_t at = 0; at < text.size();) {
    const unsigned char lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t code = length == 1 ? lead : lead & (0x3F >> (length - 1));
    for (std::size_t i = 1; i < length && at + i < text.size(); ++i)
      code = code << 6 | (static_cast<unsigned char>(text[at + i]) & 0x3F);
    const bool wide = (code >= 0x1100 && code <= 0x115F) || (code >= 0x2E80 && code <= 0xA4CF) ||
                      (code >= 0xAC00 && code <= 0xD7A3) || (code >= 0xF900 && code <= 0xFAFF) ||
                      (code >= 0xFE30 && code <= 0xFE4F) || (code >= 0xFF00 && code <= 0xFF60) ||
                      (code >= 0xFFE0 && code <= 0xFFE6) || code >= 0x20000;
    width += wide ? 2 : 1;
    at += length;
  }
  return width;
}

const char* Note(Unranked why) {
  switch (why) {
    case Unranked::NoTime: return "タイムなし";
    case Unranked::OneRun: return "１本のみ";
    case Unranked::Duplicate: return "二重";
    case Unranked::No: break;
  }
  return "";
}

// A run's time as shown; "" where the run has none (no record, or a zero time).
std::string RunTime(const RankedRow& row, std::size_t run) {
  if (run >= row.runs.size() || !row.runs[run] || *row.runs[run] == 0) return "";
  return ShownTime(Hundredths(*row.runs[run]));
}

using Cells = std::vector<std::string>;

Cells Heads(int runs) {
  if (runs == 2) return {"順位", "Bib No.", "１本目", "２本目", "合計", "トップ差"};
  return {"順位", "Bib No.", "タイム", "トップ差"};
}

Cells SheetCells(const RankedRow& row, int runs) {
  const bool ranked = row.unranked == Unranked::No;
  Cells cells{ranked ? std::to_string(row.rank) : "", row.bib + (row.duplicate ? "*" : "")};
  for (int run = 0; run < runs; ++run) {
    const std::string time = RunTime(row, run);
    cells.push_back(time.empty() ? kNoTimeMark : time);
  }
  if (runs == 2) cells.push_back(ranked ? ShownTime(Hundredths(row.total)) : kNoTimeMark);
  cells.push_back(ranked ? ShownGap(row.gap) : Note(row.unranked));
  return cells;
}

// The cells right-aligned to the widths, two blanks apart; no blanks at the end.
std::string Line(const Cells& cells, const std::vector<std::size_t>& widths) {
  std::string line;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) line += "  ";
    line.append(widths[i] - DisplayWidth(cells[i]), ' ');
    line += cells[i];
  }
  line.erase(line.find_last_not_of(' ') + 1);
  return line;
}

}  // namespace

std::vector<std::string> SheetLines(const std::vector<RankedBlock>& blocks, int runs,
                                    int linesPerPage) {
  runs = runs == 2 ? 2 : 1;
  const std::size_t page = static_cast<std::size_t>(std::max(linesPerPage, 4));
  // One set of column widths for the whole sheet, so that every block's columns line up.
  const Cells heads = Heads(runs);
  std::vector<std::size_t> widths;
  for (const std::string& head : heads) widths.push_back(DisplayWidth(head));
  // The cells are made again for the lines rather than kept: a sheet of a huge file stays small.
  for (const RankedBlock& block : blocks)
    for (const RankedRow& row : block.rows) {
      const Cells cells = SheetCells(row, runs);
      for (std::size_t i = 0; i < widths.size(); ++i) widths[i] = std::max(widths[i], DisplayWidth(cells[i]));
    }
  const std::string headLine = Line(heads, widths);

  std::vector<std::string> lines;
  auto onPage = [&] { return lines.size() % page; };
  auto endPage = [&] { lines.resize((lines.size() + page - 1) / page * page); };
  for (const RankedBlock& block : blocks) {
    const bool duplicates = std::any_of(block.rows.begin(), block.rows.end(),
                                        [](const RankedRow& row) { return row.duplicate; });
    const std::size_t bodyLines = block.rows.size() + duplicates;
    const std::string heading = "ブロック " + std::to_string(block.block);
    if (!lines.empty() && onPage() != 0) lines.push_back("");  // a blank line between blocks
    // The heading, the column heads and a first row together, or on the next page.
    if (onPage() != 0 && page - onPage() < std::min<std::size_t>(3, 2 + bodyLines)) endPage();
    lines.push_back(heading);
    lines.push_back(headLine);
    for (std::size_t i = 0; i < bodyLines; ++i) {
      if (onPage() == 0) {
        lines.push_back(heading + "（続き）");
        lines.push_back(headLine);
      }
      lines.push_back(i < block.rows.size() ? Line(SheetCells(block.rows[i], runs), widths) : kDuplicateNote);
    }
  }
  return lines;
}

std::string ResultsCsv(const std::vector<RankedBlock>& blocks, int runs) {
  runs = runs == 2 ? 2 : 1;
  std::string csv(kUtf8Mark);
  csv += runs == 2 ? CsvRow({"rank", "block", "Bib No.", "1st run", "2nd run", "total", "gap", "note"})
                   : CsvRow({"rank", "block", "Bib No.", "time", "gap", "note"});
  for (const RankedBlock& block : blocks)
    for (const RankedRow& row : block.rows) {
      const bool ranked = row.unranked == Unranked::No;
      std::vector<std::string> fields{ranked ? std::to_string(row.rank) : "",
                                      std::to_string(block.block), row.bib};
      for (int run = 0; run < runs; ++run) fields.push_back(RunTime(row, run));
      if (runs == 2) fields.push_back(ranked ? ShownTime(Hundredths(row.total)) : "");
      fields.push_back(ranked ? ShownGap(row.gap) : "");
      // A duplicate without a time keeps both notes: neither may go unsaid.
      std::string note = Note(row.unranked);
      if (row.duplicate && row.unranked != Unranked::Duplicate)
        note += note.empty() ? "二重" : " 二重";
      fields.push_back(note);
      csv += CsvRow(fields);
    }
  return csv;
}

}  // namespace rx
