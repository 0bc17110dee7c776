#include "sim/line_pacer.h"

#include <limits>

namespace rx::sim {

std::size_t LinePacer::Allowance(Clock::time_point now) const {
  if (!Paced()) return std::numeric_limits<std::size_t>::max();
  if (now < next_) return 0;
  return 1 + static_cast<std::size_t>((now - next_) / charTime_);
}

}  // namespace rx::sim
