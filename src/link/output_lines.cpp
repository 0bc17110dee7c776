#include "link/output_lines.h"

namespace rx {

int OutputLineCount(int records) { return kHeaderLines + records + kTrailerLines; }

std::string OutputLine(const std::string& name, const std::vector<std::string>& records, int index) {
  const int count = static_cast<int>(records.size());
  if (index == 0) return "RX-710KP DATA";
  if (index == 1) return "FILE NAME  : ";
  if (index == 2) return name + " ";
  int record = index - kHeaderLines;
  if (record < count) return records[record];
  return record == count ? "FILE END   : " : name + " ";
}

}  // namespace rx
