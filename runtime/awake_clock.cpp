#include "runtime/awake_clock.h"

namespace tallow {

double AwakeClock::Now() const {
  const double now = steady_.Now();
  // The whole stretch since the last reading is taken out: the program may
  // have run for a moment of it, but no more than it does between any two
  // readings.
  if (read_ && now - last_ > kGapSeconds) away_ += now - last_;
  read_ = true;
  last_ = now;
  return now;
}

}  // namespace tallow
