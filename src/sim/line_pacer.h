// Paces output at the line rate of a real serial line. Deadlines are steady
// clock instants, so late wake-ups catch up instead of drifting.
#pragma once

#include <chrono>
#include <cstddef>

namespace rx::sim {

// 9600 baud, 11 bits a character (start, 7 data, parity, 2 stop).
inline constexpr std::chrono::nanoseconds kCharTime{11'000'000'000LL / 9600};

class LinePacer {
 public:
  using Clock = std::chrono::steady_clock;

  // A zero character time means no pacing.
  explicit LinePacer(std::chrono::nanoseconds charTime = kCharTime) : charTime_(charTime) {}

  bool Paced() const { return charTime_.count() > 0; }
  // After the line was idle or held by XOFF: the next character is not owed
  // from the past, it goes at now at the earliest.
  void Restart(Clock::time_point now) {
    if (next_ < now) next_ = now;
  }
  // How many characters may go out at now.
  std::size_t Allowance(Clock::time_point now) const;
  void Sent(std::size_t count) { next_ += charTime_ * static_cast<long long>(count); }
  Clock::time_point NextDue() const { return next_; }

 private:
  std::chrono::nanoseconds charTime_;
  Clock::time_point next_{};
};

}  // namespace rx::sim
