#include "data/block_letters.h"

namespace rx {

int BlockNumber(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (text.empty() || text.size() > 5) return -1;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

namespace {

std::string Letter(std::string_view text, const char* tens, const char* twenties) {
  int number = BlockNumber(text);
  if (number >= 0 && number <= 9) return std::string(1, static_cast<char>('0' + number));
  if (number >= 10 && number <= 19) return std::string(1, tens[number - 10]);
  if (number >= 20 && number <= 29) return std::string(1, twenties[number - 20]);
  return " ";
}

}  // namespace

std::string BlockLetter(std::string_view blockNumber) {
  return Letter(blockNumber, "ABCDEFGHIJ", "KLMNOPQRST");
}

std::string BlockLetterShifted(std::string_view blockNumber) {
  return Letter(blockNumber, "DEFGHIJKLM", "NOPQRSTUVW");
}

}  // namespace rx
