#include "sim/fields.h"

namespace rx::sim {

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
int TwoDigits(std::string_view s) { return (s[0] - '0') * 10 + (s[1] - '0'); }
}  // namespace

Body SplitBody(std::string_view body) {
  Body b;
  b.family = body.substr(0, 2);
  b.selector = body.substr(2, 2);
  b.block = body[4];
  b.bib = body.substr(5, 3);
  b.time = body.substr(8, 12);
  return b;
}

int BlockNumber(char code) {
  if (IsDigit(code)) return code - '0';
  if (code >= 'A' && code <= 'T') return code - 'A' + 10;
  return -1;
}

char BlockCode(int number) {
  if (number >= 0 && number <= 9) return static_cast<char>('0' + number);
  if (number >= 10 && number <= 29) return static_cast<char>('A' + number - 10);
  return ' ';
}

int CheckBlock(char code) { return BlockNumber(code) < 0 ? 888 : 0; }

int CheckBib(std::string_view bib) {
  if (bib.find_first_not_of(' ') == std::string_view::npos) return 802;
  if (bib.size() != 3 || !IsDigit(bib[0]) || !IsDigit(bib[1]) || !IsDigit(bib[2])) return 800;
  if (bib == "000") return 803;
  return 0;
}

TimeCheck CheckTime(std::string_view field, int maxHours) {
  std::size_t n = 0;
  while (n < field.size() && IsDigit(field[n])) ++n;
  if (n < 6 || n > 10 || field.find_first_not_of(' ', n) != std::string_view::npos) {
    return {801, {}};
  }
  std::string digits(field.substr(0, n));
  digits.append(10 - n, '0');
  if (TwoDigits(digits) > maxHours || TwoDigits(digits.substr(2)) > 59 ||
      TwoDigits(digits.substr(4)) > 59) {
    return {804, {}};
  }
  return {0, digits};
}

}  // namespace rx::sim
