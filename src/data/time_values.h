// Time texts and their conversions. None of these fail: invalid input gives
// the documented fallback (empty text, "0.0000", (0, 0), (-1, 0) or false).
//
// Forms: entry "123456.1234" (what the operator types), full time
// "HH:MM:SS.dddd", relay leg/total "HH:MM:SS.t" plus three blanks, device
// field "HHMMSSdddd", send form (separators removed, blank-filled to 12),
// hunter clock "HHMMSSth".
#pragma once

#include <string>
#include <string_view>

namespace rx {

inline constexpr const char* kZeroTime = "0.0000";

struct TimeParts {
  long seconds = 0;   // seconds of the day (relay sums: up to 359999)
  long fraction = 0;  // ten-thousandths, or milliseconds for the hunter clock
  friend bool operator==(const TimeParts&, const TimeParts&) = default;
};

// The value of a text made only of digits 0-9; -1 when empty or anything else.
int ParseDigits(std::string_view text);

// Entry form to full time text; "" when the entry is not a valid time of day.
std::string EntryToTime(std::string_view entry);

// Full time (or relay leg) text to entry form; "0.0000" when a field is out of range.
std::string TimeToEntry(std::string_view time);

// Full time or relay leg text to (seconds, ten-thousandths); (0, 0) when invalid.
TimeParts TimeToSeconds(std::string_view time);

// Hunter clock "HHMMSSth" (t, h may be blank) to (seconds, milliseconds); (-1, 0) when invalid.
TimeParts ClockToSeconds(std::string_view clock);

// Full time text from the ten time digits at positions 10-19 of a received frame.
std::string ReplyTime(std::string_view frame);

// The text without ":" and "." and blank-filled on the right up to width.
std::string StripTime(std::string_view text, int width);

// A leap year to check a month and day against, so 29 February passes.
inline constexpr const char* kLeapYear = "2008";

// "YYYYMMDD", years 2008-2100. 29 February passes in every year.
bool IsValidDate(std::string_view date);

// "HHMMSS".
bool IsValidClock(std::string_view clock);

// "HH:MM:SS.dddd" from seconds of the day and ten-thousandths.
std::string FormatTime(long seconds, long fraction);

// Characters of text from 1-based position, at most length of them; what the
// text lacks is simply missing.
std::string_view Mid(std::string_view text, std::size_t position, std::size_t length);

}  // namespace rx
