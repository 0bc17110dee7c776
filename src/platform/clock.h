// The computer's date and time.
#pragma once

#include <string>

namespace rx {

struct DateTime {
  int year = 2000, month = 1, day = 1;
  int hour = 0, minute = 0, second = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual DateTime Now() = 0;
  // The date in the desktop's own short form, as the status line shows it.
  virtual std::string ShortDate(const DateTime& when) = 0;
  // Milliseconds on a clock that never jumps, for bounding waits.
  virtual long long MonotonicMs() = 0;
};

}  // namespace rx
