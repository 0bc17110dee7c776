// The lines of a text output, on the serial line and on paper alike: three
// header lines, the selected record lines unchanged, two trailer lines.
#pragma once

#include <string>
#include <vector>

namespace rx {

inline constexpr int kHeaderLines = 3;
inline constexpr int kTrailerLines = 2;

int OutputLineCount(int records);
// Line index of the output of the file name with these records.
std::string OutputLine(const std::string& name, const std::vector<std::string>& records, int index);

}  // namespace rx
