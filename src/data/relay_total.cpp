#include "data/relay_total.h"

#include <cstdio>

#include "data/time_values.h"

namespace rx {

bool RelayTotal(Form& form) {
  long seconds = 0, fraction = 0;
  for (int leg = 0; leg < form.EditRow && leg < kMostLegs; ++leg) {
    TimeParts parts = TimeToSeconds(form.TeamLegs[leg]);
    seconds += parts.seconds;
    fraction += parts.fraction;
  }
  seconds += fraction / 10000;
  fraction %= 10000;
  if (seconds > 359999) return false;
  char text[32];
  std::snprintf(text, sizeof text, "%02ld:%02ld:%02ld.%ld   ", seconds / 3600, (seconds % 3600) / 60,
                seconds % 60, fraction / 1000);
  form.TeamTotal = text;
  return true;
}

}  // namespace rx
