#include "data/time_values.h"

#include <cstdio>
#include <optional>

namespace rx {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A whole number of digits, blanks around it allowed; nothing else.
std::optional<long> ParseNumber(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (text.empty() || text.size() > 9) return std::nullopt;
  long value = 0;
  for (char c : text) {
    if (!IsDigit(c)) return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

// A character of the text at a 1-based position; a missing one reads as blank.
char At(std::string_view text, std::size_t position) {
  return position <= text.size() ? text[position - 1] : ' ';
}

}  // namespace

std::string_view Mid(std::string_view text, std::size_t position, std::size_t length) {
  if (position < 1 || position > text.size()) return {};
  return text.substr(position - 1, length);
}

int ParseDigits(std::string_view text) {
  if (text.empty() || text.size() > 4) return -1;
  int value = 0;
  for (char c : text) {
    if (!IsDigit(c)) return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

std::string FormatTime(long seconds, long fraction) {
  char text[32];
  std::snprintf(text, sizeof text, "%02ld:%02ld:%02ld.%04ld", seconds / 3600, (seconds % 3600) / 60,
                seconds % 60, fraction);
  return text;
}

std::string EntryToTime(std::string_view entry) {
  std::optional<long> whole;
  std::optional<long> fraction = 0;
  std::size_t point = entry.find('.');
  if (point == std::string_view::npos) {
    whole = ParseNumber(entry);
  } else {
    whole = ParseNumber(entry.substr(0, point));
    std::string_view trimmed = entry;
    while (!trimmed.empty() && trimmed.back() == ' ') trimmed.remove_suffix(1);
    std::string decimals = std::string(trimmed.substr(point + 1)) + "000";
    fraction = ParseNumber(std::string_view(decimals).substr(0, 4));
  }
  if (!whole || !fraction) return "";
  long hours = *whole / 10000, minutes = (*whole / 100) % 100, seconds = *whole % 100;
  if (*whole > 235959 || hours > 23 || minutes > 59 || seconds > 59 || *fraction > 9999) return "";
  return FormatTime(hours * 3600 + minutes * 60 + seconds, *fraction);
}

std::string TimeToEntry(std::string_view time) {
  int hours = ParseDigits(Mid(time, 1, 2));
  int minutes = ParseDigits(Mid(time, 4, 2));
  int seconds = ParseDigits(Mid(time, 7, 2));
  if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59 || seconds < 0 || seconds > 59)
    return kZeroTime;
  std::string prefix;
  if (hours >= 10)
    prefix = std::string(Mid(time, 1, 2)) + std::string(Mid(time, 4, 2));
  else if (hours >= 1)
    prefix = std::string(Mid(time, 2, 1)) + std::string(Mid(time, 4, 2));
  else if (minutes >= 10)
    prefix = std::string(Mid(time, 4, 2));
  else if (minutes >= 1)
    prefix = std::string(Mid(time, 5, 1));
  if (!prefix.empty() || seconds > 9) return prefix + std::string(Mid(time, 7, 7));
  return std::string(Mid(time, 8, 6));
}

TimeParts TimeToSeconds(std::string_view time) {
  int hours = ParseDigits(Mid(time, 1, 2));
  int minutes = ParseDigits(Mid(time, 4, 2));
  int seconds = ParseDigits(Mid(time, 7, 2));
  if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59 || seconds < 0 || seconds > 59)
    return {};
  long fraction = 0;
  const int weights[4] = {1000, 100, 10, 1};
  for (int i = 0; i < 4; ++i) {
    char c = At(time, 10 + i);
    if (c == ' ') {
      if (i == 3) break;
      continue;
    }
    if (!IsDigit(c)) return {};
    fraction += (c - '0') * weights[i];
  }
  return {hours * 3600L + minutes * 60L + seconds, fraction};
}

TimeParts ClockToSeconds(std::string_view clock) {
  const TimeParts invalid{-1, 0};
  int hours = ParseDigits(Mid(clock, 1, 2));
  int minutes = ParseDigits(Mid(clock, 3, 2));
  int seconds = ParseDigits(Mid(clock, 5, 2));
  if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59 || seconds < 0 || seconds > 59)
    return invalid;
  long milliseconds = 0;
  char tenths = At(clock, 7), hundredths = At(clock, 8);
  if (tenths != ' ') {
    if (!IsDigit(tenths)) return invalid;
    milliseconds = (tenths - '0') * 100;
  }
  if (hundredths != ' ') {
    if (!IsDigit(hundredths)) return invalid;
    milliseconds += (hundredths - '0') * 10;
  }
  return {hours * 3600L + minutes * 60L + seconds, milliseconds};
}

std::string ReplyTime(std::string_view frame) {
  return std::string(Mid(frame, 10, 2)) + ":" + std::string(Mid(frame, 12, 2)) + ":" +
         std::string(Mid(frame, 14, 2)) + "." + std::string(Mid(frame, 16, 4));
}

std::string StripTime(std::string_view text, int width) {
  std::string result;
  for (char c : text)
    if (c != ':' && c != '.') result += c;
  if (static_cast<int>(result.size()) < width) result.append(width - result.size(), ' ');
  return result;
}

namespace {

constexpr int kFirstYear = 2008;
constexpr int kLastYear = 2100;

}  // namespace

bool IsValidDate(std::string_view date) {
  if (date.size() != 8) return false;
  int year = ParseDigits(Mid(date, 1, 4));
  int month = ParseDigits(Mid(date, 5, 2));
  int day = ParseDigits(Mid(date, 7, 2));
  if (year < kFirstYear || year > kLastYear || month < 1 || month > 12 || day < 1 || day > 31) return false;
  if ((month == 4 || month == 6 || month == 9 || month == 11) && day > 30) return false;
  if (month == 2 && day > 29) return false;
  return true;
}

bool IsValidClock(std::string_view clock) {
  if (clock.size() != 6) return false;
  int hours = ParseDigits(Mid(clock, 1, 2));
  int minutes = ParseDigits(Mid(clock, 3, 2));
  int seconds = ParseDigits(Mid(clock, 5, 2));
  return hours >= 0 && hours <= 23 && minutes >= 0 && minutes <= 59 && seconds >= 0 && seconds <= 59;
}

}  // namespace rx
