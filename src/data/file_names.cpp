#include "data/file_names.h"

#include <cstdio>

namespace rx {

std::string DataFileName(MenuItemId memory, const DateTime& now, const std::string& rangeLetter) {
  const MemoryRow* row = RowOf(memory);
  if (!row || now.month < 1 || now.month > 12) return "";
  char digits[16];
  std::snprintf(digits, sizeof digits, "%02d%02d%02d", now.day % 100, now.hour % 100,
                now.minute % 100);
  char year[4];
  std::snprintf(year, sizeof year, "%02d", now.year % 100);
  return std::string(1, row->fileLetter) + kMonthLetters[now.month - 1] + digits + "." +
         rangeLetter.substr(0, 1) + year;
}

}  // namespace rx
