#pragma once

#include "runtime/clock.h"

namespace tallow {

// The platform's steady clock counts on while the machine sleeps or
// hibernates and while the process is suspended (Windows' performance counter
// does), so a timer scheduled against it would find a whole night of ticks
// overdue on waking. This clock tells such a gap from mere lateness by its
// own readings: while the main window is loaded the program reads the time at
// least every half second, and its longest stall between two readings is two
// posts to a slow chat client, 2 s for each of their four messages. Readings
// further apart than kGapSeconds mean that the program did not run in
// between, whether or not the platform said why.
class AwakeClock : public Clock {
 public:
  // Far longer than the program's own longest stall, and under a minute, so
  // that a gap too short to be told from lateness is made up with at most one
  // report.
  static constexpr double kGapSeconds = 30;

  explicit AwakeClock(const Clock& steady) : steady_(steady), awake_(*this) {}
  AwakeClock(const AwakeClock&) = delete;
  AwakeClock& operator=(const AwakeClock&) = delete;

  // The steady clock, gaps and all: a pause that spans a gap is over once
  // the program runs again.
  double Now() const override;
  // Running time only: the steady clock less every gap seen so far. Timers
  // keep their schedules against it, so no tick falls due inside a gap.
  const Clock& Awake() const { return awake_; }
  // Seconds of gaps seen so far: Now() less Awake().Now().
  double Away() const { return away_; }

 private:
  class AwakeTime : public Clock {
   public:
    explicit AwakeTime(const AwakeClock& clock) : clock_(clock) {}
    double Now() const override {
      const double now = clock_.Now();  // first: it may find a gap
      return now - clock_.away_;
    }

   private:
    const AwakeClock& clock_;
  };

  const Clock& steady_;
  AwakeTime awake_;
  // Each reading notes the time, so Now() is const only to its callers.
  mutable bool read_ = false;
  mutable double last_ = 0;
  mutable double away_ = 0;
};

}  // namespace tallow
