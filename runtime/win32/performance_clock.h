#pragma once

#include "runtime/clock.h"

namespace tallow::win32 {

// QueryPerformanceCounter: steady, never set back, runs on across midnight
// and, on Windows, while the machine sleeps.
class PerformanceClock : public Clock {
 public:
  PerformanceClock();
  double Now() const override;

 private:
  double frequency_;
};

}  // namespace tallow::win32
