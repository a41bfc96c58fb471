#pragma once

#include <cstdint>
#include <functional>

#include "runtime/clock.h"
#include "runtime/timer.h"

namespace tallow {

// Decides when a periodic timer's ticks fall due and delivers them. The Nth
// tick after the timer was switched on falls due N intervals after that
// moment, whenever the earlier ticks actually ran, so late delivery never
// makes the count drift. The platform calls Service() whenever it wakes up
// and re-arms its wake-up at NextDue().
class TimerDriver : public Timer {
 public:
  enum class Delivery {
    // Never runs inside its own handler. A tick that falls due meanwhile is
    // delivered as soon as the handler returns: late, never dropped.
    kEveryTick,
    // May run inside its own handler (for instance under a message box that
    // the handler opened). Ticks missed while the thread was busy elsewhere
    // are merged into one.
    kReentrant,
  };

  TimerDriver(const Clock& clock, double intervalSeconds, Delivery delivery, std::function<void()> onTick);

  bool Enabled() const override { return enabled_; }
  // Switching on a timer that is already on changes nothing.
  void SetEnabled(bool enabled) override;

  void Service();
  // When the platform should next call Service(), in clock seconds; infinity
  // while the timer is off or while a kEveryTick handler is running (the
  // running handler's Service() delivers what fell due once it returns).
  double NextDue() const;
  std::uint64_t TicksDelivered() const { return delivered_; }
  // Called whenever NextDue() may have changed.
  void SetArmHook(std::function<void()> hook) { armHook_ = std::move(hook); }
  // Called each time a tick's handler has returned, for whoever watches.
  void SetTickEndHook(std::function<void()> hook) { tickEndHook_ = std::move(hook); }

 private:
  double DueTime(std::uint64_t tick) const { return start_ + static_cast<double>(tick) * interval_; }
  void Arm() const;

  const Clock& clock_;
  double interval_;
  Delivery delivery_;
  std::function<void()> onTick_;
  std::function<void()> armHook_;
  std::function<void()> tickEndHook_;
  bool enabled_ = false;
  int running_ = 0;
  double start_ = 0;
  std::uint64_t scheduled_ = 0;  // ticks of this run that have been taken off the schedule
  std::uint64_t delivered_ = 0;
};

}  // namespace tallow
