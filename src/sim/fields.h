// The fields of a 20-character command body and their checks. A check gives 0
// when the field is good, else the number the device answers with in "CE".
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace rx::sim {

inline constexpr char kStx = 2;
inline constexpr char kEtx = 3;
inline constexpr char kXon = 17;
inline constexpr char kXoff = 19;
inline constexpr std::size_t kBodySize = 20;
inline constexpr std::size_t kFrameSize = 22;

// Time digits of a record that has no time of its own (DNF and the like).
inline constexpr const char* kNoTime = "0000000000";

// The pieces of a body: family "CO", selector "0A", block code, bib, time field.
struct Body {
  std::string_view family;
  std::string_view selector;
  char block = ' ';
  std::string_view bib;
  std::string_view time;  // 12 characters
};
Body SplitBody(std::string_view body);  // body must hold 20 characters

// 0-29 for "0"-"9", "A"-"T"; -1 for anything else.
int BlockNumber(char code);
// The code of block 0-29; a blank outside that range.
char BlockCode(int number);

// 888 for a code that names none of the 30 blocks.
int CheckBlock(char code);
// 802 when blank, 800 when not three digits, 803 for "000".
int CheckBib(std::string_view bib);

struct TimeCheck {
  int error = 0;
  std::string digits;  // HHMMSSdddd once error is 0
};
// A time is 6-10 digits followed only by blanks (the terminal sends relay legs
// with tenths only); missing digits are zeros. 801 when not of that shape, 804
// when hours exceed maxHours or minutes or seconds exceed 59.
TimeCheck CheckTime(std::string_view field, int maxHours = 23);

}  // namespace rx::sim
