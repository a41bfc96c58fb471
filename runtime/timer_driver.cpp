#include "runtime/timer_driver.h"

#include <cmath>
#include <limits>

namespace tallow {

TimerDriver::TimerDriver(const Clock& clock, double intervalSeconds, Delivery delivery, std::function<void()> onTick)
    : clock_(clock), interval_(intervalSeconds), delivery_(delivery), onTick_(std::move(onTick)) {}

void TimerDriver::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (enabled) {
    start_ = clock_.Now();
    scheduled_ = 0;
  }
  Arm();
}

double TimerDriver::NextDue() const {
  if (!enabled_ || (delivery_ == Delivery::kEveryTick && running_ > 0)) return std::numeric_limits<double>::infinity();
  return DueTime(scheduled_ + 1);
}

void TimerDriver::Service() {
  if (delivery_ == Delivery::kEveryTick && running_ > 0) return;
  while (enabled_) {
    const double now = clock_.Now();
    if (now < DueTime(scheduled_ + 1)) break;
    if (delivery_ == Delivery::kEveryTick) {
      ++scheduled_;
    } else {
      // Merge whatever was missed: the next tick is the first one still ahead.
      scheduled_ = static_cast<std::uint64_t>(std::floor((now - start_) / interval_));
      if (now >= DueTime(scheduled_ + 1)) ++scheduled_;
    }
    ++delivered_;
    ++running_;
    Arm();
    onTick_();
    --running_;
    if (tickEndHook_) tickEndHook_();
    if (delivery_ == Delivery::kReentrant) break;
  }
  Arm();
}

void TimerDriver::Arm() const {
  if (armHook_) armHook_();
}

}  // namespace tallow
